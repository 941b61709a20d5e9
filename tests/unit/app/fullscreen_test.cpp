#include <QAction>
#include <QCoreApplication>
#include <QTest>
#include <gtest/gtest.h>

#include "app/fullscreen.h"
#include "support/programfixture.h"

using namespace mira;

namespace {

class FullScreen : public test::ProgramTest {
protected:
    // A set as the program writes it, with the flags word tag (none when 0).
    QString writeSet(int tag)
    {
        QByteArray t = "object TBaseForm\r\n";
        if (tag)
            t += "  Tag = " + QByteArray::number(tag) + "\r\n";
        t += "  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n"
             "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
             "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n"
             "    Height = 415\r\n    Align = alClient\r\n  end\r\nend\r\n";
        return writeFile(QStringLiteral("Wall.set"), t);
    }
    // Opens the set, saves it at once and gives back what was written.
    QByteArray openAndSave(const QString &path)
    {
        start({QStringLiteral("Wall")});
        EXPECT_TRUE(module()->File().Sets().IsSetOpen());
        module()->Action("FileSaveNowAction")->trigger();
        return readFile(path);
    }
    bool windowFullScreen() const { return form()->windowState() & Qt::WindowFullScreen; }
    // Shown, the window goes full screen once it has been framed in its bounds.
    bool shownFullScreen()
    {
        form()->show();
        return QTest::qWaitFor([this] { return windowFullScreen(); }, 5000);
    }
};

} // namespace

TEST_F(FullScreen, TheFlagBitOpensFullScreenAndSavesUnchanged)
{
    for (const int tag : {0, int(pfAutoSave), 512, 512 | pfHiddenMenu}) {
        program.reset(); // saving on exit would write over the next set
        const QString path = writeSet(tag);
        const QByteArray written = readFile(path);
        const QByteArray saved = openAndSave(path);
        // A set opened and saved without change stays byte for byte as it was.
        EXPECT_EQ(saved, written) << tag;
        const bool on = (tag & 512) != 0;
        EXPECT_EQ(module()->Action("FullScreenAction")->isChecked(), on) << tag;
        EXPECT_EQ(form()->FullScreen(), on) << tag;
        EXPECT_FALSE(windowFullScreen()) << tag; // not framed yet
        EXPECT_TRUE(module()->Action("FullScreenAction")->isEnabled());
    }
}

TEST_F(FullScreen, TheMenuItemTogglesTheBitAndKeepsTheNormalBounds)
{
    start();
    EXPECT_FALSE(module()->Action("FullScreenAction")->isEnabled()); // no set open
    EXPECT_EQ(module()->Action("FullScreenAction")->shortcut(), QKeySequence(Qt::Key_F11));
    const QString path = writeSet(pfAutoSave);
    start({QStringLiteral("Wall")});
    form()->show();
    QCoreApplication::processEvents();
    const QRect normal = form()->StoredBounds();

    module()->Action("FullScreenAction")->trigger();
    EXPECT_TRUE(shownFullScreen());
    EXPECT_EQ(form()->Tag(), 512 | pfAutoSave);
    EXPECT_EQ(form()->StoredBounds(), normal);
    module()->Action("FileSaveNowAction")->trigger();
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.contains("  Tag = 514\r\n")) << saved.toStdString();
    EXPECT_TRUE(saved.contains("  Width = 640\r\n  Height = 480\r\n")) << saved.toStdString();

    module()->Action("FullScreenAction")->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(windowFullScreen());
    EXPECT_EQ(form()->Tag(), int(pfAutoSave));
    EXPECT_EQ(form()->StoredBounds(), normal);
}

TEST_F(FullScreen, ForcedForOneRunLeavesTheSetUntouched)
{
    const QString path = writeSet(pfAutoSave);
    // The set as the program writes it from its normal window.
    start({QStringLiteral("Wall")});
    form()->show();
    QCoreApplication::processEvents();
    const QSize normalArea = form()->ClientArea()->size();
    module()->Action("FileSaveNowAction")->trigger();
    const QByteArray written = readFile(path);
    program.reset();

    start({QStringLiteral("Wall")});
    module()->File().SetFullScreenForced(true);
    UpdateFullScreen(*module());
    EXPECT_TRUE(shownFullScreen());
    ASSERT_TRUE(QTest::qWaitFor([&] { return form()->ClientArea()->size() != normalArea; }));
    EXPECT_EQ(static_cast<SetForm *>(form())->storedLayoutSize(), normalArea);
    EXPECT_TRUE(module()->Action("FullScreenAction")->isChecked());
    EXPECT_EQ(form()->Tag(), int(pfAutoSave));
    module()->Action("FileSaveNowAction")->trigger();
    EXPECT_EQ(readFile(path), written);

    // The user leaving it ends it for the run; nothing changed, nothing to write.
    module()->Action("FullScreenAction")->trigger();
    EXPECT_FALSE(windowFullScreen());
    EXPECT_FALSE(module()->File().FullScreenForced());
    // (The offscreen platform puts the window back unframed: only the form is compared.)
    module()->Action("FileSaveNowAction")->trigger();
    const QByteArray saved = readFile(path);
    EXPECT_TRUE(saved.startsWith("object TBaseForm\r\n  Tag = 2\r\n  Left = 10\r\n  Top = 20\r\n"
                                 "  Width = 640\r\n  Height = 480\r\n"))
        << saved.toStdString();

    // Forced with no set open, it can still be left.
    module()->File().SetFullScreenForced(true);
    module()->File().Sets().CloseConfigFile();
    EXPECT_TRUE(shownFullScreen());
    EXPECT_TRUE(module()->Action("FullScreenAction")->isEnabled());
}
