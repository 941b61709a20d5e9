#pragma once
// The design commands of the layout popup: insert a book or a browser pane beside the
// control under the mouse, delete one and fold the tree back together, and the page
// and position commands. They act on the control under the last mouse press and on
// the container and target the popup derived from it.
#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QString>
#include <functional>

#include "layout/designpopup.h"
#include "layout/dropzone.h"

class QWidget;

namespace mira {

class ClassRegistry;
class TBook;
class TPage;

// Suspends window updates of a widget while it lives, restored in every case.
class WindowUpdateLock {
public:
    explicit WindowUpdateLock(QWidget *window);
    ~WindowUpdateLock();
    WindowUpdateLock(const WindowUpdateLock &) = delete;
    WindowUpdateLock &operator=(const WindowUpdateLock &) = delete;

private:
    QPointer<QWidget> window;
    bool wasEnabled = true;
};

class DesignCommands : public QObject {
    Q_OBJECT
public:
    // mainWindow: owner of every new component and of the messages; classes: where new
    // components are made by name.
    DesignCommands(QObject *parent, std::function<QWidget *()> mainWindow,
                   const ClassRegistry *classes);

    // Kept from the last popup until the next one.
    QPointer<QWidget> DesignContainer;
    QPointer<QWidget> DesignTarget;

    // The popup opens for the control under the mouse: derives container and target
    // and returns which items are enabled and checked.
    PopupState DesignPopupPopup(QWidget *lastControl);

    // className: "TBook" or "TBrowser".
    void InsertControl(const QString &className, QWidget *lastControl, QPoint lastMousePos);
    void DeleteControl(const QString &className, QWidget *lastControl);

    void PageRename(QWidget *lastControl);
    void PageMove(QWidget *lastControl);
    void PageNew(QWidget *lastControl);
    void PageDelete(QWidget *lastControl);
    void BookTabsPos(QWidget *lastControl);
    void BrowserNaviBarPos();

    // The page the page commands act on: a book's active page, or the nearest page
    // among the control and its ancestors.
    static TPage *SelectedPage(QWidget *lastControl);

private:
    QWidget *mainWindow() const;
    // G is "the main window" when it is no component of the layout (the client area).
    static bool isTopSide(QWidget *g);
    static QWidget *layoutParent(QWidget *container);
    void collapseParent(QWidget *g, QWidget *c);
    static void removeSplitters(QWidget *c);
    void placeBeside(QWidget *n, QWidget *t, QWidget *c, Zone zone, bool pair);

    std::function<QWidget *()> mainWindowOf;
    const ClassRegistry *classes;
};

} // namespace mira
