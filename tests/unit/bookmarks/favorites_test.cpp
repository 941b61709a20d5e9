#include <QAction>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "bookmarks/favorites.h"
#include "bookmarks/fields.h"
#include "bookmarks/shortcutfile.h"

using namespace mira;

TEST(GetField, SplitsAtTheSeparatorAndTheLastFieldIsTheRest)
{
    struct Row {
        const char *text;
        int n;
        const char *field;
    };
    const Row rows[] = {
        {"name|path", 1, "name"}, {"name|path", 2, "path"}, {"a|b|c", 2, "b"}, {"a|b|c", 3, "c"},
        {"a|b|c", 7, "c"}, // beyond the last: the last
        {"plain", 1, "plain"},    {"plain", 3, "plain"},    {"a|", 2, ""},     {"|b", 1, ""},
        {"a||c", 3, "c"},         {"a|b", 0, "a"},
    };
    for (const Row &r : rows)
        EXPECT_EQ(GetField(QString::fromUtf8(r.text), u'|', r.n), QString::fromUtf8(r.field))
            << r.text << " field " << r.n;
}

TEST(ShortcutFile, TheFirstUrlLineGivesTheAddress)
{
    struct Row {
        QByteArray bytes;
        const char *address;
    };
    const Row rows[] = {
        {"[InternetShortcut]\r\nURL=page.htm?a=1&b=2\r\n", "page.htm?a=1&b=2"},
        {"[DEFAULT]\nBASEURL=http://base/\n[InternetShortcut]\nurl=http://x/?q=a=b\n",
         "http://x/?q=a=b"}, // key compared whole; only the first "=" splits
        {"Url=http://first/\nURL=http://second/", "http://first/"},
        {"[InternetShortcut]\nIconIndex=0\n", ""},
        {"", ""},
        {"URL=http://caf\xe9/\r\n", "http://caf\u00e9/"},     // Windows-1252
        {"URL=http://caf\xc3\xa9/\r\n", "http://caf\u00e9/"}, // UTF-8
    };
    for (const Row &r : rows)
        EXPECT_EQ(ShortcutURLFromBytes(r.bytes), QString::fromUtf8(r.address)) << r.bytes.data();
}

TEST(ShortcutFile, WritesAFileThatReadsBackAndAMissingFileReadsEmpty)
{
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("Page.url"));
    EXPECT_EQ(ReadShortcutURL(file), QString());
    ASSERT_TRUE(WriteShortcutFile(file, QStringLiteral("http://example.org/\u00e9?a=1&b=2")));
    EXPECT_EQ(ReadShortcutURL(file), QStringLiteral("http://example.org/\u00e9?a=1&b=2"));
    QFile f(file);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_TRUE(f.readAll().startsWith("[InternetShortcut]\r\nURL="));
    // No temporary file is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList({"Page.url"}));
    EXPECT_FALSE(WriteShortcutFile(dir.filePath(QStringLiteral("missing/Page.url")), "x"));
}

TEST(ShortcutFile, NamesAreMadeSafeForTheFileSystem)
{
    EXPECT_EQ(SafeFavoriteName(QStringLiteral("News / Weather")), QStringLiteral("News - Weather"));
    EXPECT_EQ(SafeFavoriteName(QStringLiteral("..hidden")), QStringLiteral("hidden"));
    EXPECT_EQ(SafeFavoriteName(QString(QStringLiteral("a")) + QChar(0) + QStringLiteral("b")),
              QStringLiteral("a b"));
    EXPECT_EQ(SafeFavoriteName(QStringLiteral("Line\nbreak\ttab")),
              QStringLiteral("Line break tab"));
    EXPECT_EQ(SafeFavoriteName(QStringLiteral(" . ")), QStringLiteral("Favorite"));
    EXPECT_EQ(SafeFavoriteName(QString()), QStringLiteral("Favorite"));
    const QString longName = SafeFavoriteName(QString(300, QChar(0x00e9)));
    EXPECT_LE(longName.toUtf8().size(), 240);
    EXPECT_GT(longName.size(), 100);
}

namespace {

class FavoritesTree : public ::testing::Test {
protected:
    void SetUp() override
    {
        root = dir.path() + QStringLiteral("/Favorites");
        ASSERT_TRUE(QDir().mkpath(root));
    }
    void mkdir(const QString &path) { ASSERT_TRUE(QDir().mkpath(root + '/' + path)); }
    void write(const QString &path, const QByteArray &bytes)
    {
        QFile f(root + '/' + path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
        f.write(bytes);
    }
    void shortcut(const QString &path, const QString &address)
    {
        write(path, "[InternetShortcut]\r\nURL=" + address.toUtf8() + "\r\n");
    }
    // Fills a level as its opening does.
    static void open(QMenu *menu) { Q_EMIT menu->aboutToShow(); }
    // Captions of the visible entries, a separator as "-".
    static QStringList captions(QMenu *menu)
    {
        QStringList list;
        for (QAction *a : menu->actions())
            if (a->isVisible())
                list << (a->isSeparator() ? QStringLiteral("-") : a->text());
        return list;
    }
    static QAction *entry(QMenu *menu, const QString &caption)
    {
        for (QAction *a : menu->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
    // The address-bar menu's Paste From Favorites submenu: one separator at first.
    QMenu *makeMenu()
    {
        auto *m = new QMenu(QStringLiteral("Paste From Favorites"), &popup);
        m->addSeparator();
        return m;
    }

    QTemporaryDir dir;
    QString root;
    QMenu popup;
};

} // namespace

TEST_F(FavoritesTree, TheTopLevelShowsFoldersThenShortcutsAndLeavesOutChannelsAndOtherFiles)
{
    mkdir(QStringLiteral("Links"));
    mkdir(QStringLiteral("Channels"));
    shortcut(QStringLiteral("Search.url"), QStringLiteral("http://search/"));
    write(QStringLiteral("notes.txt"), "not a shortcut");
    mkdir(QStringLiteral("archive"));
    shortcut(QStringLiteral("apple.URL"), QStringLiteral("http://apple/"));
    mkdir(QStringLiteral("v1.2")); // a folder name with an extension is no Favorites folder

    QMenu *menu = makeMenu();
    FavoritesMenu favorites(menu, root, QStringLiteral("Paste|Paste location address"));
    EXPECT_EQ(captions(menu), QStringList({"-"})); // nothing is read before the first opening
    EXPECT_EQ(menu->menuAction()->statusTip(), QStringLiteral("Paste location address"));
    EXPECT_EQ(FavoritesMenu::Hint(menu->menuAction()), root + "|Paste location address");

    open(menu);
    EXPECT_EQ(captions(menu), QStringList({"-", "archive", "Links", "apple", "Search"}));
    QAction *links = entry(menu, QStringLiteral("Links"));
    ASSERT_NE(links, nullptr);
    ASSERT_NE(links->menu(), nullptr); // shown as a submenu before it is read
    EXPECT_EQ(FavoritesMenu::Tag(links), ftUnread);
    EXPECT_EQ(captions(links->menu()), QStringList());
    EXPECT_EQ(links->menu()->actions().size(), 1); // the hidden "dummy" child
    EXPECT_EQ(FavoritesMenu::Hint(links), root + "/Links|");

    QAction *search = entry(menu, QStringLiteral("Search"));
    ASSERT_NE(search, nullptr);
    EXPECT_EQ(search->menu(), nullptr);
    EXPECT_EQ(FavoritesMenu::Tag(search), ftRead);
    EXPECT_EQ(FavoritesMenu::Hint(search), root + "/Search.url|http://search/");
    EXPECT_EQ(search->statusTip(), QStringLiteral("http://search/"));
}

TEST_F(FavoritesTree, LongNamesAreCutAtABreakAndAQueryAddressIsKeptWhole)
{
    const QString longName = QStringLiteral("The weather forecast for the coming week at sea");
    ASSERT_GT(longName.size(), 40);
    shortcut(longName + ".url", QStringLiteral("page.htm?a=1&b=2"));
    shortcut(QString(40, QChar('x')) + ".url", QStringLiteral("http://forty/"));

    QMenu *menu = makeMenu();
    FavoritesMenu favorites(menu, root, QString());
    QStringList chosen;
    QObject::connect(&favorites, &FavoritesMenu::AddressChosen, &favorites,
                     [&](const QString &a) { chosen << a; });
    open(menu);
    EXPECT_EQ(captions(menu), QStringList({"-", "The weather forecast for the coming...",
                                           QString(40, QChar('x'))}));
    menu->actions().at(1)->trigger();
    EXPECT_EQ(chosen, QStringList({"page.htm?a=1&b=2"}));
}

TEST_F(FavoritesTree, EachLevelIsReadOnceWhenFirstOpenedAndAnEmptyFolderSaysSo)
{
    mkdir(QStringLiteral("Links/Empty"));
    mkdir(QStringLiteral("Links/Deep"));
    shortcut(QStringLiteral("Links/Deep/Deeper.url"), QStringLiteral("http://deeper/"));
    shortcut(QStringLiteral("Links/Mail.url"), QStringLiteral("http://mail/"));
    write(QStringLiteral("Broken.url"), "[InternetShortcut]\r\n");

    QMenu *menu = makeMenu();
    FavoritesMenu favorites(menu, root, QString());
    QStringList chosen;
    QObject::connect(&favorites, &FavoritesMenu::AddressChosen, &favorites,
                     [&](const QString &a) { chosen << a; });
    open(menu);
    QMenu *links = entry(menu, QStringLiteral("Links"))->menu();
    open(links);
    EXPECT_EQ(captions(links), QStringList({"Deep", "Empty", "Mail"}));
    QMenu *empty = entry(links, QStringLiteral("Empty"))->menu();
    open(empty);
    EXPECT_EQ(captions(empty), QStringList({"(Empty)"}));
    QAction *emptyItem = entry(empty, QStringLiteral("(Empty)"));
    EXPECT_FALSE(emptyItem->isEnabled());
    EXPECT_EQ(FavoritesMenu::Tag(emptyItem), ftEmpty);
    QMenu *deep = entry(links, QStringLiteral("Deep"))->menu();
    open(deep);
    EXPECT_EQ(FavoritesMenu::Hint(entry(deep, QStringLiteral("Deeper"))),
              root + "/Links/Deep/Deeper.url|http://deeper/");

    // Changes on disk after a level was read do not show; nothing is read again.
    shortcut(QStringLiteral("Later.url"), QStringLiteral("http://later/"));
    shortcut(QStringLiteral("Links/Later.url"), QStringLiteral("http://later/"));
    QDir(root + "/Links/Deep").removeRecursively();
    open(menu);
    open(links);
    open(deep);
    EXPECT_EQ(captions(menu), QStringList({"-", "Links", "Broken"}));
    EXPECT_EQ(captions(links), QStringList({"Deep", "Empty", "Mail"}));
    EXPECT_EQ(captions(deep), QStringList({"Deeper"}));

    entry(menu, QStringLiteral("Broken"))->trigger();
    EXPECT_TRUE(chosen.isEmpty()); // no address: choosing it changes nothing
    entry(links, QStringLiteral("Mail"))->trigger();
    EXPECT_EQ(chosen, QStringList({"http://mail/"}));
}

TEST_F(FavoritesTree, WithoutAFolderTheMenuIsEmptyAndNothingElseIsScanned)
{
    // An empty path would otherwise read the working folder.
    QMenu *menu = makeMenu();
    FavoritesMenu favorites(menu, QString(), QString());
    const QString cwd = QDir::currentPath();
    QDir::setCurrent(root);
    shortcut(QStringLiteral("Here.url"), QStringLiteral("http://here/"));
    open(menu);
    QDir::setCurrent(cwd);
    EXPECT_EQ(captions(menu), QStringList({"-", "(Empty)"}));

    // A folder that does not exist yet is created on first use and shows as empty.
    QMenu *second = makeMenu();
    FavoritesMenu fresh(second, dir.path() + "/New/Favorites", QString());
    open(second);
    EXPECT_TRUE(QDir(dir.path() + "/New/Favorites").exists());
    EXPECT_EQ(captions(second), QStringList({"-", "(Empty)"}));
}

TEST(FavoritesFolder, ComesFromMiraFavoritesOrTheUserDataFolder)
{
    const QByteArray savedFavorites = qgetenv("MIRA_FAVORITES");
    const QByteArray savedData = qgetenv("XDG_DATA_HOME");
    qputenv("MIRA_FAVORITES", "/srv/favs/");
    EXPECT_EQ(FavoritesFolder(), QStringLiteral("/srv/favs"));
    qunsetenv("MIRA_FAVORITES");
    qputenv("XDG_DATA_HOME", "/home/u/data");
    EXPECT_EQ(FavoritesFolder(), QStringLiteral("/home/u/data/mira/Favorites"));
    qputenv("XDG_DATA_HOME", savedData);
    if (!savedFavorites.isEmpty())
        qputenv("MIRA_FAVORITES", savedFavorites);
}
