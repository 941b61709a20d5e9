#pragma once
// The engine-wide options of the Internet Options dialog: what the engine loads and
// runs, cookies, the default text encoding and the proxy. They are kept with the
// engine's data, so they outlive the program, and apply to every view at once.
#include <QNetworkProxy>
#include <QString>
#include <QStringList>

class QWebEngineProfile;
class QWidget;

namespace mira::platform {

struct InternetOptions {
    enum class Cookies { AcceptAll, BlockThirdParty, BlockAll };
    enum class Proxy { None, System, Manual };

    bool loadImages = true;
    bool runScripts = true;
    Cookies cookies = Cookies::AcceptAll;
    QString defaultEncoding = QStringLiteral("ISO-8859-1");
    Proxy proxy = Proxy::System;
    QString proxyHost;
    int proxyPort = 8080;

    bool operator==(const InternetOptions &) const = default;
};

// Whether a cookie may be read or written under the policy.
bool CookieAllowed(InternetOptions::Cookies policy, bool thirdParty);

// The application proxy the options ask for; DefaultProxy where the system decides
// (or a manual proxy lacks its host), NoProxy for a direct connection.
QNetworkProxy ProxyFor(const InternetOptions &options);

// The encodings offered, as the engine names them, and their captions (same order).
QStringList EncodingNames();
QStringList EncodingCaptions();

// The kept options; defaults where nothing (or nonsense) is kept.
InternetOptions ReadInternetOptions();
// Keeps the options (nothing is applied).
void KeepInternetOptions(const InternetOptions &options);
// Keeps the options and applies them to the program's profile.
void WriteInternetOptions(const InternetOptions &options);
// Applies the options to a profile (and the proxy to the whole program).
void ApplyInternetOptions(QWebEngineProfile *profile, const InternetOptions &options);

// The dialog over the options, titled "Internet Options"; true when accepted (the
// options are then kept and applied). Clearing the cache, cookies and history
// happens at once, whether the dialog is then accepted or not.
bool RunInternetOptions(QWidget *owner);

} // namespace mira::platform
