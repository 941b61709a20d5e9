#include "browser/panezoom.h"

#include <QKeySequence>
#include <QShortcut>

#include "bookmarks/urlcombo.h"
#include "bookmarks/urls.h"
#include "bookmarks/zoomsteps.h"
#include "browser/browser.h"
#include "platform/webcontrol.h"

namespace mira {

int ZoomForLoad(int bookmarkZoom, bool typed, int current)
{
    if (bookmarkZoom >= 0)
        return ClampZoom(bookmarkZoom);
    return typed ? ZoomDefault : current;
}

PaneZoom::PaneZoom(TBrowser *browser) : QObject(browser), pane(browser), percent(ZoomDefault)
{
    const struct {
        QKeyCombination keys;
        int direction;
    } keys[] = {
        // Ctrl+plus is Ctrl+Shift+= on many keyboards; the keypad's keys match too.
        {Qt::CTRL | Qt::Key_Plus, 1},
        {Qt::CTRL | Qt::Key_Equal, 1},
        {Qt::CTRL | Qt::Key_Minus, -1},
        {Qt::CTRL | Qt::Key_0, 0},
    };
    for (const auto &k : keys) {
        auto *shortcut = new QShortcut(QKeySequence(k.keys), pane, nullptr, nullptr,
                                       Qt::WidgetWithChildrenShortcut);
        const int direction = k.direction;
        connect(shortcut, &QShortcut::activated, this, [this, direction] { Step(direction); });
        // Two of the keys may name the same press on some layouts: both mean the same.
        connect(shortcut, &QShortcut::activatedAmbiguously, this,
                [this, direction] { Step(direction); });
    }
    if (platform::WebControl *control = pane->WebView->Control()) {
        connect(control, &platform::WebControl::zoomWheel, this, [this](int steps) {
            for (int i = 0; i < qAbs(steps); ++i)
                Step(steps > 0 ? 1 : -1);
        });
        connect(control, &platform::WebControl::beforeNavigate, this,
                [this](const QString &address, bool *) { pageLoads(address); });
    }
}

TURL *PaneZoom::bookmarkAt(const QString &address) const
{
    return pane->URLs()->Items(pane->URLs()->IndexOfAddress(address));
}

TURL *PaneZoom::keeper() const
{
    const TURLs *urls = pane->URLs();
    if (TURL *shown = urls->Items(pane->AddressCombo->ShownIndex()))
        return shown;
    for (int i = 0; i < urls->Count(); ++i)
        if (urls->Items(i)->ID() == ownerId)
            return urls->Items(i);
    return nullptr;
}

void PaneZoom::Step(int direction)
{
    const int value = ZoomStep(percent, direction);
    TURL *owner = keeper();
    if (owner)
        owner->SetZoom(value); // saved with the set, as any change of a bookmark
    show(value, owner);
    Q_EMIT StatusText(ZoomStatusText(value));
}

void PaneZoom::PaneLoads(const QString &address)
{
    const TURL *url = address.isEmpty() ? nullptr : bookmarkAt(address);
    show(ZoomForLoad(url ? url->Zoom() : -1, true, percent), url);
}

void PaneZoom::pageLoads(const QString &address)
{
    if (const TURL *url = address.isEmpty() ? nullptr : bookmarkAt(address))
        show(ZoomForLoad(url->Zoom(), false, percent), url);
}

void PaneZoom::show(int value, const TURL *owner)
{
    ownerId = owner ? owner->ID() : -1;
    percent = value;
    if (platform::WebControl *control = pane->WebView->Control())
        control->zoom()->setZoom(percent / 100.0);
}

} // namespace mira
