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
