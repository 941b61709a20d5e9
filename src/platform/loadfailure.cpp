#include "platform/loadfailure.h"

namespace mira::platform {
namespace {

// The engine's network error codes the program names itself.
constexpr int errAborted = -3;
constexpr int errTimedOut = -7;
constexpr int errConnectionClosed = -100;
constexpr int errConnectionReset = -101;
constexpr int errConnectionRefused = -102;
constexpr int errNameNotResolved = -105;
constexpr int errInternetDisconnected = -106;
constexpr int errAddressUnreachable = -109;
constexpr int errConnectionTimedOut = -118;
constexpr int errEmptyResponse = -324;
constexpr int errNameResolutionFailed = -137;
constexpr int errUnsafePort = -312;

} // namespace

LoadEnd ClassifyLoadEnd(bool ok, LoadErrorDomain domain, int code)
{
    if (domain == LoadErrorDomain::HttpStatus) {
        if (code >= 500 && code <= 599)
            return LoadEnd::Failed;
        if (code >= 400)
            return LoadEnd::Answered;
        return LoadEnd::Success;
    }
    if (ok)
        return LoadEnd::Success;
    if (code == errAborted)
        return LoadEnd::Aborted;
    return LoadEnd::Failed;
}

QString LoadErrorText(LoadErrorDomain domain, int code, const QString &engineText)
{
    if (domain == LoadErrorDomain::HttpStatus)
        return QStringLiteral("The server answered with an error (HTTP %1).").arg(code);
    switch (code) {
    case errTimedOut:
    case errConnectionTimedOut: return QStringLiteral("The server did not answer in time.");
    case errConnectionRefused: return QStringLiteral("The server refused the connection.");
    case errConnectionClosed:
    case errConnectionReset:
    case errEmptyResponse: return QStringLiteral("The server closed the connection.");
    case errNameNotResolved:
    case errNameResolutionFailed: return QStringLiteral("The server's name could not be resolved.");
    case errInternetDisconnected: return QStringLiteral("The computer is not connected.");
    case errAddressUnreachable: return QStringLiteral("The server cannot be reached.");
    case errUnsafePort:
        return QStringLiteral("The address uses a port that web pages may not use.");
    default: break;
    }
    if (!engineText.isEmpty() && !engineText.contains(QLatin1Char('<')))
        return engineText;
    return QStringLiteral("The page could not be loaded (error %1).").arg(code);
}

} // namespace mira::platform
