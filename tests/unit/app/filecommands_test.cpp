#include <QAction>
#include <gtest/gtest.h>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

class GoAllOnOpen : public test::PaneTest {
protected:
    // A set of one pane with one bookmark, Go All On Open as the tag says.
    static QByteArray wall(int tag)
    {
        QByteArray t = "object TBaseForm\r\n";
        if (tag)
            t += "  Tag = " + QByteArray::number(tag) + "\r\n";
        t +=
            "  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n"
            "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
            "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n"
            "    Height = 415\r\n    Align = alClient\r\n"
            "    object TBrowser\r\n      Left = 0\r\n      Top = 0\r\n      Width = 632\r\n"
            "      Height = 415\r\n      Align = alClient\r\n      URLs = <\r\n"
            "        item\r\n          Name = 'Home'\r\n          Address = 'http://home.test/'\r\n"
            "          Refresh = $1E\r\n        end>\r\n    end\r\n  end\r\nend\r\n";
        return t;
    }
    TBrowser *pane() const { return form()->findChild<TBrowser *>(); }
};

} // namespace

TEST_F(GoAllOnOpen, TheBitLoadsEveryPaneOnceTheSetIsOpen)
{
    writeFile(QStringLiteral("Wall.set"), wall(256 | pfAutoSave));
    start({QStringLiteral("Wall")});
    ASSERT_NE(pane(), nullptr);
    EXPECT_EQ(navigated(pane()), QStringList{QStringLiteral("http://home.test/")});
    EXPECT_TRUE(module()->Action("GoAllOnOpenAction")->isChecked());
    EXPECT_TRUE(module()->Action("FileAutoSaveAction")->isChecked()); // the other bits as read
    // A hand-edited hexadecimal Refresh is a period like any other.
    settle();
    EXPECT_EQ(pane()->Reloads().TimedRefreshPeriod(), 30);
}

TEST_F(GoAllOnOpen, WithoutTheBitNothingLoads)
{
    writeFile(QStringLiteral("Wall.set"), wall(0));
    start({QStringLiteral("Wall")});
    ASSERT_NE(pane(), nullptr);
    EXPECT_TRUE(navigated(pane()).isEmpty());
    EXPECT_FALSE(module()->Action("GoAllOnOpenAction")->isChecked());
    EXPECT_TRUE(module()->Action("GoAllOnOpenAction")->isEnabled());
}

TEST_F(GoAllOnOpen, TheMenuItemTogglesTheBitThatIsSavedWithTheSet)
{
    EXPECT_FALSE(module()->Action("GoAllOnOpenAction")->isEnabled()); // no set open
    const QString path = writeFile(QStringLiteral("Wall.set"), wall(pfAutoSave));
    start({QStringLiteral("Wall")});
    module()->Action("GoAllOnOpenAction")->trigger();
    EXPECT_EQ(form()->Tag(), 256 | pfAutoSave);
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_TRUE(readFile(path).contains("  Tag = 258\r\n"));

    // Reopened, it loads by itself.
    start({QStringLiteral("Wall")});
    EXPECT_EQ(navigated(pane()).size(), 1);

    module()->Action("GoAllOnOpenAction")->trigger();
    EXPECT_EQ(form()->Tag(), int(pfAutoSave));
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_TRUE(readFile(path).contains("  Tag = 2\r\n"));
}
