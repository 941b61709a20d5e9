#include "platform/commandfailure.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QStorageInfo>

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
    // Permissions do not refuse root, nor tell of a read-only mount or a folder that
    // takes no new files (/proc): only opening the file does.
    QFile trial(path);
    const bool existed = file.exists();
    if (!trial.open(existed ? QIODevice::WriteOnly | QIODevice::Append
                            : QIODevice::WriteOnly | QIODevice::NewOnly))
        return trial.errorString();
    trial.close();
    if (!existed)
        trial.remove();
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

QString SaveInterruptText(int engineReason)
{
    static const QHash<int, QString> texts = {
        {1, QStringLiteral("the file could not be written")},
        {2, QStringLiteral("access to the file was denied")},
        {3, QStringLiteral("there is no space left on the disk")},
        {5, QStringLiteral("the file name is too long")},
        {6, QStringLiteral("the file is too large for the disk")},
        {7, QStringLiteral("the file was found to hold a virus")},
        {10, QStringLiteral("the disk was busy; try again")},
        {11, QStringLiteral("the file was blocked")},
        {12, QStringLiteral("the file failed a security check")},
        {13, QStringLiteral("the file came out too short")},
        {14, QStringLiteral("the file's content did not match")},
        {20, QStringLiteral("the network failed")},
        {21, QStringLiteral("the network timed out")},
        {22, QStringLiteral("the network was disconnected")},
        {23, QStringLiteral("the server went down")},
        {24, QStringLiteral("the request was refused by the network")},
        {30, QStringLiteral("the server failed")},
        {33, QStringLiteral("the server sent bad content")},
        {34, QStringLiteral("the server asked for a login")},
        {35, QStringLiteral("the server's certificate is not trusted")},
        {36, QStringLiteral("the server refused access")},
        {37, QStringLiteral("the server could not be reached")},
        {40, QStringLiteral("the save was cancelled")},
        {50, QStringLiteral("the engine crashed while saving")},
    };
    return texts.value(engineReason);
}

QString SaveFailureText(int engineReason, const QString &path)
{
    if (QString text = SaveInterruptText(engineReason); !text.isEmpty())
        return text;
    // The engine gives the same code for every file error of a page save: ask the
    // file system what stands in the way now.
    const QStorageInfo disk(QFileInfo(path).absolutePath());
    if (disk.isValid() && disk.isReady() && disk.bytesAvailable() == 0)
        return QStringLiteral("there is no space left on the disk");
    if (QString problem = WriteTargetProblem(path); !problem.isEmpty())
        return problem;
    return QStringLiteral("the page could not be written");
}

} // namespace mira::platform
