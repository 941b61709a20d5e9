#pragma once
// Where a web control is and how it moves: loading addresses, the back and forward
// list, stop and refresh, and what the document it shows is.
#include <QString>

namespace mira::platform {

class WebNavigation {
public:
    virtual ~WebNavigation() = default;

    // Starts loading and returns at once. flags: 0, or navNoHistory |
    // navNoReadFromCache | navNoWriteToCache (14).
    virtual void navigate(const QString &address, int flags = 0) = 0;
    // False when there is nothing to go to, or no document.
    virtual bool goBack() = 0;
    virtual bool goForward() = 0;
    virtual bool stop() = 0;
    virtual bool refresh() = 0;

    virtual bool hasDocument() const = 0;
    virtual QString locationUrl() const = 0;
    virtual QString locationName() const = 0;
    virtual int readyState() const = 0;

    // Whether the loads that follow (navigations and refreshes) are of the pane's
    // bookmark: such a load that succeeds leaves a kept copy of the page; one that
    // fails leaves the copy (or the program's own page) on screen, not an error page.
    virtual void setKeepsPage(bool keeps) = 0;
};

} // namespace mira::platform
