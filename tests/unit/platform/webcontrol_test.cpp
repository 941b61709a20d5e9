// Where a web view's control comes from: a test's factory before the engine's, and
// the engine's only once the program has chosen it.
#include <QWidget>
#include <gtest/gtest.h>

#include "platform/fakewebcontrol.h"
#include "platform/webcontrol.h"

using namespace mira::platform;

namespace {

// Swaps in this test's engine factory and puts the program's back.
struct EngineFactory {
    WebControlFactory previous;
    int made = 0;
    EngineFactory()
    {
        previous = SetEngineWebControlFactory([this](QWidget *parent) -> WebControl * {
            ++made;
            auto *control = new FakeWebControl(parent);
            control->setObjectName(QStringLiteral("engine"));
            return control;
        });
    }
    ~EngineFactory() { SetEngineWebControlFactory(std::move(previous)); }
    EngineFactory(const EngineFactory &) = delete;
    EngineFactory &operator=(const EngineFactory &) = delete;
};

} // namespace

TEST(WebControlFactory, AnInstalledFactoryComesBeforeTheEngineAndLeavesAgain)
{
    EngineFactory engine;
    QWidget parent;
    int made = 0;
    const WebControlFactory before = SetWebControlFactory([&made](QWidget *p) -> WebControl * {
        ++made;
        return new FakeWebControl(p);
    });
    WebControl *fromTest = CreateWebControl(&parent);
    EXPECT_EQ(made, 1);
    EXPECT_EQ(engine.made, 0);
    EXPECT_EQ(fromTest->parent(), &parent);

    // Installing another hands the test's back; an empty one restores the engine's.
    const WebControlFactory test = SetWebControlFactory(WebControlFactory());
    ASSERT_TRUE(bool(test));
    WebControl *fromEngine = CreateWebControl(&parent);
    EXPECT_EQ(engine.made, 1);
    EXPECT_EQ(fromEngine->objectName(), QStringLiteral("engine"));
    EXPECT_EQ(made, 1);
    SetWebControlFactory(before);
}
