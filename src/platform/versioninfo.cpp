#include "platform/versioninfo.h"

#include <QSysInfo>
#include <QtWebEngineCore/qtwebenginecoreglobal.h>

namespace mira::platform {

QString EngineVersion()
{
    return QString::fromLatin1(qWebEngineChromiumVersion());
}

QString OperatingSystemVersion()
{
    QString text = QSysInfo::kernelVersion();
    const QString product = QSysInfo::prettyProductName();
    if (!product.isEmpty())
        text += QLatin1Char(' ') + product;
    return text;
}

QList<QPair<QString, QString>> ProgramVersionTable()
{
    const QString version = QStringLiteral(MIRA_VERSION_TEXT);
    return {
        {QStringLiteral("ProductName"), QStringLiteral("Mira")},
        {QStringLiteral("ProductVersion"), version},
        {QStringLiteral("FileDescription"), QStringLiteral("Mira Web Browser")},
        {QStringLiteral("FileVersion"), version},
        {QStringLiteral("InternalName"), QStringLiteral("mira")},
        {QStringLiteral("OriginalFilename"), QStringLiteral("mira")},
    };
}

} // namespace mira::platform
