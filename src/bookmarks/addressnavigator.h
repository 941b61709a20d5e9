#pragma once
// What the address box asks of the pane it belongs to: to go somewhere, where the
// pane is, and the loaded document's body for the bookmarks' scroll settings.
#include <QString>
#include <memory>

namespace mira {

// The loaded document's body. Every access fails (false, -1 or an empty value)
// when there is no document or the document has no body.
class DocumentBodyAccess {
public:
    virtual ~DocumentBodyAccess() = default;
    virtual bool Exists() const = 0;
    // "no" when the scroll bars are hidden, else "auto"; empty on failure.
    virtual QString Scroll() const = 0;
    // "No" (any case) hides the scroll bars, anything else shows them again.
    virtual bool SetScroll(const QString &value) const = 0;
    virtual int ScrollLeft() const = 0;
    virtual int ScrollTop() const = 0;
    virtual bool SetScrollLeft(int x) const = 0;
    virtual bool SetScrollTop(int y) const = 0;
};

class AddressNavigator {
public:
    virtual ~AddressNavigator() = default;
    // Loads address (nothing for an empty one), with the pane's navigation flags.
    virtual void NavigateTo(const QString &address) = 0;
    // Reloads the loaded document (nothing without one).
    virtual void Reload() = 0;
    // The loaded document's address and title; empty without a document.
    virtual QString LoadedLocationURL() const = 0;
    virtual QString LoadedLocationName() const = 0;
    virtual std::unique_ptr<DocumentBodyAccess> Body() const = 0;
    // The box's bookmarks or the loaded location changed: which bookmark is shown,
    // and what it asks for, may be different now.
    virtual void BookmarksChanged() {}
};

} // namespace mira
