#include "platform/autostart.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>

namespace mira::platform {

QString QuoteExecArgument(const QString &argument)
{
    static const QString reserved = QStringLiteral(" \t\n\"'\\><~|&;$*?#()`");
    bool quote = argument.isEmpty();
    for (QChar c : argument)
        if (reserved.contains(c))
            quote = true;
    QString out;
    if (quote)
        out += QLatin1Char('"');
    for (QChar c : argument) {
        if (c == QLatin1Char('%'))
            out += QLatin1Char('%');
        else if (quote
                 && (c == QLatin1Char('"') || c == QLatin1Char('`') || c == QLatin1Char('$')
                     || c == QLatin1Char('\\')))
            out += QLatin1Char('\\');
        out += c;
    }
    if (quote)
        out += QLatin1Char('"');
    return out;
}

QString EscapeEntryValue(const QString &value)
{
    QString out;
    for (QChar c : value) {
        if (c == QLatin1Char('\\'))
            out += QStringLiteral("\\\\");
        else if (c == QLatin1Char('\n'))
            out += QStringLiteral("\\n");
        else if (c == QLatin1Char('\t'))
            out += QStringLiteral("\\t");
        else if (c == QLatin1Char('\r'))
            out += QStringLiteral("\\r");
        else
            out += c;
    }
    return out;
}

QString AutostartFolder()
{
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    // The variable counts only when it is an absolute path.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.config");
    return base + QStringLiteral("/autostart");
}

QString AutostartEntryPath(const QString &folder, const QString &setName)
{
    QString name = setName;
    // A set name is a file name already; a slash would leave the folder.
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    return folder + QStringLiteral("/mira-") + name + QStringLiteral(".desktop");
}

QString AutostartEntryText(const QString &program, const QString &setPath, const QString &setName)
{
    const QString exec = QuoteExecArgument(program) + QLatin1Char(' ') + QuoteExecArgument(setPath);
    return QStringLiteral("[Desktop Entry]\n"
                          "Type=Application\n"
                          "Name=Mira: %1\n"
                          "Comment=Opens the configuration set %1 at login\n"
                          "Exec=%2\n"
                          "Icon=mira\n"
                          "Terminal=false\n"
                          "X-GNOME-Autostart-enabled=true\n")
        .arg(EscapeEntryValue(setName), EscapeEntryValue(exec));
}

bool HasAutostartEntry(const QString &folder, const QString &program, const QString &setPath,
                       const QString &setName)
{
    QFile file(AutostartEntryPath(folder, setName));
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QString text = QString::fromUtf8(file.readAll());
    const QString exec = QStringLiteral("Exec=")
                         + EscapeEntryValue(QuoteExecArgument(program) + QLatin1Char(' ')
                                            + QuoteExecArgument(setPath));
    return text.split(QLatin1Char('\n')).contains(exec);
}

bool SetAutostartEntry(bool on, const QString &folder, const QString &program,
                       const QString &setPath, const QString &setName, QString *error)
{
    const QString path = AutostartEntryPath(folder, setName);
    if (!on) {
        QFile file(path);
        if (!file.exists() || file.remove())
            return true;
        if (error)
            *error = file.errorString();
        return false;
    }
    if (!QDir().mkpath(folder)) {
        if (error)
            *error = QStringLiteral("Cannot create the folder %1.").arg(folder);
        return false;
    }
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly)) {
        file.write(AutostartEntryText(program, setPath, setName).toUtf8());
        if (file.commit())
            return true;
    }
    if (error)
        *error = file.errorString();
    return false;
}

} // namespace mira::platform
