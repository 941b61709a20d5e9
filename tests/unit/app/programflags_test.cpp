#include <QAction>
#include <gtest/gtest.h>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/programflags.h"
#include "support/programfixture.h"

using namespace mira;

TEST(ProgramFlags, BitsAreTheValuesSetFilesStore)
{
    const struct {
        ProgramFlag flag;
        int value;
    } rows[] = {
        {pfNoSaveOnClose, 1},
        {pfAutoSave, 2},
        {pfInteractive, 4},
        {pfSilent, 8},
        {pfHiddenMenu, 16},
        {pfLockOnMinimize, 32},
        {pfLockSize, 64},
        {pfNoCache, 128},
        {pfGoAllOnOpen, 256},
        {pfFullScreen, 512},
        {pfSeparateProcesses, 1024},
    };
    int all = 0;
    for (const auto &r : rows) {
        EXPECT_EQ(ProgramFlags(r.flag).toInt(), r.value);
        all |= r.value;
    }
    EXPECT_EQ(all, 2047); // no two flags share a bit
}

namespace {
using ProgramFlagsOfTheWindow = test::ProgramTest;
} // namespace

TEST_F(ProgramFlagsOfTheWindow, SetAndClearChangeOnlyTheirBitsOfTheTag)
{
    start();
    form()->SetTag(pfAutoSave | 4096); // a bit this version does not know stays
    module()->SetProgramFlag(pfSilent | pfHiddenMenu);
    EXPECT_EQ(form()->Tag(), 2 | 8 | 16 | 4096);
    module()->SetProgramFlag(pfAutoSave | pfSilent, false);
    EXPECT_EQ(form()->Tag(), 16 | 4096);
    EXPECT_TRUE(module()->Flags().testFlag(pfHiddenMenu));
    EXPECT_FALSE(module()->Flags().testFlag(pfAutoSave));
}

TEST_F(ProgramFlagsOfTheWindow, TheDialogModesAreExclusive)
{
    start();
    module()->Action("SilentAction")->trigger();
    EXPECT_EQ(form()->Tag() & (pfInteractive | pfSilent), int(pfSilent));
    module()->Action("InteractiveAction")->trigger();
    EXPECT_EQ(form()->Tag() & (pfInteractive | pfSilent), int(pfInteractive));
    EXPECT_EQ(form()->CurrentDialogMode().interactive, true);
    module()->Action("ModerateAction")->trigger();
    EXPECT_EQ(form()->Tag() & (pfInteractive | pfSilent), 0);
    EXPECT_TRUE(module()->Action("ModerateAction")->isChecked());
}
