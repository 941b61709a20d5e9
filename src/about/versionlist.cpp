#include "about/versionlist.h"

namespace mira {

QString SpacedKey(const QString &key)
{
    QString spaced;
    for (qsizetype i = 0; i < key.size(); ++i) {
        if (i >= 2 && key.at(i).isUpper() && key.at(i - 1).isLower())
            spaced += QLatin1Char(' ');
        spaced += key.at(i);
    }
    return spaced;
}

QString BuildOf(const QString &fileVersion)
{
    const qsizetype dot = fileVersion.lastIndexOf(QLatin1Char('.'));
    return fileVersion.mid(dot + 1, 5);
}

VersionInfo ReadVersionInfo(const QList<QPair<QString, QString>> &table, const QString &programFile,
                            const QString &languageName)
{
    VersionInfo info;
    info.lines = {QString(), QStringLiteral("Version Information"), QString()};
    if (table.isEmpty()) {
        info.lines << programFile + QStringLiteral(" contains no version info.");
        return info;
    }
    for (const auto &[key, value] : table) {
        info.lines << SpacedKey(key) + QStringLiteral(": ") + value;
        if (key == QLatin1String("ProductName"))
            info.productName = value;
        else if (key == QLatin1String("ProductVersion"))
            info.version = value;
        else if (key == QLatin1String("Product Home Page"))
            info.homePage = value;
        else if (key == QLatin1String("FileVersion"))
            info.build = BuildOf(value);
        else if (key == QLatin1String("LegalCopyright"))
            info.copyright = value;
        else if (key == QLatin1String("Author E-mail"))
            info.mail = value;
        else if (key == QLatin1String("Started"))
            info.started = value;
        else if (key == QLatin1String("Continued"))
            info.continued = value;
        else if (key == QLatin1String("Location")) {
            info.location = value;
            info.lines << QStringLiteral("Language: ") + languageName;
        }
    }
    return info;
}

} // namespace mira
