#pragma once
// The document commands of the Go button's drop-down (Find..., Open..., Save As...,
// the page and print commands): they act on the pane whose navigation bar the
// drop-down belongs to.
#include <QList>
#include <QObject>

class QAction;

namespace mira {

class TAppControlModule;
class TBrowser;

class DocumentCommands : public QObject {
    Q_OBJECT
public:
    explicit DocumentCommands(TAppControlModule &module);

    // The pane whose navigation bar is LastControl, for the document commands.
    TBrowser *ArrowPane() const;
    // The Go drop-down is about to open: its commands follow the pane's document.
    void ArrowPopupPopup();

private:
    TAppControlModule &module;
    // The commands that need a document, disabled without one.
    QList<QAction *> onDocument;
};

} // namespace mira
