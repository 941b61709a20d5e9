#include "platform/commandfailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace mira::platform {

QString CommandFailureText(const QString &command, const QString &target, const QString &reason)
{
    QString why = reason.trimmed();
    if (why.endsWith(QLatin1Char('.')))
        why.chop(1);
    // "File access denied" reads as one sentence only in lower case; an all-capital
    // word (a name, "PDF") keeps its case.
    if (why.size() > 1 && why.at(0).isUpper() && !why.at(1).isUpper())
        why[0] = why.at(0).toLower();
    if (why.isEmpty())
        why = QStringLiteral("unknown reason");
    QString text = command + QStringLiteral(" failed: ");
    if (!target.isEmpty())
        text += target + QStringLiteral(": ");
    return text + why;
}

QString WriteTargetProblem(const QString &path)
{
    if (path.trimmed().isEmpty())
        return QStringLiteral("no file name was given");
    const QFileInfo file(path);
    if (file.isDir())
        return QStringLiteral("a folder of that name is in the way");
    const QFileInfo folder(file.absolutePath());
    if (!folder.exists())
        return QStringLiteral("the folder %1 does not exist")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (!folder.isDir())
        return QStringLiteral("%1 is not a folder")
            .arg(QDir::toNativeSeparators(folder.filePath()));
    if (file.exists() && !file.isWritable())
        return QStringLiteral("the file is read-only");
    if (!file.exists() && !folder.isWritable())
        return QStringLiteral("the folder is read-only");
    return {};
}

QString ReadSourceProblem(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists())
        return QStringLiteral("the file does not exist");
    if (info.isDir())
        return QStringLiteral("it is a folder, not a file");
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return file.errorString();
    return {};
}

QString SaveInterruptText(const QString &engineReason)
{
    QString reason = engineReason.trimmed();
    if (reason.isEmpty() || reason.compare(QLatin1String("No reason"), Qt::CaseInsensitive) == 0)
        return QStringLiteral("the page could not be written");
    return reason;
}

} // namespace mira::platform
