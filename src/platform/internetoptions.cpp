#include "platform/internetoptions.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSpinBox>
#include <QVBoxLayout>
#include <QWebEngineCookieStore>
#include <QWebEngineProfile>
#include <QWebEngineSettings>

#include "dialogs/modal.h"
#include "platform/profiles.h"
#include "platform/webengine.h"

namespace mira::platform {
namespace {

struct Encoding {
    const char *name;
    const char *caption;
};

constexpr Encoding encodings[] = {
    {"UTF-8", "Unicode (UTF-8)"},
    {"ISO-8859-1", "Western European (ISO)"},
    {"windows-1252", "Western European (Windows)"},
    {"ISO-8859-2", "Central European (ISO)"},
    {"windows-1250", "Central European (Windows)"},
    {"windows-1251", "Cyrillic (Windows)"},
    {"KOI8-R", "Cyrillic (KOI8-R)"},
    {"windows-1253", "Greek (Windows)"},
    {"windows-1254", "Turkish (Windows)"},
    {"windows-1255", "Hebrew (Windows)"},
    {"windows-1256", "Arabic (Windows)"},
    {"windows-1257", "Baltic (Windows)"},
    {"Shift_JIS", "Japanese (Shift-JIS)"},
    {"EUC-JP", "Japanese (EUC)"},
    {"GBK", "Chinese Simplified (GBK)"},
    {"Big5", "Chinese Traditional (Big5)"},
    {"EUC-KR", "Korean (EUC)"},
};

QString optionsFile()
{
    return engine::DataFolder() + QStringLiteral("/options.ini");
}

} // namespace

bool CookieAllowed(InternetOptions::Cookies policy, bool thirdParty)
{
    switch (policy) {
    case InternetOptions::Cookies::AcceptAll: return true;
    case InternetOptions::Cookies::BlockThirdParty: return !thirdParty;
    case InternetOptions::Cookies::BlockAll: return false;
    }
    return true;
}

QNetworkProxy ProxyFor(const InternetOptions &options)
{
    switch (options.proxy) {
    case InternetOptions::Proxy::None: return QNetworkProxy(QNetworkProxy::NoProxy);
    case InternetOptions::Proxy::Manual:
        if (!options.proxyHost.trimmed().isEmpty() && options.proxyPort > 0
            && options.proxyPort < 65536)
            return QNetworkProxy(QNetworkProxy::HttpProxy, options.proxyHost.trimmed(),
                                 quint16(options.proxyPort));
        break;
    case InternetOptions::Proxy::System: break;
    }
    return QNetworkProxy(QNetworkProxy::DefaultProxy);
}

QStringList EncodingNames()
{
    QStringList names;
    for (const Encoding &e : encodings)
        names << QString::fromLatin1(e.name);
    return names;
}

QStringList EncodingCaptions()
{
    QStringList captions;
    for (const Encoding &e : encodings)
        captions << QString::fromLatin1(e.caption);
    return captions;
}

InternetOptions ReadInternetOptions()
{
    InternetOptions options;
    const QSettings s(optionsFile(), QSettings::IniFormat);
    options.loadImages = s.value("LoadImages", options.loadImages).toBool();
    options.runScripts = s.value("RunScripts", options.runScripts).toBool();
    const int cookies = s.value("Cookies", int(options.cookies)).toInt();
    if (cookies >= 0 && cookies <= int(InternetOptions::Cookies::BlockAll))
        options.cookies = InternetOptions::Cookies(cookies);
    const QString encoding = s.value("DefaultEncoding").toString();
    if (EncodingNames().contains(encoding))
        options.defaultEncoding = encoding;
    const int proxy = s.value("Proxy", int(options.proxy)).toInt();
    if (proxy >= 0 && proxy <= int(InternetOptions::Proxy::Manual))
        options.proxy = InternetOptions::Proxy(proxy);
    options.proxyHost = s.value("ProxyHost").toString();
    bool ok = false;
    const int port = s.value("ProxyPort").toInt(&ok);
    if (ok && port > 0 && port < 65536)
        options.proxyPort = port;
    return options;
}

void KeepInternetOptions(const InternetOptions &options)
{
    QSettings s(optionsFile(), QSettings::IniFormat);
    s.setValue("LoadImages", options.loadImages);
    s.setValue("RunScripts", options.runScripts);
    s.setValue("Cookies", int(options.cookies));
    s.setValue("DefaultEncoding", options.defaultEncoding);
    s.setValue("Proxy", int(options.proxy));
    s.setValue("ProxyHost", options.proxyHost);
    s.setValue("ProxyPort", options.proxyPort);
}

void WriteInternetOptions(const InternetOptions &options)
{
    KeepInternetOptions(options);
    for (QWebEngineProfile *profile : engine::MadeProfiles())
        ApplyInternetOptions(profile, options);
}

void ApplyInternetOptions(QWebEngineProfile *profile, const InternetOptions &options)
{
    QWebEngineSettings *s = profile->settings();
    s->setAttribute(QWebEngineSettings::AutoLoadImages, options.loadImages);
    s->setAttribute(QWebEngineSettings::JavascriptEnabled, options.runScripts);
    s->setDefaultTextEncoding(options.defaultEncoding);
    // The filter runs off the UI thread: it holds the policy by value.
    const InternetOptions::Cookies policy = options.cookies;
    profile->cookieStore()->setCookieFilter(
        [policy](const QWebEngineCookieStore::FilterRequest &request) {
            return CookieAllowed(policy, request.thirdParty);
        });
    // The engine follows the program's proxy; with none set (DefaultProxy) it reads
    // the system's settings itself.
    QNetworkProxy::setApplicationProxy(ProxyFor(options));
}

bool RunInternetOptions(QWidget *owner)
{
    const InternetOptions kept = ReadInternetOptions();
    QDialog dialog(owner);
    dialog.setObjectName(QStringLiteral("internetOptions"));
    dialog.setWindowTitle(QStringLiteral("Internet Options"));

    auto *history = new QGroupBox(QStringLiteral("Browsing history"), &dialog);
    auto *cache = new QCheckBox(QStringLiteral("Temporary files (cache)"), history);
    cache->setObjectName(QStringLiteral("clearCache"));
    cache->setChecked(true);
    auto *cookies = new QCheckBox(QStringLiteral("Cookies"), history);
    cookies->setObjectName(QStringLiteral("clearCookies"));
    auto *visited = new QCheckBox(QStringLiteral("History"), history);
    visited->setObjectName(QStringLiteral("clearHistory"));
    visited->setChecked(true);
    auto *deleteButton = new QPushButton(QStringLiteral("&Delete"), history);
    deleteButton->setObjectName(QStringLiteral("deleteBrowsingData"));
    auto *historyLayout = new QVBoxLayout(history);
    historyLayout->addWidget(cache);
    historyLayout->addWidget(cookies);
    historyLayout->addWidget(visited);
    historyLayout->addWidget(deleteButton, 0, Qt::AlignRight);

    auto *content = new QGroupBox(QStringLiteral("Content"), &dialog);
    auto *images = new QCheckBox(QStringLiteral("Load &images"), content);
    images->setObjectName(QStringLiteral("loadImages"));
    images->setChecked(kept.loadImages);
    auto *scripts = new QCheckBox(QStringLiteral("Run &scripts (JavaScript)"), content);
    scripts->setObjectName(QStringLiteral("runScripts"));
    scripts->setChecked(kept.runScripts);
    auto *acceptCookies = new QComboBox(content);
    acceptCookies->setObjectName(QStringLiteral("acceptCookies"));
    acceptCookies->addItems({QStringLiteral("Accept all cookies"),
                             QStringLiteral("Block third-party cookies"),
                             QStringLiteral("Block all cookies")});
    acceptCookies->setCurrentIndex(int(kept.cookies));
    auto *encoding = new QComboBox(content);
    encoding->setObjectName(QStringLiteral("defaultEncoding"));
    encoding->addItems(EncodingCaptions());
    encoding->setCurrentIndex(int(EncodingNames().indexOf(kept.defaultEncoding)));
    auto *contentLayout = new QGridLayout(content);
    contentLayout->addWidget(images, 0, 0, 1, 2);
    contentLayout->addWidget(scripts, 1, 0, 1, 2);
    contentLayout->addWidget(new QLabel(QStringLiteral("C&ookies:"), content), 2, 0);
    contentLayout->addWidget(acceptCookies, 2, 1);
    contentLayout->addWidget(new QLabel(QStringLiteral("Default &encoding:"), content), 3, 0);
    contentLayout->addWidget(encoding, 3, 1);
    for (int row : {2, 3})
        static_cast<QLabel *>(contentLayout->itemAtPosition(row, 0)->widget())
            ->setBuddy(contentLayout->itemAtPosition(row, 1)->widget());

    auto *connection = new QGroupBox(QStringLiteral("Connection"), &dialog);
    auto *noProxy = new QRadioButton(QStringLiteral("&Direct connection"), connection);
    noProxy->setObjectName(QStringLiteral("noProxy"));
    auto *systemProxy = new QRadioButton(QStringLiteral("Proxy of the s&ystem"), connection);
    systemProxy->setObjectName(QStringLiteral("systemProxy"));
    auto *manualProxy = new QRadioButton(QStringLiteral("&Manual proxy:"), connection);
    manualProxy->setObjectName(QStringLiteral("manualProxy"));
    auto *proxyKind = new QButtonGroup(&dialog);
    proxyKind->addButton(noProxy, int(InternetOptions::Proxy::None));
    proxyKind->addButton(systemProxy, int(InternetOptions::Proxy::System));
    proxyKind->addButton(manualProxy, int(InternetOptions::Proxy::Manual));
    proxyKind->button(int(kept.proxy))->setChecked(true);
    auto *host = new QLineEdit(kept.proxyHost, connection);
    host->setObjectName(QStringLiteral("proxyHost"));
    auto *port = new QSpinBox(connection);
    port->setObjectName(QStringLiteral("proxyPort"));
    port->setRange(1, 65535);
    port->setValue(kept.proxyPort);
    auto *manualRow = new QHBoxLayout;
    manualRow->addWidget(manualProxy);
    manualRow->addWidget(host, 1);
    manualRow->addWidget(new QLabel(QStringLiteral("Port:"), connection));
    manualRow->addWidget(port);
    auto *connectionLayout = new QVBoxLayout(connection);
    connectionLayout->addWidget(noProxy);
    connectionLayout->addWidget(systemProxy);
    connectionLayout->addLayout(manualRow);
    auto enableManual = [host, port, manualProxy] {
        host->setEnabled(manualProxy->isChecked());
        port->setEnabled(manualProxy->isChecked());
    };
    QObject::connect(manualProxy, &QRadioButton::toggled, &dialog, enableManual);
    enableManual();

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    QObject::connect(deleteButton, &QPushButton::clicked, &dialog, [=] {
        if (cache->isChecked())
            engine::ClearCache();
        if (cookies->isChecked())
            engine::ClearCookies();
        if (visited->isChecked())
            engine::ClearVisitedLinks();
    });

    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(history);
    layout->addWidget(content);
    layout->addWidget(connection);
    layout->addWidget(buttons);

    if (RunDialog(dialog, owner) != QDialog::Accepted)
        return false;
    InternetOptions chosen = kept;
    chosen.loadImages = images->isChecked();
    chosen.runScripts = scripts->isChecked();
    chosen.cookies = InternetOptions::Cookies(acceptCookies->currentIndex());
    if (encoding->currentIndex() >= 0)
        chosen.defaultEncoding = EncodingNames().at(encoding->currentIndex());
    chosen.proxy = InternetOptions::Proxy(proxyKind->checkedId());
    chosen.proxyHost = host->text().trimmed();
    chosen.proxyPort = port->value();
    WriteInternetOptions(chosen);
    return true;
}

} // namespace mira::platform
