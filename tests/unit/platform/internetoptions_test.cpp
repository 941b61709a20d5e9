#include <QFile>
#include <QSettings>
#include <gtest/gtest.h>

#include "platform/internetoptions.h"
#include "platform/webengine.h"

using namespace mira::platform;
using Cookies = InternetOptions::Cookies;
using Proxy = InternetOptions::Proxy;

namespace {

QString optionsFile()
{
    return engine::DataFolder() + QStringLiteral("/options.ini");
}

class KeptOptions : public ::testing::Test {
protected:
    void SetUp() override { QFile::remove(optionsFile()); }
    void TearDown() override { QFile::remove(optionsFile()); }
};

} // namespace

TEST(CookieAllowed, PolicyAgainstFirstAndThirdParty)
{
    const struct {
        Cookies policy;
        bool firstParty;
        bool thirdParty;
    } rows[] = {
        {Cookies::AcceptAll, true, true},
        {Cookies::BlockThirdParty, true, false},
        {Cookies::BlockAll, false, false},
    };
    for (const auto &row : rows) {
        EXPECT_EQ(CookieAllowed(row.policy, false), row.firstParty) << int(row.policy);
        EXPECT_EQ(CookieAllowed(row.policy, true), row.thirdParty) << int(row.policy);
    }
}

TEST(ProxyFor, DirectSystemAndManual)
{
    InternetOptions o;
    o.proxy = Proxy::None;
    EXPECT_EQ(ProxyFor(o).type(), QNetworkProxy::NoProxy);
    o.proxy = Proxy::System;
    o.proxyHost = QStringLiteral("proxy.example");
    EXPECT_EQ(ProxyFor(o).type(), QNetworkProxy::DefaultProxy); // the host is not used

    o.proxy = Proxy::Manual;
    o.proxyHost = QStringLiteral(" proxy.example ");
    o.proxyPort = 3128;
    const QNetworkProxy manual = ProxyFor(o);
    EXPECT_EQ(manual.type(), QNetworkProxy::HttpProxy);
    EXPECT_EQ(manual.hostName(), QStringLiteral("proxy.example"));
    EXPECT_EQ(manual.port(), 3128);

    // A manual proxy without a host (or with a port out of range) leaves it to the system.
    o.proxyHost = QStringLiteral("  ");
    EXPECT_EQ(ProxyFor(o).type(), QNetworkProxy::DefaultProxy);
    o.proxyHost = QStringLiteral("proxy.example");
    o.proxyPort = 70000;
    EXPECT_EQ(ProxyFor(o).type(), QNetworkProxy::DefaultProxy);
}

TEST(Encodings, NamesAndCaptionsPairUpAndTheDefaultIsOffered)
{
    EXPECT_EQ(EncodingNames().size(), EncodingCaptions().size());
    EXPECT_TRUE(EncodingNames().contains(InternetOptions().defaultEncoding));
    EXPECT_TRUE(EncodingNames().contains(QStringLiteral("UTF-8")));
}

TEST_F(KeptOptions, NothingKeptReadsTheDefaults)
{
    EXPECT_EQ(ReadInternetOptions(), InternetOptions());
}

TEST_F(KeptOptions, KeptOptionsReadBackAsTheyWere)
{
    InternetOptions o;
    o.loadImages = false;
    o.runScripts = false;
    o.cookies = Cookies::BlockThirdParty;
    o.defaultEncoding = QStringLiteral("windows-1251");
    o.proxy = Proxy::Manual;
    o.proxyHost = QStringLiteral("proxy.example");
    o.proxyPort = 3128;
    KeepInternetOptions(o);
    EXPECT_EQ(ReadInternetOptions(), o);
}

TEST_F(KeptOptions, NonsenseInTheFileFallsBackToTheDefaultOfThatOption)
{
    {
        QSettings s(optionsFile(), QSettings::IniFormat);
        s.setValue("Cookies", 7);
        s.setValue("DefaultEncoding", "no-such-encoding");
        s.setValue("Proxy", -1);
        s.setValue("ProxyPort", "port");
        s.setValue("RunScripts", false);
    }
    InternetOptions expected;
    expected.runScripts = false;
    EXPECT_EQ(ReadInternetOptions(), expected);
}
