#include <QApplication>
#include <QTest>
#include <QWidget>
#include <gtest/gtest.h>

#include "app/activation.h"
#include "support/programfixture.h"
#include "support/wait.h"

using namespace mira;
using test::waitUntil;

namespace {

class Activation : public test::ProgramTest {};

} // namespace

TEST_F(Activation, TheShownMainWindowBecomesActiveWithAWidgetForTheKeys)
{
    start();
    form()->show();
    ActivateWhenShown(form());
    ASSERT_TRUE(waitUntil([&] { return form()->isActiveWindow(); }, 2000));
    ASSERT_TRUE(waitUntil([&] { return QApplication::focusWidget() != nullptr; }, 2000));
    EXPECT_EQ(QApplication::focusWidget()->window(), form());
}

TEST_F(Activation, TheSplashTakingTheActivationAtStartGivesItBack)
{
    start();
    QWidget splash(nullptr, Qt::SplashScreen);
    splash.resize(100, 40);
    splash.show();
    form()->show();
    ActivateWhenShown(form());
    ASSERT_TRUE(waitUntil([&] { return form()->isActiveWindow(); }, 2000));
    splash.activateWindow(); // as a splash going late, or a lost request, would
    ASSERT_TRUE(waitUntil([&] { return splash.isActiveWindow(); }, 2000));
    EXPECT_TRUE(waitUntil([&] { return form()->isActiveWindow(); }, 2000));
}

TEST_F(Activation, AnotherWindowOfTheProgramKeepsTheActivation)
{
    start();
    form()->show();
    ActivateWhenShown(form());
    ASSERT_TRUE(waitUntil([&] { return form()->isActiveWindow(); }, 2000));
    QWidget other;
    other.resize(100, 40);
    other.show();
    other.activateWindow();
    ASSERT_TRUE(waitUntil([&] { return other.isActiveWindow(); }, 2000));
    QTest::qWait(300);
    EXPECT_TRUE(other.isActiveWindow());
}

TEST_F(Activation, AMinimizedStartIsLeftAlone)
{
    start();
    form()->showMinimized();
    ActivateWhenShown(form());
    QTest::qWait(200);
    EXPECT_TRUE(form()->isMinimized());
}
