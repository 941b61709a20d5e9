#include "support/panefixture.h"

#include <QCoreApplication>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/align.h"

namespace mira::test {

using platform::FakeWebControl;

void PaneTest::SetUp()
{
    ProgramTest::SetUp();
    previous = platform::SetWebControlFactory([this](QWidget *parent) {
        auto *fake = new FakeWebControl(parent);
        fakes.append(fake);
        return fake;
    });
    start();
}

void PaneTest::TearDown()
{
    ProgramTest::TearDown();
    platform::SetWebControlFactory(previous);
}

TBrowser *PaneTest::newPane()
{
    auto *pane = new TBrowser(form());
    PutInto(pane, form()->ClientArea());
    return pane;
}

FakeWebControl *PaneTest::fakeOf(TBrowser *pane)
{
    return static_cast<FakeWebControl *>(pane->WebView->Control());
}

void PaneTest::settle()
{
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
}

void PaneTest::addBookmarks(TBrowser *pane, const QList<QPair<QString, QString>> &bookmarks)
{
    for (const auto &[name, address] : bookmarks)
        (void)pane->URLs()->Add()->SetNameAndAddress(name, address);
}

QStringList PaneTest::lines(TURLCombo *combo)
{
    QStringList result;
    for (int i = 0; i < combo->count(); ++i)
        result << combo->itemText(i);
    return result;
}

QStringList PaneTest::navigated(TBrowser *pane)
{
    QStringList result;
    for (const FakeWebControl::Navigation &n : fakeOf(pane)->calls.navigations)
        result << n.address;
    return result;
}

} // namespace mira::test
