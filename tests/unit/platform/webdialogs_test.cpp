// Alerts reach their host after the engine's callback has returned, one at a time,
// so a box open for one page holds no other.
#include <QEventLoop>
#include <QTimer>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "platform/fakewebcontrol.h"
#include "platform/webdialogs.h"
#include "support/wait.h"

using namespace mira::platform;

namespace {

WebMessage alertSaying(const QString &text)
{
    return {text, EngineCaption(), MB_OK | MB_ICONWARNING, false, {}, IDOK};
}

} // namespace

TEST(AlertsLater, ComeAfterTheCallbackInOrderAndOneAtATime)
{
    FakeWebControl one;
    FakeWebControl two;
    QStringList delivered;
    int open = 0;
    int mostOpen = 0;
    // The first delivery runs its own event loop, as a box does.
    auto deliver = [&](WebMessage &m) {
        ++open;
        mostOpen = std::max(mostOpen, open);
        delivered << m.text;
        if (m.text == QLatin1String("first")) {
            EXPECT_TRUE(AlertWaiting(&one));
            QEventLoop box;
            QTimer::singleShot(50, &box, &QEventLoop::quit);
            box.exec();
        }
        --open;
    };
    DeliverAlertLater(&one, alertSaying(QStringLiteral("first")), deliver);
    DeliverAlertLater(&two, alertSaying(QStringLiteral("second")), deliver);
    EXPECT_TRUE(delivered.isEmpty()); // not inside the caller
    EXPECT_TRUE(AlertWaiting(&one));
    EXPECT_TRUE(AlertWaiting(&two));
    ASSERT_TRUE(mira::test::waitUntil([&] { return delivered.size() == 2; }, 2000));
    EXPECT_EQ(delivered, QStringList({"first", "second"}));
    EXPECT_EQ(mostOpen, 1);
    EXPECT_FALSE(AlertWaiting(&one));
    EXPECT_FALSE(AlertWaiting(&two));
}

TEST(AlertsLater, APageCannotPileThemUpAndAGoneControlGetsNone)
{
    FakeWebControl storm;
    auto gone = std::make_unique<FakeWebControl>();
    QStringList delivered;
    auto deliver = [&](WebMessage &m) { delivered << m.text; };
    for (int i = 0; i < MaxWaitingAlerts + 4; ++i)
        DeliverAlertLater(&storm, alertSaying(QString::number(i)), deliver);
    DeliverAlertLater(gone.get(), alertSaying(QStringLiteral("gone")), deliver);
    gone.reset();
    DeliverAlertLater(nullptr, alertSaying(QStringLiteral("nobody")), deliver);
    mira::test::waitUntil([] { return false; }, 100);
    static_assert(MaxWaitingAlerts == 3);
    EXPECT_EQ(delivered, QStringList({"0", "1", "2"}));
    // Once delivered, the page may alert again.
    DeliverAlertLater(&storm, alertSaying(QStringLiteral("again")), deliver);
    ASSERT_TRUE(mira::test::waitUntil([&] { return delivered.size() == 4; }, 2000));
    EXPECT_EQ(delivered.last(), QStringLiteral("again"));
}

TEST(AlertsLater, TheEngineIsHeldWhileAnyHoldLives)
{
    EXPECT_FALSE(EngineHeld());
    {
        const EngineHold outer;
        EXPECT_TRUE(EngineHeld());
        {
            const EngineHold inner;
            EXPECT_TRUE(EngineHeld());
        }
        EXPECT_TRUE(EngineHeld());
    }
    EXPECT_FALSE(EngineHeld());
}
