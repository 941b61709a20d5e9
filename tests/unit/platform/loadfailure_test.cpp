#include <gtest/gtest.h>

#include "platform/loadfailure.h"
#include "platform/ownpages.h"

using namespace mira::platform;

TEST(LoadFailure, WhatAnEndedLoadMeansForThePane)
{
    using D = LoadErrorDomain;
    const struct {
        bool ok;
        D domain;
        int code;
        LoadEnd end;
    } cases[] = {
        {true, D::HttpStatus, 200, LoadEnd::Success},
        {true, D::None, 0, LoadEnd::Success},
        {false, D::HttpStatus, 500, LoadEnd::Failed},
        {false, D::HttpStatus, 503, LoadEnd::Failed},
        {false, D::HttpStatus, 404, LoadEnd::Answered},
        {false, D::Connection, -102, LoadEnd::Failed}, // refused
        {false, D::Connection, -105, LoadEnd::Failed}, // name not resolved
        {false, D::Internal, -7, LoadEnd::Failed},     // timed out
        {false, D::Internal, -3, LoadEnd::Aborted},    // stopped or replaced
        {false, D::Certificate, -202, LoadEnd::Failed},
    };
    for (const auto &c : cases)
        EXPECT_EQ(ClassifyLoadEnd(c.ok, c.domain, c.code), c.end) << c.code;
}

TEST(LoadFailure, ReasonsAreInTheProgramsWords)
{
    using D = LoadErrorDomain;
    EXPECT_EQ(LoadErrorText(D::Connection, -102, QStringLiteral("net::ERR_CONNECTION_REFUSED")),
              QStringLiteral("The server refused the connection."));
    EXPECT_EQ(LoadErrorText(D::Connection, -105, {}),
              QStringLiteral("The server's name could not be resolved."));
    EXPECT_EQ(LoadErrorText(D::Connection, -118, {}),
              QStringLiteral("The server did not answer in time."));
    EXPECT_EQ(LoadErrorText(D::HttpStatus, 502, QStringLiteral("<strong>x</strong>")),
              QStringLiteral("The server answered with an error (HTTP 502)."));
    // Unknown codes: the engine's text unless it is markup.
    EXPECT_EQ(LoadErrorText(D::Http, -312, QStringLiteral("net::ERR_UNSAFE_PORT")),
              QStringLiteral("The address uses a port that web pages may not use."));
    EXPECT_EQ(LoadErrorText(D::Http, -310, QStringLiteral("net::ERR_TOO_MANY_REDIRECTS")),
              QStringLiteral("net::ERR_TOO_MANY_REDIRECTS"));
    EXPECT_EQ(LoadErrorText(D::Http, -999, QStringLiteral("<b>oops</b>")),
              QStringLiteral("The page could not be loaded (error -999)."));
}

TEST(OwnPages, AddressesAreEscapedAndOnlyLoadableOnesGetARetry)
{
    const QString offline = OfflinePageHtml(QStringLiteral("http://x/<script>alert(1)</script>"));
    EXPECT_FALSE(offline.contains(QLatin1String("<script>")));
    EXPECT_TRUE(offline.contains(QLatin1String("&lt;script&gt;")));
    EXPECT_TRUE(offline.contains(QLatin1String("Mira is offline")));
    EXPECT_TRUE(offline.contains(QLatin1String("Online")));

    const QString failed = FailurePageHtml(QStringLiteral("http://host/a?b=1&c=\"2\""),
                                           QStringLiteral("The server refused the connection."));
    EXPECT_TRUE(failed.contains(QLatin1String("href=\"http://host/a?b=1&amp;c=&quot;2&quot;\"")));
    EXPECT_TRUE(failed.contains(QLatin1String("Try Again")));
    EXPECT_TRUE(failed.contains(QLatin1String("The server refused the connection.")));

    const QString script = FailurePageHtml(QStringLiteral("javascript:alert(1)"),
                                           QStringLiteral("x"));
    EXPECT_FALSE(script.contains(QLatin1String("href=")));
}
