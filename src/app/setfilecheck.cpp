#include "app/setfilecheck.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "dialogs/messagebox.h"

namespace mira {
namespace {

constexpr char kFirstLine[] = "object TBaseForm";
constexpr qsizetype kFirstLineLength = sizeof kFirstLine - 1;

} // namespace

// Reads no more than the header and the byte after it.
bool HasSetHeader(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = file.read(kFirstLineLength + 1);
    if (!head.startsWith(kFirstLine))
        return false;
    return head.size() == kFirstLineLength || head.at(kFirstLineLength) == '\r'
           || head.at(kFirstLineLength) == '\n';
}

namespace {

// The reason a path cannot be a set file, or nullptr when it can.
const char *refusal(const QString &path)
{
    if (path.isEmpty())
        return "has no name";
    if (!HasSetExtension(path))
        return "has wrong extension";
    // Paths carry no drive here; an absolute path is what a drive stood for.
    if (!QDir::isAbsolutePath(path))
        return "has no path specified";
    if (!QFileInfo::exists(path))
        return "not found";
    if (!HasSetHeader(path))
        return "is not a configuration file";
    return nullptr;
}

} // namespace

bool HasSetExtension(const QString &path)
{
    const qsizetype slash = path.lastIndexOf(QLatin1Char('/'));
    const qsizetype dot = path.lastIndexOf(QLatin1Char('.'));
    if (dot < 0 || dot < slash)
        return false;
    return QStringView(path).mid(dot).compare(QLatin1String(".set"), Qt::CaseInsensitive) == 0;
}

bool IsConfigFile(const QString &path, bool withMessages)
{
    const char *reason = refusal(path);
    if (!reason)
        return true;
    if (withMessages) {
        // Concatenated, not formatted: a path may itself contain "%1".
        ShowMessageBox(nullptr,
                       QStringLiteral("The file ") + path + QLatin1Char(' ') + QLatin1String(reason)
                           + QLatin1Char('.'),
                       QStringLiteral("Illegal Configuration File"), MsgType::Information, mbOK);
    }
    return false;
}

} // namespace mira
