#include "platform/versioninfo.h"

#include <QSysInfo>

#include "buildinfo.h"

namespace mira::platform {
namespace {

QString &engineVersion()
{
    static QString text;
    return text;
}

QString &engineLibraryVersion()
{
    static QString text;
    return text;
}

} // namespace

QString EngineVersion()
{
    return engineVersion();
}

QString EngineLibraryVersion()
{
    return engineLibraryVersion();
}

void SetEngineVersions(const QString &engine, const QString &library)
{
    engineVersion() = engine;
    engineLibraryVersion() = library;
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
    auto text = [](const char *value) { return QString::fromUtf8(value); };
    return {
        {QStringLiteral("ProductName"), QStringLiteral("Mira")},
        {QStringLiteral("ProductVersion"), text(MIRA_BUILD_PRODUCT_VERSION)},
        {QStringLiteral("Product Home Page"), text(MIRA_BUILD_HOME_PAGE)},
        {QStringLiteral("FileDescription"), QStringLiteral("Mira Web Browser")},
        {QStringLiteral("FileVersion"), text(MIRA_BUILD_FILE_VERSION)},
        {QStringLiteral("InternalName"), QStringLiteral("mira")},
        {QStringLiteral("LegalCopyright"), QStringLiteral("\u00a9 2026 The Mira maintainers")},
        {QStringLiteral("LegalTradeMarks"), QStringLiteral("Mira is a name, not a trade mark")},
        {QStringLiteral("OriginalFilename"), QStringLiteral("mira")},
        {QStringLiteral("CompanyName"), QStringLiteral("The Mira maintainers")},
        {QStringLiteral("Author"), QStringLiteral("The Mira maintainers")},
        {QStringLiteral("Author E-mail"), text(MIRA_BUILD_AUTHOR_EMAIL)},
        {QStringLiteral("Started"), QStringLiteral("December 2026")},
        {QStringLiteral("Continued"), QStringLiteral("to this day")},
        {QStringLiteral("Location"), QStringLiteral("Debian GNU/Linux")},
        {QStringLiteral("Comments"),
         QStringLiteral("A web browser whose window you design, on Qt 6 and Qt WebEngine")},
    };
}

} // namespace mira::platform
