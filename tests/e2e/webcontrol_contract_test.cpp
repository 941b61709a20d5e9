// One contract for the engine's control and the fake, so the fake the unit tests
// rely on cannot drift from what the engine does. Pages are described once: the fake
// serves them from its site map, the engine gets them as HTML from a local server.
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QUrl>
#include <QWidget>
#include <algorithm>
#include <gtest/gtest.h>
#include <memory>

#include "platform/documentcommand.h"
#include "platform/fakewebcontrol.h"
#include "platform/qtwebcontrol.h"
#include "support/httpserver.h"
#include "support/scriptedmodal.h"
#include "support/wait.h"

using namespace mira;
using namespace mira::platform;
using mira::test::waitUntil;
using Page = FakeWebControl::Page;
using Step = FakeWebControl::PageStep;

namespace {

// A script literal for any value JSON can carry.
QString jsValue(const QVariant &value)
{
    const QByteArray array =
        QJsonDocument(QJsonArray{QJsonValue::fromVariant(value)}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

// The page as the engine gets it; the steps are what the fake acts out.
QByteArray pageHtml(const Page &page)
{
    QString script;
    for (auto it = page.globals.constBegin(); it != page.globals.constEnd(); ++it)
        script += QStringLiteral("var %1 = %2;\n").arg(it.key(), jsValue(it.value()));
    for (const Step &step : page.steps) {
        const QString text = jsValue(step.text);
        switch (step.kind) {
        case Step::Alert: script += QStringLiteral("alert(%1);\n").arg(text); break;
        case Step::Confirm:
            script += QStringLiteral("document.title = String(confirm(%1));\n").arg(text);
            break;
        case Step::Prompt:
            script += QStringLiteral("document.title = String(prompt(%1, %2));\n")
                          .arg(text, jsValue(step.value));
            break;
        case Step::OpenWindow: script += QStringLiteral("window.open(%1);\n").arg(text); break;
        case Step::Close: script += QStringLiteral("window.close();\n"); break;
        }
    }
    return QStringLiteral("<html><head><title>%1</title></head><body>%1<script>\n%2</script>"
                          "</body></html>")
        .arg(page.title.toHtmlEscaped(), script)
        .toUtf8();
}

// Where a control's pages come from.
template<typename Control>
struct Site;

template<>
struct Site<FakeWebControl> {
    std::shared_ptr<FakeWebControl::Site> pages = std::make_shared<FakeWebControl::Site>();
    bool start() { return true; }
    QString url(const QString &path) const { return QStringLiteral("http://fake.test") + path; }
    void serve(const QString &path, const Page &page) { pages->insert(url(path), page); }
    void attach(FakeWebControl *control) { control->state.site = pages; }
};

template<>
struct Site<QtWebControl> {
    mira::test::HttpServer server;
    bool start() { return server.start(); }
    QString url(const QString &path) const { return server.url(path).toString(); }
    void serve(const QString &path, const Page &page)
    {
        if (page.held)
            server.hold(path);
        else
            server.serve(path, pageHtml(page));
    }
    void attach(QtWebControl *) {}
};

// Answers the control's questions: fixed flags, and messages by a test's function.
struct Host : WebControlHost {
    quint32 flags = DLCTL_DEFAULT;
    std::function<bool(WebMessage &)> onMessage;
    QList<WebMessage> messages;
    bool Invoke(int dispId, int, QVariant *result) override
    {
        if (dispId != DISPID_AMBIENT_DLCONTROL)
            return false;
        *result = flags;
        return true;
    }
    bool GetHostInfo(DocHostInfo &) override { return false; }
    bool ShowMessage(WebMessage &message) override
    {
        messages << message;
        return onMessage && onMessage(message);
    }
};

template<typename Control>
class WebControlContract : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(site.start());
        site.serve("/a", Page{QStringLiteral("Page A"), {}, {}, false});
        site.serve("/b", Page{QStringLiteral("Page B"), {}, {}, false});
        site.serve("/c", Page{QStringLiteral("Page C"), {}, {}, false});
        owner = std::make_unique<QWidget>();
        owner->resize(320, 240);
        control = make();
        owner->show();
    }
    void TearDown() override { owner.reset(); }

    Control *make()
    {
        auto *c = new Control(owner.get());
        c->widget()->resize(320, 240);
        site.attach(c);
        QObject::connect(c, &WebControl::progressChange, owner.get(), [this, c](int p, int) {
            if (p == -1 && c == control)
                ++loads;
        });
        return c;
    }

    QString url(const QString &path) const { return site.url(path); }

    // Starts something that loads a page in the control and waits for the load to end.
    bool load(const std::function<void()> &start)
    {
        const int before = loads;
        start();
        return waitUntil([&] { return loads > before; });
    }
    bool go(const QString &path, int flags = 0)
    {
        return load([&] { control->navigation()->navigate(url(path), flags); });
    }
    // Every event of c, in order, as "kind value".
    std::shared_ptr<QStringList> record(WebControl *c)
    {
        auto events = std::make_shared<QStringList>();
        QObject::connect(c, &WebControl::beforeNavigate, owner.get(),
                         [events](const QString &a, bool *) { *events << "before " + a; });
        QObject::connect(c, &WebControl::statusTextChange, owner.get(),
                         [events](const QString &t) { *events << "status " + t; });
        QObject::connect(c, &WebControl::titleChange, owner.get(),
                         [events](const QString &t) { *events << "title " + t; });
        QObject::connect(c, &WebControl::progressChange, owner.get(),
                         [events](int p, int) { *events << QStringLiteral("progress %1").arg(p); });
        QObject::connect(c, &WebControl::windowCloseRequested, owner.get(),
                         [events] { *events << QStringLiteral("close"); });
        return events;
    }
    // Lets everything the page has asked for so far arrive: a script round trip.
    void settle() { control->scripting()->evaluateScript(QStringLiteral("0")); }

    Site<Control> site;
    std::unique_ptr<QWidget> owner;
    Control *control = nullptr; // owned by owner
    int loads = 0;
};

using Controls = ::testing::Types<FakeWebControl, QtWebControl>;
TYPED_TEST_SUITE(WebControlContract, Controls);

} // namespace

TYPED_TEST(WebControlContract, FreshControlHasNothingToWorkOn)
{
    WebControl *c = this->control;
    EXPECT_NE(c->widget(), nullptr);
    EXPECT_FALSE(c->navigation()->hasDocument());
    EXPECT_EQ(c->navigation()->readyState(), READYSTATE_UNINITIALIZED);
    EXPECT_EQ(c->navigation()->locationUrl(), QString());
    EXPECT_FALSE(c->navigation()->goBack());
    EXPECT_FALSE(c->navigation()->goForward());
    EXPECT_FALSE(c->navigation()->stop());
    EXPECT_FALSE(c->navigation()->refresh());
    QVariant out;
    EXPECT_FALSE(RunDocumentCommand(*c, false, OLECMDID_GETZOOMRANGE, 0, QVariant(), &out));
    EXPECT_FALSE(out.isValid());
    EXPECT_FALSE(c->scripting()->evaluateScript(QStringLiteral("1")).isValid());
    EXPECT_EQ(c->downloadFlags(), DLCTL_DEFAULT);
}

TYPED_TEST(WebControlContract, BlankPageCompletesWithADocument)
{
    WebControl *c = this->control;
    ASSERT_TRUE(this->load([&] { c->navigation()->navigate(QStringLiteral("about:blank")); }));
    EXPECT_TRUE(c->navigation()->hasDocument());
    EXPECT_EQ(c->navigation()->readyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(c->navigation()->locationUrl(), QStringLiteral("about:blank"));
    EXPECT_TRUE(c->navigation()->stop());
    EXPECT_FALSE(c->navigation()->goBack());
}

TYPED_TEST(WebControlContract, ZoomCommandsWithADocument)
{
    WebControl *c = this->control;
    ASSERT_TRUE(this->load([&] { c->navigation()->navigate(QStringLiteral("about:blank")); }));
    QVariant range;
    ASSERT_TRUE(RunDocumentCommand(*c, false, OLECMDID_GETZOOMRANGE, OLECMDEXECOPT_DONTPROMPTUSER,
                                   QVariant(), &range));
    EXPECT_EQ(range.toUInt(), 0x40000u); // 0 to 4
    QVariant level;
    ASSERT_TRUE(RunDocumentCommand(*c, false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER,
                                   QVariant(), &level));
    const int before = level.toInt();
    EXPECT_FALSE(
        RunDocumentCommand(*c, false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 5, &level));
    ASSERT_TRUE(
        RunDocumentCommand(*c, false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, 3, &level));
    EXPECT_EQ(level.toInt(), 3);
    RunDocumentCommand(*c, false, OLECMDID_ZOOM, OLECMDEXECOPT_DONTPROMPTUSER, before, &level);
    EXPECT_FALSE(RunDocumentCommand(*c, false, 999, 0, QVariant(), nullptr));
}

TYPED_TEST(WebControlContract, HostIsAskedForItsFlags)
{
    struct CountingHost : WebControlHost {
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

TYPED_TEST(WebControlContract, LoadReportsNavigationStatusTitleAndProgressInOrder)
{
    auto *c = this->control;
    auto events = this->record(c);
    const QString a = this->url("/a");
    QString locationAtTitle;
    QObject::connect(c, &WebControl::titleChange, this->owner.get(), [&](const QString &t) {
        if (t == "Page A")
            locationAtTitle = c->navigation()->locationUrl();
    });
    ASSERT_TRUE(this->load([&] {
        c->navigation()->navigate(a);
        // Nothing happens before the call returns.
        EXPECT_EQ(c->navigation()->readyState(), READYSTATE_UNINITIALIZED);
        EXPECT_FALSE(c->navigation()->hasDocument());
        EXPECT_TRUE(events->isEmpty());
    }));
    EXPECT_TRUE(c->navigation()->hasDocument());
    EXPECT_EQ(c->navigation()->readyState(), READYSTATE_COMPLETE);
    EXPECT_EQ(c->navigation()->locationUrl(), a);
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
    const QStringList &e = *events;
    const auto at = [&e](const QString &event) { return e.indexOf(event); };
    ASSERT_EQ(e.value(0), "before " + a) << e.join(" | ").toStdString();
    EXPECT_GT(at("status Opening page " + a + "..."), 0) << e.join(" | ").toStdString();
    EXPECT_LT(at("status Opening page " + a + "..."), at("title Page A"));
    EXPECT_LT(at("title Page A"), at("progress 100"));
    EXPECT_LT(at("progress 100"), at("status Done"));
    EXPECT_EQ(e.last(), QStringLiteral("progress -1"));
    EXPECT_EQ(e.count(QStringLiteral("progress -1")), 1);
    EXPECT_EQ(locationAtTitle, a);
}

TYPED_TEST(WebControlContract, BeforeNavigateCanRefuseALoad)
{
    auto *c = this->control;
    ASSERT_TRUE(this->go("/a"));
    QObject::connect(c, &WebControl::beforeNavigate, this->owner.get(),
                     [](const QString &address, bool *cancel) {
                         *cancel = address.endsWith("/b");
                     });
    c->navigation()->navigate(this->url("/b"));
    ASSERT_TRUE(this->go("/c")); // the refused load never got in the way
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page C"));
    EXPECT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
}

TYPED_TEST(WebControlContract, BackAndForwardWalkTheHistory)
{
    auto *c = this->control;
    ASSERT_TRUE(this->go("/a"));
    EXPECT_FALSE(c->navigation()->goBack());
    EXPECT_FALSE(c->navigation()->goForward());
    ASSERT_TRUE(this->go("/b"));
    auto events = this->record(c);
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
    EXPECT_EQ(c->navigation()->locationUrl(), this->url("/a"));
    EXPECT_EQ(events->value(0), "before " + this->url("/a")); // a walk is asked about too
    EXPECT_FALSE(c->navigation()->goBack());
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goForward()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page B"));
    EXPECT_FALSE(c->navigation()->goForward());

    // A new page after going back drops what lay ahead.
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    ASSERT_TRUE(this->go("/c"));
    EXPECT_FALSE(c->navigation()->goForward());
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));

    // A reload keeps the place in the history.
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->refresh()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
    EXPECT_TRUE(c->navigation()->goForward());
}

TYPED_TEST(WebControlContract, NoHistoryNavigationTakesTheCurrentEntrysPlace)
{
    auto *c = this->control;
    ASSERT_TRUE(this->go("/a"));
    ASSERT_TRUE(this->go("/b", navNoHistory));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page B"));
    EXPECT_FALSE(c->navigation()->goBack());
    // Later pages are kept again, behind the one shown without history.
    ASSERT_TRUE(this->go("/c"));
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page B"));
    EXPECT_FALSE(c->navigation()->goBack());
}

TYPED_TEST(WebControlContract, NoHistoryNavigationKeepsTheEarlierEntries)
{
    auto *c = this->control;
    ASSERT_TRUE(this->go("/a"));
    ASSERT_TRUE(this->go("/b"));
    ASSERT_TRUE(this->go("/c", navNoHistory));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page C"));
    // C took B's place: back is A, and forward from A is C.
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goForward()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page C"));
    EXPECT_FALSE(c->navigation()->goForward());
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
    EXPECT_FALSE(c->navigation()->goBack());
}

TYPED_TEST(WebControlContract, NoHistoryNavigationKeepsWhatLayAhead)
{
    // Unlike a normal navigation, a replacement leaves the forward entries alone.
    auto *c = this->control;
    ASSERT_TRUE(this->go("/a"));
    ASSERT_TRUE(this->go("/b"));
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    ASSERT_TRUE(this->go("/c", navNoHistory));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page C"));
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goForward()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page B"));
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->goBack()); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page C"));
    EXPECT_FALSE(c->navigation()->goBack());
}

TYPED_TEST(WebControlContract, StopEndsALoadThatHangs)
{
    auto *c = this->control;
    this->site.serve("/slow", Page{QStringLiteral("Slow"), {}, {}, true});
    ASSERT_TRUE(this->go("/a"));
    c->navigation()->navigate(this->url("/slow"));
    ASSERT_TRUE(waitUntil([&] { return c->navigation()->readyState() == READYSTATE_LOADING; }));
    ASSERT_TRUE(this->load([&] { EXPECT_TRUE(c->navigation()->stop()); }));
    EXPECT_EQ(c->navigation()->readyState(), READYSTATE_COMPLETE);
    EXPECT_NE(c->navigation()->locationName(), QStringLiteral("Slow"));
}

TYPED_TEST(WebControlContract, ScriptsAnswerWithThePagesValues)
{
    auto *c = this->control;
    this->site.serve("/values",
                     Page{QStringLiteral("Values"),
                          {{"count", 42}, {"ratio", 1.5}, {"name", "Ann"}, {"flag", true}},
                          {},
                          false});
    ASSERT_TRUE(this->go("/values"));
    EXPECT_EQ(c->scripting()->evaluateScript("document.title"), QVariant(QStringLiteral("Values")));
    const QVariant count = c->scripting()->evaluateScript("count");
    EXPECT_EQ(count.typeId(), QMetaType::Int);
    EXPECT_EQ(count.toInt(), 42);
    const QVariant ratio = c->scripting()->evaluateScript("ratio");
    EXPECT_EQ(ratio.typeId(), QMetaType::Double);
    EXPECT_DOUBLE_EQ(ratio.toDouble(), 1.5);
    EXPECT_EQ(c->scripting()->evaluateScript("name"), QVariant(QStringLiteral("Ann")));
    EXPECT_EQ(c->scripting()->evaluateScript("flag"), QVariant(true));
    EXPECT_FALSE(c->scripting()->evaluateScript("noSuchName").isValid()); // a script error
}

TYPED_TEST(WebControlContract, ScriptMessagesReachTheHostAndItsAnswerThePage)
{
    auto *c = this->control;
    this->site.serve("/alert",
                     Page{QStringLiteral("Alert"), {}, {{Step::Alert, "Hello there", {}}}, false});
    this->site.serve("/confirm",
                     Page{QStringLiteral("Confirm"), {}, {{Step::Confirm, "Sure?", {}}}, false});
    this->site.serve("/prompt",
                     Page{QStringLiteral("Prompt"), {}, {{Step::Prompt, "Name?", "x"}}, false});
    Host host;
    int answer = IDOK;
    host.onMessage = [&answer](WebMessage &m) {
        m.result = answer;
        if (m.prompt)
            m.value = "Ann";
        return true;
    };
    c->setHost(&host);

    ASSERT_TRUE(this->go("/alert"));
    ASSERT_EQ(host.messages.size(), 1);
    EXPECT_EQ(host.messages[0].text, QStringLiteral("Hello there"));
    EXPECT_EQ(host.messages[0].caption, EngineCaption());
    EXPECT_EQ(host.messages[0].type, MB_OK | MB_ICONWARNING);
    EXPECT_FALSE(host.messages[0].prompt);
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Alert"));

    ASSERT_TRUE(this->go("/confirm"));
    ASSERT_EQ(host.messages.size(), 2);
    EXPECT_EQ(host.messages[1].text, QStringLiteral("Sure?"));
    EXPECT_EQ(host.messages[1].caption, EngineCaption());
    EXPECT_EQ(host.messages[1].type, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("true"));
    answer = IDCANCEL;
    ASSERT_TRUE(this->load([&] { c->navigation()->refresh(); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("false"));

    answer = IDOK;
    ASSERT_TRUE(this->go("/prompt"));
    ASSERT_EQ(host.messages.size(), 4);
    EXPECT_TRUE(host.messages[3].prompt);
    EXPECT_EQ(host.messages[3].text, QStringLiteral("Name?"));
    EXPECT_EQ(host.messages[3].caption, EngineCaption());
    EXPECT_EQ(host.messages[3].type, MB_OKCANCEL | MB_ICONQUESTION);
    EXPECT_EQ(host.messages[3].value, QStringLiteral("x"));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Ann"));
    answer = IDCANCEL;
    ASSERT_TRUE(this->load([&] { c->navigation()->refresh(); }));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("null"));
    c->setHost(nullptr);
}

TYPED_TEST(WebControlContract, WithoutAnAnswerTheControlsOwnBoxAppearsUnlessSilent)
{
    auto *c = this->control;
    this->site.serve("/confirm",
                     Page{QStringLiteral("Confirm"), {}, {{Step::Confirm, "Sure?", {}}}, false});
    Host host; // sees the message but leaves it to the control
    c->setHost(&host);
    mira::test::ScriptedModal modal;
    modal.answer(mrOK);
    ASSERT_TRUE(this->go("/confirm"));
    EXPECT_EQ(host.messages.size(), 1);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Sure?"));
    EXPECT_EQ(modal.asked[0].caption, EngineCaption());
    EXPECT_EQ(modal.asked[0].buttons, mbOK | mbCancel);
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("true"));

    c->setSilent(true);
    EXPECT_TRUE(c->silent());
    ASSERT_TRUE(this->load([&] { c->navigation()->refresh(); }));
    EXPECT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("false"));

    // The host's silent flag has the same effect.
    c->setSilent(false);
    host.flags = DLCTL_DEFAULT | DLCTL_SILENT;
    c->ambientPropertyChanged(DISPID_AMBIENT_DLCONTROL);
    ASSERT_TRUE(this->load([&] { c->navigation()->refresh(); }));
    EXPECT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(host.messages.size(), 3);
    c->setHost(nullptr);
}

TYPED_TEST(WebControlContract, NoScriptsFlagKeepsThePagesScriptFromRunning)
{
    auto *c = this->control;
    this->site.serve("/confirm",
                     Page{QStringLiteral("Static"), {}, {{Step::Confirm, "Sure?", {}}}, false});
    Host host;
    host.onMessage = [](WebMessage &) { return true; };
    host.flags = DLCTL_DEFAULT | DLCTL_NO_SCRIPTS;
    c->setHost(&host);
    ASSERT_TRUE(this->go("/confirm"));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Static"));
    EXPECT_TRUE(host.messages.isEmpty());
    host.flags = DLCTL_DEFAULT;
    c->ambientPropertyChanged(DISPID_AMBIENT_DLCONTROL);
    ASSERT_TRUE(this->load([&] { c->navigation()->refresh(); }));
    EXPECT_EQ(host.messages.size(), 1);
    c->setHost(nullptr);
}

TYPED_TEST(WebControlContract, NewWindowIsCaughtAndRedirectedIntoTheAskingView)
{
    auto *c = this->control;
    const QString b = this->url("/b");
    this->site.serve("/opener",
                     Page{QStringLiteral("Opener"), {}, {{Step::OpenWindow, b, {}}}, false});
    TypeParam *catcher = this->make();
    auto caught = this->record(catcher);
    QObject::connect(catcher, &WebControl::beforeNavigate, this->owner.get(),
                     [c](const QString &address, bool *cancel) {
                         *cancel = true;
                         c->navigation()->navigate(address);
                     });
    int requests = 0;
    QObject::connect(c, &WebControl::newWindow, this->owner.get(),
                     [&](WebControl **target, bool *) {
                         ++requests;
                         *target = catcher;
                     });
    ASSERT_TRUE(this->go("/opener"));
    ASSERT_TRUE(waitUntil([&] { return c->navigation()->locationName() == "Page B"; }));
    EXPECT_EQ(requests, 1);
    EXPECT_EQ(c->navigation()->locationUrl(), b);
    EXPECT_EQ(*caught, QStringList{"before " + b}); // the catcher loads nothing itself
    EXPECT_FALSE(catcher->navigation()->hasDocument());
    for (QWidget *w : QApplication::topLevelWidgets())
        EXPECT_TRUE(w == this->owner.get() || !w->isVisible()) << "a window of its own";
}

TYPED_TEST(WebControlContract, NewWindowWithoutATargetIsDiscarded)
{
    auto *c = this->control;
    this->site.serve("/opener", Page{QStringLiteral("Opener"),
                                     {},
                                     {{Step::OpenWindow, this->url("/b"), {}}},
                                     false});
    int requests = 0;
    QObject::connect(c, &WebControl::newWindow, this->owner.get(),
                     [&](WebControl **, bool *) { ++requests; });
    ASSERT_TRUE(this->go("/opener"));
    ASSERT_TRUE(waitUntil([&] { return requests == 1; }));
    this->settle();
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Opener"));
    EXPECT_EQ(this->loads, 1);
}

TYPED_TEST(WebControlContract, PageAsksToCloseOnlyAWindowItOpenedWith)
{
    auto *c = this->control;
    this->site.serve("/close", Page{QStringLiteral("Close"), {}, {{Step::Close, {}, {}}}, false});
    int asked = 0;
    QObject::connect(c, &WebControl::windowCloseRequested, this->owner.get(), [&] { ++asked; });
    ASSERT_TRUE(this->go("/close"));
    ASSERT_TRUE(waitUntil([&] { return asked == 1; }));
    EXPECT_TRUE(c->widget()->isVisible()); // asking closes nothing

    // With a page to go back to, the script may not close the window.
    ASSERT_TRUE(this->go("/a"));
    ASSERT_TRUE(this->go("/close"));
    this->settle();
    EXPECT_EQ(asked, 1);
}

TYPED_TEST(WebControlContract, OfflineFlagsBlockNetworkLoads)
{
    auto *c = this->control;
    Host host;
    host.flags = DLCTL_DLIMAGES | DLCTL_OFFLINE;
    c->setHost(&host);
    auto events = this->record(c);
    const QString a = this->url("/a");
    ASSERT_TRUE(this->go("/a"));
    EXPECT_EQ(c->navigation()->readyState(), READYSTATE_COMPLETE);
    // The program's offline page stands in, under the address asked for.
    EXPECT_EQ(c->navigation()->locationUrl(), a);
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Offline"));
    EXPECT_TRUE(std::any_of(events->begin(), events->end(), [&](const QString &e) {
        return e.startsWith("status Cannot open " + a);
    })) << events->join(" | ").toStdString();
    // Local pages still load.
    ASSERT_TRUE(this->load([&] { c->navigation()->navigate(QStringLiteral("about:blank")); }));
    EXPECT_EQ(c->navigation()->locationUrl(), QStringLiteral("about:blank"));
    EXPECT_EQ(events->last(), QStringLiteral("progress -1"));
    EXPECT_TRUE(events->contains(QStringLiteral("status Done")));

    host.flags = DLCTL_DEFAULT;
    ASSERT_TRUE(this->go("/a"));
    EXPECT_EQ(c->navigation()->locationName(), QStringLiteral("Page A"));
    c->setHost(nullptr);
}
