#include "layout/designcommands.h"

#include <QTabBar>

#include "dialogs/messagebox.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/classregistry.h"
#include "layout/component.h"
#include "layout/designablepane.h"
#include "layout/pan.h"
#include "layout/split.h"

namespace mira {
namespace {

void inform(QWidget *owner, const QString &caption, const QString &text)
{
    ShowMessageBox(owner, text, caption, MsgType::Information, mbOK);
}

bool confirmed(QWidget *owner, const QString &caption, const QString &text)
{
    return ShowMessageBox(owner, text, caption, MsgType::Confirmation, mbYes | mbNo) == mrYes;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

WindowUpdateLock::WindowUpdateLock(QWidget *w) : window(w)
{
    if (window) {
        wasEnabled = window->updatesEnabled();
        window->setUpdatesEnabled(false);
    }
}

WindowUpdateLock::~WindowUpdateLock()
{
    if (window)
        window->setUpdatesEnabled(wasEnabled);
}

DesignCommands::DesignCommands(QObject *parent, std::function<QWidget *()> mainWindow,
                               const ClassRegistry *registry)
    : QObject(parent), mainWindowOf(std::move(mainWindow)), classes(registry)
{
}

QWidget *DesignCommands::mainWindow() const
{
    return mainWindowOf ? mainWindowOf() : nullptr;
}

bool DesignCommands::isTopSide(QWidget *g)
{
    return !g || !AsComponent(g);
}

QWidget *DesignCommands::layoutParent(QWidget *container)
{
    if (auto *page = qobject_cast<TPage *>(container))
        return page->Book();
    return container ? container->parentWidget() : nullptr;
}

PopupState DesignCommands::DesignPopupPopup(QWidget *lastControl)
{
    const DesignSpot spot = DeriveSpot(lastControl);
    DesignContainer = spot.container;
    DesignTarget = spot.target;
    return DesignPopupState(FactsFor(lastControl, spot));
}

// ------------------------------------------------------------------------ inserting

void DesignCommands::InsertControl(const QString &className, QWidget *lastControl,
                                   QPoint lastMousePos)
{
    QWidget *c = DesignContainer;
    QWidget *t = DesignTarget;
    if (!c)
        return;
    const int n = ControlCount(c);
    Zone zone = Zone::Fill;
    if (n != 0) {
        QWidget *r = t ? t : c;
        zone = DropZone(false, r->mapFromGlobal(lastMousePos), r->size());
    }
    if (n >= 2 && n != 3) {
        inform(mainWindow(), QStringLiteral("Configuration Checker"),
               QStringLiteral("Configuration not supported.\nTry to delete excessive controls."));
        return;
    }
    if (lastControl == c && n != 0) {
        inform(mainWindow(), QStringLiteral("Boundary Spot"),
               QStringLiteral(
                   "Invalid zone under the mouse.\nPlease, choose the location more precisely."));
        return;
    }
    const ClassDef *def = classes ? classes->find(className) : nullptr;
    if (!def)
        return;
    QWidget *added = def->create(mainWindow());
    if (!added)
        return;
    std::optional<TargetExtent> extent;
    if (t)
        extent = TargetExtent{t->size(), t->minimumSize()};
    if (!FitsBeside(added->size(), extent)) {
        delete added;
        inform(mainWindow(), QStringLiteral("Size Checker"),
               QStringLiteral("Not enough space to insert the control.\nTry to enlarge the control "
                              "under the popup menu."));
        return;
    }
    WindowUpdateLock lock(mainWindow());
    {
        // Nothing is placed until the new shape is complete: stacking by position
        // needs every control at its final place.
        AlignSuspender suspended;
        placeBeside(added, t, c, zone, n == 3);
    }
    RealignTree(c);
}

void DesignCommands::placeBeside(QWidget *n, QWidget *t, QWidget *c, Zone zone, bool pair)
{
    if (zone == Zone::Fill || !t) {
        StoreAlign(n, TAlign::alClient);
        PutInto(n, c);
        return;
    }
    const int wN = n->width();
    const int hN = n->height();
    auto *s = new TSplit(mainWindow());
    const bool stacked = zone == Zone::Top || zone == Zone::Bottom;
    if (stacked)
        s->SetAlign(TAlign::alTop);
    // A pair gets a new container in the target's place for the target and the new control.
    QWidget *host = c;
    TPan *p = nullptr;
    if (pair) {
        p = new TPan(mainWindow());
        StoreAlign(p, AlignOf(t));
        p->setGeometry(t->geometry());
        host = p;
    }
    switch (zone) {
    case Zone::Left:
    case Zone::Top:
        StoreAlign(n, stacked ? TAlign::alTop : TAlign::alLeft);
        n->move(0, 0);
        s->move(stacked ? 0 : wN, stacked ? hN : 0);
        if (!pair) {
            StoreAlign(t, TAlign::alNone);
            const QRect area = c->contentsRect();
            if (stacked)
                t->setGeometry(t->x(), area.height() - (t->height() - hN), t->width(),
                               t->height() - hN);
            else
                t->setGeometry(area.width() - (t->width() - wN), t->y(), t->width() - wN,
                               t->height());
        }
        PutInto(n, host);
        PutInto(s, host);
        StoreAlign(t, TAlign::alClient);
        if (pair)
            PutInto(t, host);
        break;
    case Zone::Right:
    case Zone::Bottom:
        if (pair) {
            PutInto(t, host);
            t->move(0, 0);
        }
        StoreAlign(t, stacked ? TAlign::alTop : TAlign::alLeft);
        if (stacked)
            t->resize(t->width(), t->height() - hN);
        else
            t->resize(t->width() - wN, t->height());
        if (!pair) {
            s->move(stacked ? 0 : t->width(), stacked ? t->height() : 0);
            PutInto(s, host);
        }
        StoreAlign(n, TAlign::alClient);
        PutInto(n, host);
        if (pair) {
            PutInto(p, c);
            s->move(stacked ? 0 : t->width(), stacked ? t->height() : 0);
            PutInto(s, host);
        }
        return;
    case Zone::Fill: break;
    }
    if (pair)
        PutInto(p, c);
}

// ------------------------------------------------------------------------- deleting

void DesignCommands::removeSplitters(QWidget *c)
{
    const QList<QWidget *> controls = ControlsOf(c);
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        if (qobject_cast<TSplit *>(*it))
            delete *it;
}

void DesignCommands::collapseParent(QWidget *g, QWidget *c)
{
    if (isTopSide(g) || ControlCount(g) != 3)
        return;
    removeSplitters(g);
    for (QWidget *w : ControlsOf(g)) {
        if (w != c) {
            StoreAlign(w, TAlign::alClient);
            break;
        }
    }
}

void DesignCommands::DeleteControl(const QString &className, QWidget *lastControl)
{
    QWidget *t = DesignTarget;
    QWidget *c = DesignContainer;
    Component *component = AsComponent(t);
    if (!component || component->ClassName() != className) {
        inform(mainWindow(), QStringLiteral("Wrong Type Selected"), QStringLiteral("-----------"));
        return;
    }
    if (!c)
        return;
    const int n = ControlCount(c);
    const QString caption = QStringLiteral("Confirm Deleting");
    const bool asked =
        (n < 2 || n == 3)
            ? confirmed(t, caption,
                        QStringLiteral("This ") + className.mid(1, 20)
                            + QStringLiteral(" will be deleted.\nAre you sure?"))
            : confirmed(mainWindow(), caption,
                        QStringLiteral(
                            "Unsupported configuration group will be deleted.\nProceed?"));
    if (!asked)
        return;

    WindowUpdateLock lock(mainWindow());
    QWidget *g = layoutParent(c);
    ContainerAlignLock held(g);
    switch (n) {
    case 0: collapseParent(g, c); break;
    case 1:
        collapseParent(g, c);
        delete t;
        break;
    case 3: {
        if (lastControl == c) {
            inform(mainWindow(), QStringLiteral("Boundary Spot"),
                   QStringLiteral(
                       "Splitter under the mouse.\nPlease, choose the location more precisely."));
            return;
        }
        if (t->parentWidget() != c) {
            ShowMessageBox(mainWindow(), QStringLiteral("Something wrong with this deletion"),
                           QString(), MsgType::Error, mbOK);
            return;
        }
        delete t;
        removeSplitters(c);
        const QList<QWidget *> rest = ControlsOf(c);
        if (rest.isEmpty())
            return;
        QWidget *r = rest.first();
        StoreAlign(r, TAlign::alClient);
        if (qobject_cast<TPan *>(c) && !isTopSide(g)) {
            // The remaining control stands where its container stood.
            StoreAlign(r, AlignOf(c));
            r->setGeometry(c->geometry());
            PutInto(r, g);
            delete c;
        } else {
            AlignControls(c);
        }
        return;
    }
    default: {
        collapseParent(g, c);
        QList<QPointer<QWidget>> controls;
        for (QWidget *w : ControlsOf(c))
            controls.append(w);
        for (const QPointer<QWidget> &w : controls)
            delete w.data();
        break;
    }
    }
    // The root container stays; any other container goes, a page out of its book.
    if (!isTopSide(g))
        delete c;
}

// ---------------------------------------------------------------------------- pages

TPage *DesignCommands::SelectedPage(QWidget *lastControl)
{
    if (auto *book = qobject_cast<TBook *>(lastControl))
        return qobject_cast<TPage *>(book->currentWidget());
    for (QWidget *w = lastControl; w; w = w->parentWidget())
        if (auto *page = qobject_cast<TPage *>(w))
            return page;
    return nullptr;
}

// A book whose last page went with its only control has no page to rename, move or
// delete: those commands then do nothing.

void DesignCommands::PageRename(QWidget *lastControl)
{
    TPage *p = SelectedPage(lastControl);
    TBook *b = p ? p->Book() : nullptr;
    if (!b)
        return;
    QString text = p->Caption();
    if (ShowInputBox(b, 0, 0, 25, text, QStringLiteral("Enter new name for selected page:"),
                     QStringLiteral("Rename Page")))
        p->SetCaption(text);
}

void DesignCommands::PageMove(QWidget *lastControl)
{
    TPage *p = SelectedPage(lastControl);
    TBook *b = p ? p->Book() : nullptr;
    if (!b)
        return;
    QString text = QString::number(p->PageIndex() + 1);
    if (!ShowInputBox(b, 250, 0, 2, text, QStringLiteral("Enter new position for selected page:"),
                      QStringLiteral("Moving Page ") + quoted(p->Caption())))
        return;
    bool ok = false;
    int position = text.trimmed().toInt(&ok, 10);
    if (!ok)
        position = 0;
    const int count = b->PageCount();
    if (position < 1 || position > count) {
        inform(b, QStringLiteral("Page Move Failure"),
               QStringLiteral("Invalid page position.\n\nValid page positions are 1...")
                   + QString::number(count) + QLatin1Char('.'));
        return;
    }
    b->tabBar()->moveTab(p->PageIndex(), position - 1);
}

void DesignCommands::PageNew(QWidget *lastControl)
{
    auto *b = qobject_cast<TBook *>(lastControl);
    if (!b)
        return;
    QString text = QStringLiteral("Page ") + QString::number(b->PageCount() + 1);
    if (!ShowInputBox(b, 0, 0, 0, text, QStringLiteral("Enter a name for new page:"),
                      QStringLiteral("New Page")))
        return;
    auto *page = new TPage(mainWindow());
    page->SetCaption(text);
    b->AddPage(page);
}

void DesignCommands::PageDelete(QWidget *lastControl)
{
    TPage *p = SelectedPage(lastControl);
    TBook *b = p ? p->Book() : nullptr;
    if (!b)
        return;
    if (b->PageCount() == 1) {
        ShowMessageBox(b,
                       QStringLiteral("Book should contain at least one page.\nYou should delete "
                                      "the whole book instead."),
                       QString(), MsgType::Information, mbOK);
        return;
    }
    if (!confirmed(b, QStringLiteral("Deleting Page ") + quoted(p->Caption()),
                   QStringLiteral("Active page of this book will be deleted.\nAre you sure?")))
        return;
    WindowUpdateLock lock(mainWindow());
    const int index = p->PageIndex();
    b->removeTab(index);
    const QList<QWidget *> controls = ControlsOf(p);
    for (auto it = controls.rbegin(); it != controls.rend(); ++it)
        delete *it;
    delete p;
    b->setCurrentIndex(index < b->PageCount() ? index : 0);
}

// ------------------------------------------------------------------------ positions

void DesignCommands::BookTabsPos(QWidget *lastControl)
{
    auto *b = qobject_cast<TBook *>(lastControl);
    if (!b)
        return;
    b->SetTabPosition(b->TabPosition() == TabSide::tpTop ? TabSide::tpBottom : TabSide::tpTop);
}

void DesignCommands::BrowserNaviBarPos()
{
    if (auto *pane = dynamic_cast<DesignablePane *>(DesignTarget.data()))
        pane->SetBottomBar(!pane->BottomBar());
}

} // namespace mira
