// One contract for the engine's control and the fake, so the fake the unit tests
// rely on cannot drift from what the engine does.
#include <QEventLoop>
#include <QTimer>
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "platform/fakewebcontrol.h"
#include "platform/qtwebcontrol.h"

using namespace mira::platform;

namespace {

template <typename Control>
class WebControlContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        owner = std::make_unique<QWidget>();
        control = new Control(owner.get());
        QObject::connect(control, &WebControl::progressChange, owner.get(), [this](int p, int) {
            if (p == -1)
                ++loads;
        });
    }

    // Navigates and waits for the end of the load.
    bool navigateAndWait(const QString &address, int flags = 0)
    {
        const int before = loads;
        control->navigate(address, flags);
        QEventLoop loop;
        QTimer poll;
        QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
            if (loads > before)
                loop.quit();
        });
        poll.start(5);
        QTimer::singleShot(10000, &loop, &QEventLoop::quit);
        loop.exec();
        return loads > before;
    }

    std::unique_ptr<QWidget> owner;
    WebControl *control = nullptr; // owned by owner
    int loads = 0;
};

using Controls = ::testing::Types<FakeWebControl, QtWebControl>;
TYPED_TEST_SUITE(WebControlContract, Controls);

} // namespace

TYPED_TEST(WebControlContract, FreshControlHasNothingToWorkOn)
{
    WebControl *c = this->control;
    EXPECT_NE(c->widget(), nullptr);
    EXPECT_FALSE(c->hasDocument());
    EXPECT_EQ(c->readyState(), READYSTATE_UNINITIALIZED);
    EXPECT_EQ(c->locationUrl(), QString());
    EXPECT_FALSE(c->goBack());
    EXPECT_FALSE(c->goForward());
    EXPECT_FALSE(c->stop());
    EXPECT_FALSE(c->refresh());
    QVariant out;
    EXPECT_FALSE(c->exec(false, OLECMDID_GETZOOMRANGE, 0, QVariant(), &out));
    EXPECT_FALSE(out.isValid());
    EXPECT_FALSE(c->evaluateScript(QStringLiteral("1")).isValid());
    EXPECT_EQ(c->downloadFlags(), DLCTL_DEFAULT);
}

TYPED_TEST(WebControlContract, BlankPageCompletesWithADocument)
{
    WebControl *c = this->control;
    ASSERT_TRUE(this->navigateAndWait(QStringLiteral("about:blank")));
    EXPECT_TRUE(c->hasDocument());
    EXPECT_EQ(c->readyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(c->locationUrl(), QStringLiteral("about:blank"));
    EXPECT_TRUE(c->stop());
    EXPECT_FALSE(c->goBack());
}

TYPED_TEST(WebControlContract, ZoomCommandsWithADocument)
{
    WebControl *c = this->control;
    ASSERT_TRUE(this->navigateAndWait(QStringLiteral("about:blank")));
    QVariant range;
    ASSERT_TRUE(c->exec(false, OLECMDID_GETZOOMRANGE, OLECMDEXECOPT_DONTPROMPTUSER, QVariant(),
                        &range));
    EXPECT_EQ(range.toUInt(), 0x40000u); // 0 to 4
    QVariant level;
    ASSERT_TRUE(c->exec(false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, QVariant(), &level));
    const int before = level.toInt();
    EXPECT_FALSE(c->exec(false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 5, &level));
    ASSERT_TRUE(c->exec(false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 3, &level));
    EXPECT_EQ(level.toInt(), 3);
    c->exec(false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, before, &level);
    EXPECT_FALSE(c->exec(false, 999, 0, QVariant(), nullptr));
}

TYPED_TEST(WebControlContract, HostIsAskedForItsFlags)
{
    struct Host : WebControlHost {
        int asked = 0;
        bool Invoke(int dispId, int flags, QVariant *result) override
        {
            if (dispId != DISPID_AMBIENT_DLCONTROL || !(flags & DISPATCH_PROPERTYGET))
                return false;
            ++asked;
            *result = DLCTL_DLIMAGES | DLCTL_NO_SCRIPTS;
            return true;
        }
        bool GetHostInfo(DocHostInfo &info) override
        {
            info.dwFlags = DOCHOSTUIFLAG_SCROLL_NO;
            return true;
        }
        bool ShowMessage(WebMessage &) override { return false; }
    } host;
    WebControl *c = this->control;
    c->setHost(&host);
    EXPECT_GE(host.asked, 1);
    EXPECT_EQ(c->downloadFlags(), DLCTL_DLIMAGES | DLCTL_NO_SCRIPTS);
    EXPECT_EQ(c->hostInfoFlags(), DOCHOSTUIFLAG_SCROLL_NO);
    const int asked = host.asked;
    c->ambientPropertyChanged(DISPID_AMBIENT_DLCONTROL);
    EXPECT_EQ(host.asked, asked + 1);
    c->setHost(nullptr);
    EXPECT_EQ(c->downloadFlags(), DLCTL_DEFAULT);
}
