#include <QAction>
#include <QActionGroup>
#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QSet>
#include <QSignalSpy>
#include <QTest>
#include <gtest/gtest.h>

#include "app/actiontable.h"
#include "app/activation.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "platform/fakewebcontrol.h"
#include "support/programfixture.h"
#include "support/testdata.h"
#include "support/wait.h"

using namespace mira;

namespace {

// Connections to an action's triggered signal. QObject::receivers is protected;
// a pointer to it taken through a derived class may be called on any object.
struct TriggeredReceivers : QAction {
    static int of(const QAction *action)
    {
        return (action->*(&TriggeredReceivers::receivers))(SIGNAL(triggered(bool)));
    }
};

// Connections the toolkit makes itself: one per menu or menu bar that shows the
// action, one for a radio group.
int toolkitReceivers(const QAction *action)
{
    int n = action->actionGroup() ? 1 : 0;
    for (QObject *o : action->associatedObjects())
        if (qobject_cast<QMenu *>(o) || qobject_cast<QMenuBar *>(o))
            ++n;
    return n;
}

void collect(QMenu *menu, QList<QAction *> &into)
{
    for (QAction *a : menu->actions()) {
        if (a->isSeparator())
            continue;
        if (a->menu())
            collect(a->menu(), into);
        else if (!into.contains(a))
            into.append(a);
    }
}

class Menus : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        previous = platform::SetWebControlFactory(
            [](QWidget *parent) { return new platform::FakeWebControl(parent); });
        writeFile(QStringLiteral("Example.set"), test::crlf(test::testData("example.set")));
        start({QStringLiteral("Example")});
    }
    void TearDown() override
    {
        ProgramTest::TearDown();
        platform::SetWebControlFactory(previous);
    }

    platform::WebControlFactory previous;
};

} // namespace

TEST_F(Menus, EveryEntryOfEveryMenuHasACommandOrSaysItIsNotThereYet)
{
    ASSERT_FALSE(module()->Panes().List().isEmpty());
    auto *pane = static_cast<TBrowser *>(module()->Panes().List().first());
    module()->SetLastControl(pane->NaviBar); // the document commands act on this pane

    QList<QAction *> entries;
    for (QAction *heading : form()->menuBar()->actions())
        if (heading->menu())
            collect(heading->menu(), entries);
    for (QMenu *popup : {module()->Menus().StatusPopup(), module()->Menus().ArrowPopup(),
                         module()->Menus().DesignPopup(), module()->Menus().URLPopup()})
        collect(popup, entries);
    ASSERT_GT(entries.size(), 60);

    // These end the window; their commands are seen by the program tests.
    const QSet<QAction *> leaving = {module()->Action("ExitAction"),
                                     module()->Action("MinimizeAction")};
    modal.setDefault(mrCancel);
    QStringList dead;
    for (QAction *a : entries) {
        if (leaving.contains(a))
            continue;
        a->setEnabled(true); // each is chosen as the user could once it is enabled
        const int boxes = modal.asked.size();
        // A check mark that moves is no command: a switch needs one too.
        const bool hasCommand = TriggeredReceivers::of(a) > toolkitReceivers(a);
        a->trigger();
        if (!hasCommand && modal.asked.size() == boxes)
            dead << a->objectName() + QStringLiteral(" (") + a->text() + QLatin1Char(')');
    }
    EXPECT_TRUE(dead.isEmpty()) << dead.join(QStringLiteral(", ")).toStdString();
}

TEST_F(Menus, ASwitchNotBuiltYetSaysSoAndKeepsItsCheckMark)
{
    // No switch waits for its feature now: one of the waiting commands stands in.
    QAction *organize = module()->Action("OptionsAction");
    organize->setCheckable(true);
    organize->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Sorry, not imlemented yet."));
    EXPECT_FALSE(organize->isChecked());
}

TEST_F(Menus, TextSizeGoesToEveryPaneWithADocumentAndMovesTheCheck)
{
    ASSERT_GE(module()->Panes().List().size(), 2);
    auto fakeOf = [](QWidget *w) {
        return static_cast<platform::FakeWebControl *>(
            static_cast<TBrowser *>(w)->WebView->Control());
    };
    auto *loaded = static_cast<TBrowser *>(module()->Panes().List().first());
    loaded->WebView->NavigateTo(QStringLiteral("http://page/"));
    for (int i = 0; i < 3; ++i)
        QCoreApplication::processEvents();
    ASSERT_TRUE(loaded->Commands().HasDocument());

    module()->Action("TextSizeLargestAction")->trigger();
    EXPECT_TRUE(module()->Action("TextSizeLargestAction")->isChecked());
    EXPECT_FALSE(module()->Action("TextSizeMediumAction")->isChecked());
    EXPECT_EQ(fakeOf(loaded)->state.zoomLevel, 4);
    EXPECT_EQ(fakeOf(module()->Panes().List().last())->state.zoomLevel,
              2); // no document: unchanged
}

TEST_F(Menus, FKeysWorkWhereverTheFocusIsAlsoWithoutAMenuBar)
{
    form()->show();
    ActivateWhenShown(form());
    ASSERT_TRUE(test::waitUntil([&] { return form()->isActiveWindow(); }, 2000));
    form()->menuBar()->hide();
    auto *pane = static_cast<TBrowser *>(module()->Panes().List().first());

    QSignalSpy goAll(module()->Action("GoAllAction"), &QAction::triggered);
    pane->AddressCombo->setFocus();
    QTest::keyClick(pane->AddressCombo, Qt::Key_F9);
    EXPECT_EQ(goAll.count(), 1);

    QSignalSpy stopAll(module()->Action("StopAllAction"), &QAction::triggered);
    QWidget *page = pane->WebView->Control()->widget();
    ASSERT_NE(page, nullptr);
    page->setFocus();
    QTest::keyClick(page, Qt::Key_F7);
    EXPECT_EQ(stopAll.count(), 1);
    for (const ActionRow &row : ActionTable()) {
        QAction *a = module()->Action(row.name);
        if (!a->shortcut().isEmpty()) {
            EXPECT_TRUE(form()->actions().contains(a)) << a->objectName().toStdString();
        }
    }
}

TEST(ActionTable, EveryRowFillsItsOwnMemberOnce)
{
    QSet<QString> names;
    for (const ActionRow &row : ActionTable()) {
        EXPECT_FALSE(names.contains(QString::fromLatin1(row.name))) << row.name;
        names.insert(QString::fromLatin1(row.name));
        EXPECT_NE(QString::fromUtf8(row.caption), QString()) << row.name;
        EXPECT_TRUE(!(row.flags & afChecked) || (row.flags & afCheckable)) << row.name;
    }
    EXPECT_EQ(names.size(), int(ActionTable().size()));
}
