#include "app/configfiles.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include "app/programvalues.h"
#include "app/setfilecheck.h"

namespace mira {

QString ExpandConfigName(const QString &name, const QString &folder)
{
    if (name.isEmpty())
        return {};
    QString path = name;
    if (!path.contains(QLatin1Char('.')))
        path += QStringLiteral(".set");
    if (QDir::isAbsolutePath(path))
        return path;
    QString base = QDir::isAbsolutePath(folder) ? folder : programValues().programFolder;
    if (!base.isEmpty() && !base.endsWith(QLatin1Char('/')))
        base += QLatin1Char('/');
    return base + path;
}

qint64 PackedFileTime(const QString &path)
{
    const QDateTime t = QFileInfo(path).lastModified();
    const QDate d = t.date();
    const QTime c = t.time();
    return (qint64(d.year() - 1980) << 25) | (qint64(d.month()) << 21) | (qint64(d.day()) << 16)
           | (qint64(c.hour()) << 11) | (qint64(c.minute()) << 5) | qint64(c.second() / 2);
}

QString FindConfigFile(const QString &path, bool forced)
{
    if (!path.isEmpty()) {
        const QFileInfo info(path);
        if (info.exists() && info.isFile() && (forced || IsConfigFile(path, false)))
            return path;
        return {};
    }
    const QString folder = programValues().programFolder;
    const QDir dir(folder);
    // Hidden files are those whose names begin with a dot; they are left out.
    const QFileInfoList entries = dir.entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
    qint64 best = 0;
    QString bestName;
    for (const QFileInfo &e : entries) {
        if (e.fileName().startsWith(QLatin1Char('.')) || !HasSetExtension(e.fileName()))
            continue;
        const qint64 stamp = PackedFileTime(e.filePath());
        if (stamp > best && IsConfigFile(folder + e.fileName(), false)) {
            best = stamp;
            bestName = e.fileName();
        }
    }
    return bestName.isEmpty() ? QString() : folder + bestName;
}

bool ConfigNameExists(const QString &folder, const QString &name)
{
    const QString wanted = name + QStringLiteral(".set");
    const QDir dir(folder);
    for (const QString &entry : dir.entryList(QDir::Files | QDir::Hidden | QDir::System))
        if (entry.compare(wanted, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool IsValidConfigName(const QString &name)
{
    for (QChar c : name) {
        const ushort u = c.unicode();
        const bool ok = (u >= 'A' && u <= 'Z') || (u >= 'a' && u <= 'z') || (u >= '0' && u <= '9')
                        || u == '-' || u == '_';
        if (!ok)
            return false;
    }
    return true;
}

bool WriteFileAtomically(const QString &path, const QByteArray &data, QString *error)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // Small writes stay in the file's buffer until commit, which then drops a
    // failed flush (a full disk) and renames an empty file over the set: flush
    // first, so a failure is seen and the old file stays.
    if (file.write(data) != data.size() || !file.flush() || !file.commit()) {
        if (error)
            *error = file.errorString();
        file.cancelWriting();
        return false;
    }
    return true;
}

} // namespace mira
