#pragma once
// A web view on a fake control, owned by a plain widget (so a close of the view only
// hides it). Every web view made during a test gets a fake; the last one made is at hand.
#include <QWidget>
#include <gtest/gtest.h>
#include <memory>

#include "browser/mwebbrowser.h"
#include "platform/fakewebcontrol.h"

namespace mira::test {

class WebViewTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = platform::SetWebControlFactory([this](QWidget *parent) {
            fake = new platform::FakeWebControl(parent);
            return fake;
        });
        owner = std::make_unique<QWidget>();
        browser = std::make_unique<TMWebBrowser>(owner.get());
        ASSERT_NE(fake, nullptr);
    }
    void TearDown() override
    {
        browser.reset();
        owner.reset();
        platform::SetWebControlFactory(previous);
    }
    void giveDocument()
    {
        fake->state.document = true;
        fake->state.ready = platform::READYSTATE_COMPLETE;
    }

    platform::WebControlFactory previous;
    platform::FakeWebControl *fake = nullptr;
    std::unique_ptr<QWidget> owner;
    std::unique_ptr<TMWebBrowser> browser;
};

} // namespace mira::test
