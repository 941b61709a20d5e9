#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "platform/pagecopies.h"

using namespace mira::platform;

namespace {

QString writeStaged(PageCopies &store, const QString &address, const QByteArray &content)
{
    const QString path = store.stagingPath(address);
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(content);
    return path;
}

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QDateTime at(int minute)
{
    return QDateTime(QDate(2026, 12, 10), QTime(4, minute), Qt::UTC);
}

} // namespace

TEST(CopyRules, OneAddressWrittenDifferentlySharesItsCopy)
{
    const struct {
        const char *a;
        const char *b;
        bool same;
    } cases[] = {
        {"example.com", "http://example.com/", true},
        {"http://example.com/#top", "http://example.com/", true},
        {"http://example.com/a/../b", "http://example.com/b", true},
        {"http://example.com/a", "http://example.com/b", false},
        {"http://example.com/?q=1", "http://example.com/?q=2", false},
        {"https://example.com/", "http://example.com/", false},
    };
    for (const auto &c : cases) {
        const QString a = QString::fromLatin1(c.a);
        const QString b = QString::fromLatin1(c.b);
        EXPECT_EQ(CopyKey(a) == CopyKey(b), c.same) << c.a << " / " << c.b;
        EXPECT_EQ(CopyFileName(a) == CopyFileName(b), c.same) << c.a << " / " << c.b;
    }
    EXPECT_TRUE(
        CopyFileName(QStringLiteral("http://example.com/")).endsWith(QLatin1String(".mht")));
}

TEST(CopyRules, NoStoreAndTracelessBrowsingKeepNothing)
{
    EXPECT_TRUE(MayKeepCopy(false, true));
    EXPECT_FALSE(MayKeepCopy(false, false)); // no-store: the cache never took it
    EXPECT_FALSE(MayKeepCopy(true, true));   // No Cache Nor History
    EXPECT_FALSE(MayKeepCopy(true, false));
}

TEST(CopyRules, TheOldestCopiesGoFirstUntilTheRestFits)
{
    const QList<KeptCopy> copies = {
        {QStringLiteral("b"), QStringLiteral("b.mht"), at(2), 100},
        {QStringLiteral("a"), QStringLiteral("a.mht"), at(1), 100},
        {QStringLiteral("c"), QStringLiteral("c.mht"), at(3), 100},
    };
    EXPECT_TRUE(CopiesOverBound(copies, 300).isEmpty());
    EXPECT_EQ(CopiesOverBound(copies, 299), QStringList{QStringLiteral("a.mht")});
    EXPECT_EQ(CopiesOverBound(copies, 100),
              (QStringList{QStringLiteral("a.mht"), QStringLiteral("b.mht")}));
    // A copy larger than the whole store does not stay either.
    EXPECT_EQ(CopiesOverBound(copies, 50).size(), 3);
    EXPECT_TRUE(CopiesOverBound({}, 0).isEmpty());
}

TEST(CopyStore, ACommittedCopyIsFoundWithItsAddressAndTime)
{
    QTemporaryDir dir;
    PageCopies store(dir.path());
    const QString address = QStringLiteral("http://127.0.0.1:8080/news");
    EXPECT_FALSE(store.find(address));
    const QString staged = writeStaged(store, address, "<html>news</html>");
    // A half-written copy is never taken for one.
    EXPECT_TRUE(store.all().isEmpty());
    ASSERT_TRUE(store.commit(address, staged, at(5)));
    const std::optional<KeptCopy> copy = store.find(QStringLiteral("127.0.0.1:8080/news#x"));
    ASSERT_TRUE(copy);
    EXPECT_EQ(CopyKey(copy->address), CopyKey(address));
    EXPECT_EQ(copy->taken, at(5));
    EXPECT_EQ(copy->size, 17);
    EXPECT_EQ(readAll(copy->file), "<html>news</html>");
    EXPECT_FALSE(QFile::exists(staged));
    EXPECT_FALSE(store.find(QStringLiteral("http://127.0.0.1:8080/other")));
}

TEST(CopyStore, ANewCopyReplacesTheOldOneWhole)
{
    QTemporaryDir dir;
    PageCopies store(dir.path());
    const QString address = QStringLiteral("http://host/page");
    ASSERT_TRUE(store.commit(address, writeStaged(store, address, "old copy"), at(1)));
    const QString file = store.find(address)->file;
    // A reader that has the old copy open keeps reading all of it.
    QFile reader(file);
    ASSERT_TRUE(reader.open(QIODevice::ReadOnly));
    ASSERT_TRUE(store.commit(address, writeStaged(store, address, "the new copy"), at(2)));
    EXPECT_EQ(reader.readAll(), "old copy");
    EXPECT_EQ(readAll(file), "the new copy");
    EXPECT_EQ(store.find(address)->taken, at(2));
    EXPECT_EQ(store.all().size(), 1);
    // Only the copy and its note are left in the folder.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST(CopyStore, TheStoreStaysWithinItsBoundDroppingTheOldest)
{
    QTemporaryDir dir;
    PageCopies store(dir.path(), 250);
    const QByteArray hundred(100, 'x');
    for (int i = 0; i < 4; ++i) {
        const QString address = QStringLiteral("http://host/%1").arg(i);
        ASSERT_TRUE(store.commit(address, writeStaged(store, address, hundred), at(i)));
        EXPECT_LE(store.totalSize(), 250);
    }
    EXPECT_FALSE(store.find(QStringLiteral("http://host/0")));
    EXPECT_FALSE(store.find(QStringLiteral("http://host/1")));
    EXPECT_TRUE(store.find(QStringLiteral("http://host/2")));
    EXPECT_TRUE(store.find(QStringLiteral("http://host/3")));
    // Renewing the older one makes the other the oldest.
    ASSERT_TRUE(store.commit(QStringLiteral("http://host/2"),
                             writeStaged(store, QStringLiteral("http://host/2"), hundred), at(9)));
    ASSERT_TRUE(store.commit(QStringLiteral("http://host/4"),
                             writeStaged(store, QStringLiteral("http://host/4"), hundred), at(10)));
    EXPECT_FALSE(store.find(QStringLiteral("http://host/3")));
    EXPECT_TRUE(store.find(QStringLiteral("http://host/2")));
}

TEST(CopyStore, AFailedCommitLeavesTheOldCopyAndNoStrayFile)
{
    QTemporaryDir dir;
    PageCopies store(dir.path());
    const QString address = QStringLiteral("http://host/page");
    ASSERT_TRUE(store.commit(address, writeStaged(store, address, "good"), at(1)));
    EXPECT_FALSE(store.commit(address, store.stagingPath(address), at(2))); // never written
    EXPECT_EQ(readAll(store.find(address)->file), "good");
    EXPECT_EQ(store.find(address)->taken, at(1));
    // A copy whose note is gone is incomplete: not shown.
    QFile::remove(
        dir.filePath(CopyFileName(address).replace(QLatin1String(".mht"), QLatin1String(".note"))));
    EXPECT_FALSE(store.find(address));
}
