#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "browser/panezoom.h"
#include "support/panefixture.h"

using namespace mira;
using namespace mira::platform;

namespace {

class PaneZoomTest : public test::PaneTest {
protected:
    // A pane with bookmarks Big (150 %) and Plain, and a second pane.
    void SetUp() override
    {
        PaneTest::SetUp();
        pane = newPane();
        other = newPane();
        addBookmarks(pane, {{QStringLiteral("Big"), QStringLiteral("http://big.test/")},
                            {QStringLiteral("Plain"), QStringLiteral("http://plain.test/")}});
        big()->SetZoom(150);
    }
    // By name: a visited bookmark moves to the end of the list.
    TURL *big() const { return bookmark("Big"); }
    TURL *plain() const { return bookmark("Plain"); }
    TURL *bookmark(const char *name) const
    {
        return pane->URLs()->Items(pane->URLs()->IndexOfName(QString::fromLatin1(name)));
    }
    // Goes to a bookmark's name or a typed address, as the Go button does.
    void go(const QString &text)
    {
        pane->AddressCombo->setEditText(text);
        pane->GoClick(pane->GoButton);
    }
    double zoom() const { return fakeOf(pane)->state.zoom; }

    TBrowser *pane = nullptr;
    TBrowser *other = nullptr;
};

} // namespace

TEST(PaneZoomRule, ABookmarkBringsItsZoomATypedAddress100AnythingElseKeepsIt)
{
    const struct {
        int bookmarkZoom; // -1: the address is no bookmark
        bool typed;
        int current;
        int result;
    } rows[] = {
        {150, false, 100, 150},  // Go All, a link or Back to a bookmark
        {150, true, 200, 150},   // a bookmark's address typed in the box
        {100, false, 175, 100},  // an unzoomed bookmark
        {-1, true, 175, 100},    // a typed address
        {-1, false, 175, 175},   // a redirect or a link from the page shown
        {1000, false, 100, 300}, // out of range, whatever put it there
    };
    for (const auto &r : rows)
        EXPECT_EQ(ZoomForLoad(r.bookmarkZoom, r.typed, r.current), r.result)
            << r.bookmarkZoom << " " << r.typed << " " << r.current;
}

TEST_F(PaneZoomTest, TheZoomFollowsTheBookmarkAndIsSetBeforeTheLoadStarts)
{
    go(QStringLiteral("Big"));
    EXPECT_EQ(zoom(), 1.5); // at the navigation call, not after the load
    settle();
    go(QStringLiteral("http://typed.test/"));
    EXPECT_EQ(zoom(), 1.0);
    settle();
    go(QStringLiteral("Big"));
    settle();
    EXPECT_EQ(zoom(), 1.5);
    go(QStringLiteral("Plain"));
    EXPECT_EQ(zoom(), 1.0);
    settle();

    // What the page does by itself: Back to a bookmark brings its zoom, a link or a
    // redirect elsewhere keeps the one shown.
    FakeWebControl *fake = fakeOf(pane);
    fake->script().emitBeforeNavigate(QStringLiteral("http://big.test/"));
    EXPECT_EQ(zoom(), 1.5);
    fake->script().emitBeforeNavigate(QStringLiteral("http://big.test/next"));
    EXPECT_EQ(zoom(), 1.5);
    EXPECT_EQ(fakeOf(other)->state.zoom, 1.0);
}

TEST_F(PaneZoomTest, ZoomingKeepsTheZoomInTheBookmarkShownOnly)
{
    go(QStringLiteral("Plain"));
    settle();
    pane->Zoom->Step(1);
    pane->Zoom->Step(1);
    EXPECT_EQ(plain()->Zoom(), 125);
    EXPECT_EQ(zoom(), 1.25);
    EXPECT_EQ(form()->StatusText(), QStringLiteral("Zoom 125 %"));
    EXPECT_EQ(big()->Zoom(), 150);
    EXPECT_EQ(fakeOf(other)->state.zoom, 1.0);
    pane->Zoom->Step(0);
    EXPECT_EQ(plain()->Zoom(), 100);

    // A redirect left the bookmark's address: the change still belongs to it.
    go(QStringLiteral("Big"));
    settle();
    fakeOf(pane)->state.location = QStringLiteral("http://big.test/login");
    pane->Zoom->Step(-1);
    EXPECT_EQ(big()->Zoom(), 125);

    // A typed address zooms for the moment only; no bookmark changes.
    go(QStringLiteral("http://typed.test/"));
    settle();
    pane->Zoom->Step(1);
    EXPECT_EQ(zoom(), 1.1);
    EXPECT_EQ(big()->Zoom(), 125);
    EXPECT_EQ(plain()->Zoom(), 100);
}

TEST_F(PaneZoomTest, CtrlWheelAndTheKeysZoomThePaneWithTheFocus)
{
    go(QStringLiteral("Plain"));
    settle();
    fakeOf(pane)->script().emitZoomWheel(2);
    EXPECT_EQ(plain()->Zoom(), 125);
    fakeOf(pane)->script().emitZoomWheel(-1);
    EXPECT_EQ(plain()->Zoom(), 110);

    form()->show();
    form()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form()));
    QLineEdit *box = pane->AddressCombo->lineEdit();
    box->setFocus();
    ASSERT_TRUE(QTest::qWaitFor([&] { return box->hasFocus(); }));
    const QString text = box->text();
    QTest::keyClick(box, Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(plain()->Zoom(), 125);
    QTest::keyClick(box, Qt::Key_Equal, Qt::ControlModifier);
    EXPECT_EQ(plain()->Zoom(), 150);
    QTest::keyClick(box, Qt::Key_Minus, Qt::ControlModifier);
    EXPECT_EQ(plain()->Zoom(), 125);
    QTest::keyClick(box, Qt::Key_Plus, Qt::ControlModifier | Qt::KeypadModifier);
    EXPECT_EQ(plain()->Zoom(), 150);
    QTest::keyClick(box, Qt::Key_0, Qt::ControlModifier);
    EXPECT_EQ(plain()->Zoom(), 100);
    EXPECT_EQ(box->text(), text); // the keys typed nothing
    // The other pane's keys act on the other pane.
    other->AddressCombo->lineEdit()->setFocus();
    QTest::keyClick(other->AddressCombo->lineEdit(), Qt::Key_Plus, Qt::ControlModifier);
    EXPECT_EQ(fakeOf(other)->state.zoom, 1.1);
    EXPECT_EQ(zoom(), 1.0);
}
