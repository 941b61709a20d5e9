#include "platform/pagecopies.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QUrl>
#include <algorithm>
#include <atomic>
#include <cstdio>

#include "platform/enginedata.h"

namespace mira::platform {
namespace {

const QString copySuffix = QStringLiteral(".mht");
const QString noteSuffix = QStringLiteral(".note");

// The note beside a copy: its address on the first line, the time taken on the second.
QString notePath(const QString &copyFile)
{
    return copyFile.left(copyFile.size() - copySuffix.size()) + noteSuffix;
}

std::optional<KeptCopy> readCopy(const QString &copyFile)
{
    const QFileInfo info(copyFile);
    QFile note(notePath(copyFile));
    if (!info.isFile() || !note.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(note.readAll()).split(QLatin1Char('\n'));
    if (lines.size() < 2 || lines.at(0).isEmpty())
        return std::nullopt;
    QDateTime taken = QDateTime::fromString(lines.at(1), Qt::ISODateWithMs);
    if (!taken.isValid())
        taken = info.lastModified();
    return KeptCopy{lines.at(0), copyFile, taken, info.size()};
}

} // namespace

QString CopyKey(const QString &address)
{
    QUrl url = QUrl::fromUserInput(address.trimmed());
    if (!url.isValid())
        return address.trimmed();
    url.setFragment(QString());
    if (url.path().isEmpty() && !url.host().isEmpty())
        url.setPath(QStringLiteral("/"));
    return url.adjusted(QUrl::NormalizePathSegments | QUrl::RemoveFragment).toString();
}

QString CopyFileName(const QString &address)
{
    const QByteArray hash =
        QCryptographicHash::hash(CopyKey(address).toUtf8(), QCryptographicHash::Sha1).toHex();
    return QString::fromLatin1(hash) + copySuffix;
}

bool MayKeepCopy(bool leavesNoTraces, bool cachedByEngine)
{
    return !leavesNoTraces && cachedByEngine;
}

QStringList CopiesOverBound(QList<KeptCopy> copies, qint64 bound)
{
    std::stable_sort(copies.begin(), copies.end(),
                     [](const KeptCopy &a, const KeptCopy &b) { return a.taken < b.taken; });
    qint64 total = 0;
    for (const KeptCopy &c : copies)
        total += c.size;
    QStringList drop;
    for (const KeptCopy &c : copies) {
        if (total <= bound)
            break;
        drop.append(c.file);
        total -= c.size;
    }
    return drop;
}

PageCopies::PageCopies(QString folder, qint64 bound) : dir(std::move(folder)), limit(bound) {}

PageCopies &PageCopies::Shared()
{
    static PageCopies store(engine::DataFolder() + QStringLiteral("/copies"));
    return store;
}

std::optional<KeptCopy> PageCopies::find(const QString &address) const
{
    std::optional<KeptCopy> copy = readCopy(dir + QLatin1Char('/') + CopyFileName(address));
    if (copy && CopyKey(copy->address) != CopyKey(address))
        return std::nullopt;
    return copy;
}

QList<KeptCopy> PageCopies::all() const
{
    QList<KeptCopy> copies;
    const QStringList files = QDir(dir).entryList({QStringLiteral("*") + copySuffix}, QDir::Files,
                                                  QDir::NoSort);
    for (const QString &name : files)
        if (std::optional<KeptCopy> copy = readCopy(dir + QLatin1Char('/') + name))
            copies.append(*copy);
    return copies;
}

qint64 PageCopies::totalSize() const
{
    qint64 total = 0;
    for (const KeptCopy &c : all())
        total += c.size;
    return total;
}

QString PageCopies::stagingPath(const QString &address) const
{
    static std::atomic<int> serial{0};
    QDir().mkpath(dir);
    // Not ending in the copy suffix, so a half-written file is never taken for a copy.
    return QStringLiteral("%1/%2.%3-%4.part")
        .arg(dir, CopyFileName(address))
        .arg(QCoreApplication::applicationPid())
        .arg(++serial);
}

bool PageCopies::commit(const QString &address, const QString &staged, const QDateTime &taken)
{
    const QString target = dir + QLatin1Char('/') + CopyFileName(address);
    if (!QFileInfo(staged).isFile()
        || std::rename(QFile::encodeName(staged).constData(), QFile::encodeName(target).constData())
               != 0) {
        discard(staged);
        return false;
    }
    QSaveFile note(notePath(target));
    if (!note.open(QIODevice::WriteOnly)
        || note.write(CopyKey(address).toUtf8() + '\n'
                      + taken.toUTC().toString(Qt::ISODateWithMs).toLatin1() + '\n')
               < 0
        || !note.commit()) {
        QFile::remove(target);
        return false;
    }
    // Files staged by a program that ended before its copy was complete.
    const QFileInfoList parts = QDir(dir).entryInfoList({QStringLiteral("*.part")}, QDir::Files,
                                                        QDir::NoSort);
    for (const QFileInfo &part : parts)
        if (part.lastModified().secsTo(QDateTime::currentDateTime()) > 600)
            QFile::remove(part.filePath());
    for (const QString &file : CopiesOverBound(all(), limit)) {
        QFile::remove(file);
        QFile::remove(notePath(file));
    }
    return true;
}

void PageCopies::discard(const QString &staged)
{
    if (!staged.isEmpty())
        QFile::remove(staged);
}

} // namespace mira::platform
