#include <gtest/gtest.h>

#include "browser/dialogmode.h"
#include "platform/webcontrol.h"

using namespace mira;
using namespace mira::platform;

TEST(EngineCaption, FirstMakerNameGoesAndFirstEngineNameBecomesMira)
{
    const struct {
        const char *caption;
        const char *shown;
    } cases[] = {
        {"Microsoft Internet Explorer", "Mira"},
        {"Web Page Message", "Web Page Message"},
        {"", ""},
        {"Internet Explorer Script Error", "Mira Script Error"},
        {"Microsoft Microsoft Internet Explorer", "Microsoft Mira"},
        {"Internet Explorer - Internet Explorer", "Mira - Internet Explorer"},
        {"microsoft internet explorer", "microsoft internet explorer"}, // case counts
        {"MicrosoftInternet Explorer", "MicrosoftMira"},
    };
    for (const auto &c : cases)
        EXPECT_EQ(RewriteEngineCaption(QString::fromLatin1(c.caption)),
                  QString::fromLatin1(c.shown))
            << c.caption;
}

TEST(DialogModeRule, InteractiveShowsAllOtherModesOnlyQuestionsWithoutError)
{
    const DialogMode interactive{true, false}, moderate{}, silent{false, true}, both{true, true};
    const struct {
        DialogMode mode;
        int type;
        const char *caption;
        bool shown;
    } cases[] = {
        {interactive, MB_OK, "Web Page Message", true},
        {interactive, MB_OK | MB_ICONERROR, "Script Error", true},
        {moderate, MB_OK, "Web Page Message", false},
        {moderate, MB_OK | MB_ICONQUESTION, "Mira", false}, // icons do not count
        {moderate, MB_OKCANCEL, "Mira", true},
        {moderate, MB_YESNO | MB_ICONWARNING, "Certificate Error", false},
        {moderate, MB_YESNO, "Certificate error", true}, // "Error" is case-sensitive
        {moderate, 3, "Mira", true},
        {silent, MB_OKCANCEL, "Mira", true}, // the engine's own boxes are what silent stops
        {silent, MB_OK, "Mira", false},
        {both, MB_OK, "Script Error", true},
    };
    for (const auto &c : cases)
        EXPECT_EQ(MessageReachesUser(c.mode, c.type, QString::fromLatin1(c.caption)), c.shown)
            << c.caption << " type " << c.type << " interactive " << c.mode.interactive
            << " silent " << c.mode.silent;
}

TEST(DialogModeRule, StatusLineIsCaptionColonAndTrimmedText)
{
    EXPECT_EQ(MessageStatusText(QStringLiteral("Mira"), QStringLiteral(" \t Done.\r\n")),
              QStringLiteral("Mira: Done."));
    EXPECT_EQ(MessageStatusText(QString(), QString()), QStringLiteral(": "));
}

TEST(DialogWatcherRule, CaptionIsReadAfterTheMakerNameGoesAndWrittenBackRenamed)
{
    const struct {
        const char *caption;
        const char *written;
        bool engine;
        bool error;
    } cases[] = {
        {"Microsoft Internet Explorer", "Mira", true, false},
        {"Internet Explorer Script Error", "Mira Script Error", true, true},
        {"Certificate Error", "Certificate Error", false, true},
        {"Security Alert", "Security Alert", false, false},
        {"internet explorer error", "internet explorer error", false, false},
        {"", "", false, false},
    };
    for (const auto &c : cases) {
        const WatchedCaption read = ReadWatchedCaption(QString::fromLatin1(c.caption));
        EXPECT_EQ(read.caption, QString::fromLatin1(c.written)) << c.caption;
        EXPECT_EQ(read.engine, c.engine) << c.caption;
        EXPECT_EQ(read.error, c.error) << c.caption;
    }
}

TEST(DialogWatcherRule, CentredCaptionsAreThoseOccurringInTheList)
{
    for (const char *centred : {"Find", "Page Setup", "Print", "Internet Options", "Save Web Page",
                                "Open Configuration File", "Save Configuration File", "Setup",
                                "Open", "Options|Find"}) // any part of the list counts
        EXPECT_TRUE(IsCentredCaption(QString::fromLatin1(centred))) << centred;
    for (const char *other : {"", "Print Preview", "find", "Save As", "Authentication Required"})
        EXPECT_FALSE(IsCentredCaption(QString::fromLatin1(other))) << other;
}

TEST(DialogWatcherRule, ButtonsAndMessageFromTheChildrenInOrder)
{
    const DialogMode moderate{};
    // A later button replaces an earlier one; the first of two longest texts stays.
    DismissPlan plan = PlanDismiss(moderate, QStringLiteral("Mira"),
                                   {QStringLiteral("&No"), QStringLiteral("  Is it so?  "),
                                    QStringLiteral("Is it no?"), QStringLiteral("OK")});
    EXPECT_EQ(plan.kind, DialogButton::OK);
    EXPECT_EQ(plan.button, 3);
    EXPECT_EQ(plan.message, QStringLiteral("  Is it so?  "));
    EXPECT_TRUE(plan.answer);
    EXPECT_EQ(plan.statusText, QStringLiteral("Mira: Is it so?"));

    // "&OK", "No" and short texts are neither buttons nor messages.
    plan = PlanDismiss(moderate, QStringLiteral("Mira"),
                       {QStringLiteral("&OK"), QStringLiteral("No"), QStringLiteral("Short!")});
    EXPECT_EQ(plan.kind, DialogButton::None);
    EXPECT_EQ(plan.button, -1);
    EXPECT_TRUE(plan.message.isEmpty());
    EXPECT_TRUE(plan.answer); // closed with Escape
    EXPECT_TRUE(plan.statusText.isEmpty());
}

TEST(DialogWatcherRule, InteractiveLeavesAllButTheCloseQuestionWhichIsAnsweredNoEverywhere)
{
    const QStringList question = {QStringLiteral("Do you want to close this window?"),
                                  QStringLiteral("&Yes"), QStringLiteral("&No")};
    const QStringList notice = {QStringLiteral("Something went wrong."), QStringLiteral("OK")};
    for (const DialogMode mode :
         {DialogMode{true, false}, DialogMode{}, DialogMode{false, true}, DialogMode{true, true}}) {
        const DismissPlan close = PlanDismiss(mode, QStringLiteral("Mira"), question);
        EXPECT_TRUE(close.closeQuestion);
        EXPECT_TRUE(close.answer);
        EXPECT_EQ(close.kind, DialogButton::No);
        EXPECT_TRUE(close.goBack);
        EXPECT_TRUE(close.statusText.isEmpty());

        const DismissPlan other = PlanDismiss(mode, QStringLiteral("Script Error"), notice);
        EXPECT_EQ(other.answer, !mode.interactive);
        EXPECT_FALSE(other.goBack);
        // The message reaches the status bar whether or not the dialog stays.
        EXPECT_EQ(other.statusText, QStringLiteral("Script Error: Something went wrong."));
    }
}
