#pragma once
// Kept copies: the last good state of each bookmarked page as one self-contained file
// (MIME HTML) in the engine's data folder, so a wall keeps showing while its servers
// or the network are away. One copy per address, each replaced by a rename, the whole
// store bounded, the oldest dropped first. Nothing here touches the engine; the web
// control writes the files (pagestandin.cpp).
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mira::platform {

struct KeptCopy {
    QString address; // the address the copy was taken for
    QString file;    // the MIME HTML file
    QDateTime taken;
    qint64 size = 0;
};

// The key a copy is filed under: the address with a scheme, a path of at least "/",
// and no fragment, so "example.com" and "http://example.com/#top" share a copy.
QString CopyKey(const QString &address);
// The file a copy of address is kept in, inside the store's folder.
QString CopyFileName(const QString &address);
// Whether a copy of a loaded page may be kept: never while browsing leaves no traces,
// and only of a page the engine's disk cache took (one answered "Cache-Control:
// no-store" it never takes).
bool MayKeepCopy(bool leavesNoTraces, bool cachedByEngine);
// The files to drop, oldest first, so the remaining copies fit within bound bytes.
QStringList CopiesOverBound(QList<KeptCopy> copies, qint64 bound);

// Copies being taken now (from the page's cache check to the file in place): a
// program about to end waits for them, or the loads it just made leave no copy.
int CopiesUnderway();

class PageCopies {
public:
    static constexpr qint64 DefaultBound = qint64(256) << 20;

    explicit PageCopies(QString folder, qint64 bound = DefaultBound);

    // The store in the engine's data folder.
    static PageCopies &Shared();

    QString folder() const { return dir; }
    qint64 bound() const { return limit; }
    void setBound(qint64 bound) { limit = bound; }

    // The copy kept for address; none when there is none or it is incomplete.
    std::optional<KeptCopy> find(const QString &address) const;
    // Every complete copy in the store.
    QList<KeptCopy> all() const;
    qint64 totalSize() const;

    // A fresh file beside the copies for a new copy of address to be written to.
    QString stagingPath(const QString &address) const;
    // Puts the staged file in place of the copy of address (a rename: a reader sees
    // the old copy or the new one, never half of one), records when it was taken and
    // drops the oldest copies over the bound. False (and the staged file removed) when
    // it cannot be put in place.
    bool commit(const QString &address, const QString &staged, const QDateTime &taken);
    // Drops a staged file that will not become a copy.
    static void discard(const QString &staged);

private:
    QString dir;
    qint64 limit;
};

} // namespace mira::platform
