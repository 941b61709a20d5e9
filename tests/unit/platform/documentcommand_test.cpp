// A document command by its number reaches the capability it stands for, with what
// the design's callers pass, and nothing reaches a control without a document.
#include <gtest/gtest.h>

#include "platform/documentcommand.h"
#include "platform/fakewebcontrol.h"

using namespace mira::platform;

namespace {

struct Shown {
    FakeWebControl control;
    Shown() { control.state.document = true; }
};

} // namespace

TEST(DocumentCommand, EachNumberRunsItsCommandWithItsOption)
{
    const struct {
        bool useGroup;
        int command;
        int option;
        int expectedOption; // as the control receives it
    } cases[] = {
        {false, OLECMDID_OPEN, OLECMDEXECOPT_DODEFAULT, OLECMDEXECOPT_DODEFAULT},
        {false, OLECMDID_SAVEAS, OLECMDEXECOPT_PROMPTUSER, OLECMDEXECOPT_DODEFAULT},
        {false, OLECMDID_PRINT, OLECMDEXECOPT_PROMPTUSER, OLECMDEXECOPT_PROMPTUSER},
        {false, OLECMDID_PRINT, OLECMDEXECOPT_DONTPROMPTUSER, OLECMDEXECOPT_DONTPROMPTUSER},
        {false, OLECMDID_PRINTPREVIEW, OLECMDEXECOPT_DODEFAULT, OLECMDEXECOPT_DODEFAULT},
        {false, OLECMDID_PAGESETUP, OLECMDEXECOPT_DODEFAULT, OLECMDEXECOPT_DODEFAULT},
        {true, CGID_IWebBrowser_FIND, OLECMDEXECOPT_DODEFAULT, OLECMDEXECOPT_DODEFAULT},
        {true, CGID_IWebBrowser_OPTIONS, OLECMDEXECOPT_DODEFAULT, OLECMDEXECOPT_DODEFAULT},
    };
    for (const auto &c : cases) {
        Shown shown;
        EXPECT_TRUE(RunDocumentCommand(shown.control, c.useGroup, c.command, c.option, {}, nullptr))
            << c.command;
        ASSERT_EQ(shown.control.calls.commands.size(), 1) << c.command;
        const FakeWebControl::Command &ran = shown.control.calls.commands.first();
        EXPECT_EQ(ran.useGroup, c.useGroup) << c.command;
        EXPECT_EQ(ran.command, c.command) << c.command;
        EXPECT_EQ(ran.option, c.expectedOption) << c.command;
    }
}

TEST(DocumentCommand, UnknownNumbersAndAnyWithoutDocumentAreRefusedUntouched)
{
    Shown shown;
    // The groups' numbers do not mix: find is 1 only in the browser group.
    EXPECT_FALSE(RunDocumentCommand(shown.control, false, 999, 0, {}, nullptr));
    EXPECT_FALSE(RunDocumentCommand(shown.control, true, OLECMDID_PRINT, 0, {}, nullptr));
    EXPECT_TRUE(shown.control.calls.commands.isEmpty());

    FakeWebControl blank;
    QVariant out;
    for (int command : {OLECMDID_OPEN, OLECMDID_PRINT, OLECMDID_ZOOM, OLECMDID_GETZOOMRANGE})
        EXPECT_FALSE(RunDocumentCommand(blank, false, command, 0, 3, &out)) << command;
    EXPECT_FALSE(RunDocumentCommand(blank, true, CGID_IWebBrowser_FIND, 0, {}, nullptr));
    EXPECT_FALSE(out.isValid());
    EXPECT_TRUE(blank.calls.commands.isEmpty());
    EXPECT_EQ(blank.state.zoomLevel, 2);
}

TEST(DocumentCommand, ZoomSetsReadsAndPacksItsRange)
{
    Shown shown;
    shown.control.state.zoomMin = 1;
    shown.control.state.zoomMax = 3;
    QVariant out;
    ASSERT_TRUE(RunDocumentCommand(shown.control, false, OLECMDID_GETZOOMRANGE, 0, {}, &out));
    EXPECT_EQ(out.toUInt(), (3u << 16) | 1u);

    ASSERT_TRUE(RunDocumentCommand(shown.control, false, OLECMDID_ZOOM, 0, 3, &out));
    EXPECT_EQ(out.toInt(), 3);
    // Outside the range, or not a number: refused, the level and the answer stay.
    out = QVariant();
    EXPECT_FALSE(RunDocumentCommand(shown.control, false, OLECMDID_ZOOM, 0, 4, &out));
    EXPECT_FALSE(
        RunDocumentCommand(shown.control, false, OLECMDID_ZOOM, 0, QStringLiteral("x"), &out));
    EXPECT_FALSE(out.isValid());
    EXPECT_EQ(shown.control.state.zoomLevel, 3);
    // A null input only reads.
    ASSERT_TRUE(RunDocumentCommand(shown.control, false, OLECMDID_ZOOM, 0, {}, &out));
    EXPECT_EQ(out.toInt(), 3);
    EXPECT_TRUE(RunDocumentCommand(shown.control, false, OLECMDID_ZOOM, 0, {}, nullptr));
}
