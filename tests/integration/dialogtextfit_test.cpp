// Every dialog of the program shows its texts in full, with this desktop's fonts, at
// 96 dpi (the test run) and at 144 dpi (the same test in a child run whose fonts are
// set to 144 dpi).
#include <QApplication>
#include <QCoreApplication>
#include <QFile>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLineEdit>
#include <QProcess>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QSpinBox>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "about/aboutform.h"
#include "app/lockcontrol.h"
#include "bookmarks/bookmarkedform.h"
#include "dialogs/messagebox.h"
#include "layout/text.h"
#include "lock/keyform.h"
#include "lock/lockform.h"
#include "support/scriptedmodal.h"
#include "support/textfit.h"

using namespace mira;

namespace {

int screenDpi()
{
    return qRound(QGuiApplication::primaryScreen()->logicalDotsPerInchY());
}

// Shows the dialog as the user gets it; what of its text is cut, one line each.
std::string clippedWhenShown(QWidget *dialog, const QString &name)
{
    dialog->show();
    QCoreApplication::processEvents();
    test::SaveShot(dialog, name + QStringLiteral("-") + QString::number(screenDpi()));
    const QStringList clipped = test::ClippedTexts(dialog);
    dialog->hide();
    return clipped.join(QLatin1Char('\n')).toStdString();
}

// The program's boxes, seen through the modal runner.
struct BoxSeen {
    std::string clipped;
    QSize size;
};

BoxSeen inputBox(int width, int height, const QString &prompt, const QString &caption)
{
    test::ScriptedModal modal;
    BoxSeen seen;
    modal.answerWith([&](ModalRecord &r) {
        seen.clipped = clippedWhenShown(r.dialog, caption);
        seen.size = r.dialog->size();
        return int(mrCancel);
    });
    QString text = QStringLiteral("Market");
    ShowInputBox(nullptr, width, height, 0, text, prompt, caption);
    return seen;
}

BoxSeen messageBox(const QString &text, const QString &caption, MsgButtons buttons)
{
    test::ScriptedModal modal;
    BoxSeen seen;
    modal.answerWith([&](ModalRecord &r) {
        seen.clipped = clippedWhenShown(r.dialog, caption);
        seen.size = r.dialog->size();
        return int(mrOK);
    });
    ShowMessageBox(nullptr, text, caption, MsgType::Warning, buttons);
    return seen;
}

} // namespace

TEST(DialogTextFit, EveryDialogShowsItsTextsInFull)
{
    // In the child run: the fonts really are at the dpi asked for.
    if (const int dpi = qEnvironmentVariableIntValue("MIRA_FIT_DPI"); dpi > 0) {
        ASSERT_EQ(screenDpi(), dpi);
    }

    {
        TBookmarkEdForm editor(nullptr);
        EXPECT_EQ(clippedWhenShown(&editor, QStringLiteral("editor")), "");
        // The period's row lies under the address, inside the window.
        EXPECT_GT(editor.edPeriod->y(), editor.edAddress->geometry().bottom());
    }
    {
        TKeyForm key(QStringLiteral("Market"));
        EXPECT_EQ(clippedWhenShown(&key, QStringLiteral("key")), "");
        // The prompt wraps above the key, the buttons stand beside the edits.
        EXPECT_LT(key.txKey->geometry().bottom(), key.edKey->y());
        EXPECT_GT(key.btnOK->x(), key.edKey->geometry().right());
    }
    {
        TLockForm lock([](const QString &) { return false; }, [] {});
        EXPECT_EQ(clippedWhenShown(&lock, QStringLiteral("lock")), "");
        EXPECT_GT(lock.Bar->x(), lock.edKey->geometry().right());
    }
    {
        TAboutForm about;
        EXPECT_EQ(clippedWhenShown(&about, QStringLiteral("about")), "");
    }

    const QString newCaption = QStringLiteral("New Configuration");
    const BoxSeen named = inputBox(0, 0, QStringLiteral("Enter name for new configuration"),
                                   newCaption);
    EXPECT_EQ(named.clipped, "");
    // Room for the caption in bold, the window icon and three buttons.
    QFont title = QApplication::font();
    title.setBold(true);
    const QFontMetrics titleMetrics(title);
    EXPECT_GE(named.size.width(),
              titleMetrics.horizontalAdvance(newCaption) + 4 * titleMetrics.height());

    // A prompt of three lines in the size the add command asks for.
    const BoxSeen adding =
        inputBox(270, 160,
                 QStringLiteral("Entered name already assigned for address\n"
                                "http://intranet.example/reports/quarterly/\nPlease, re-enter"),
                 QStringLiteral("Bookmark Adding"));
    EXPECT_EQ(adding.clipped, "");
    EXPECT_GE(adding.size.width(), 270);
    EXPECT_GE(adding.size.height(), 160);

    EXPECT_EQ(messageBox(WrongKeyMessage(0), QStringLiteral("Wrong Key"), mbOK).clipped, "");
    EXPECT_EQ(messageBox(QStringLiteral("Save changes to the configuration set?"),
                         QStringLiteral("File Changed"), mbYes | mbNo | mbCancel)
                  .clipped,
              "");
}

TEST(DialogTextFit, AtOneAndAHalfTimesTheDpi)
{
    if (qEnvironmentVariableIsSet("MIRA_FIT_DPI"))
        GTEST_SKIP() << "this is the child run";
    // A screen of 144 logical dpi without scaling (base dpi 144 as well): fonts get
    // half as many pixels again while the dialogs' pixels stay pixels, as on a desktop
    // set to 144 dpi. (QT_FONT_DPI leaves the offscreen screen at 96; QT_SCALE_FACTOR
    // scales pixels and fonts alike and changes nothing in the layout.)
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QString config = dir.filePath(QStringLiteral("screen144.json"));
    {
        QFile f(config);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(R"({"screens": [{"name": "Dense", "x": 0, "y": 0, "width": 1920, "height": 1080,
                    "logicalDpi": 144, "logicalBaseDpi": 144, "dpr": 1}]})");
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen:configfile=") + config);
    env.insert(QStringLiteral("MIRA_FIT_DPI"), QStringLiteral("144"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::MergedChannels);
    child.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--gtest_filter=DialogTextFit.EveryDialogShowsItsTextsInFull")});
    ASSERT_TRUE(child.waitForFinished(120000));
    const QString output = QString::fromLocal8Bit(child.readAll());
    EXPECT_EQ(child.exitCode(), 0) << output.toStdString();
    EXPECT_TRUE(output.contains(QStringLiteral("[  PASSED  ] 1 test"))) << output.toStdString();
}
