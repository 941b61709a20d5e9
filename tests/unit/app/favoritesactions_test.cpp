#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTreeWidget>
#include <gtest/gtest.h>

#include "app/favoritesactions.h"
#include "bookmarks/addfavorite.h"
#include "bookmarks/favorites.h"
#include "bookmarks/shortcutfile.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

class Favorites : public test::PaneTest {
protected:
    void SetUp() override
    {
        root = favoritesDir.path() + QStringLiteral("/Favorites");
        qputenv("MIRA_FAVORITES", root.toLocal8Bit());
        PaneTest::SetUp();
        pane = newPane();
        combo = pane->AddressCombo;
        commands = &module()->Address().Favorites();
        commands->OpenFolder = [this](const QString &path) {
            opened << path;
            return openerWorks;
        };
    }
    void TearDown() override
    {
        PaneTest::TearDown();
        qunsetenv("MIRA_FAVORITES");
    }
    void shortcut(const QString &path, const QString &address)
    {
        QDir().mkpath(QFileInfo(root + '/' + path).path());
        ASSERT_TRUE(WriteShortcutFile(root + '/' + path, address));
    }
    QAction *entry(QMenu *menu, const QString &caption)
    {
        for (QAction *a : menu->actions())
            if (a->text() == caption)
                return a;
        return nullptr;
    }
    // Answers the Add Favorite dialog: the name typed, the folder chosen, then OK.
    void answerDialog(const QString &name, const QString &folder = QString())
    {
        modal.answerWith([name, folder](ModalRecord &r) {
            auto *form = qobject_cast<AddFavoriteForm *>(r.dialog);
            if (!form)
                return int(mrCancel);
            form->SetName(name);
            if (!folder.isEmpty())
                form->SelectFolder(folder);
            return int(QDialog::Accepted);
        });
    }

    QTemporaryDir favoritesDir;
    QString root;
    TBrowser *pane = nullptr;
    TURLCombo *combo = nullptr;
    FavoritesCommands *commands = nullptr;
    QStringList opened;
    bool openerWorks = true;
};

} // namespace

TEST_F(Favorites, AShortcutReplacesTheSelectedBookmarksNameWithoutLoadingIt)
{
    addBookmarks(pane, {{QStringLiteral("Home"), QStringLiteral("http://home/")}});
    combo->setCurrentIndex(0);
    ASSERT_EQ(combo->SelectedIndex(), 0);
    shortcut(QStringLiteral("Search.url"), QStringLiteral("page.htm?a=1&b=2"));
    EXPECT_EQ(commands->FavoritesPath(), root);

    module()->SetLastControl(combo); // the box that was right-clicked
    QMenu *menu = module()->Menus().PasteFromFavoritesMenu();
    Q_EMIT menu->aboutToShow();
    QAction *search = entry(menu, QStringLiteral("Search"));
    ASSERT_NE(search, nullptr);
    search->trigger();
    settle();
    EXPECT_EQ(combo->currentText(), QStringLiteral("page.htm?a=1&b=2"));
    EXPECT_EQ(lines(combo), QStringList({"Home"})); // the bookmark stays
    EXPECT_EQ(combo->SelectedIndex(), -1);
    EXPECT_TRUE(navigated(pane).isEmpty());
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(Favorites, AddToFavoritesWritesTheLoadedPageIntoTheChosenFolder)
{
    pane->Navigator().NavigateTo(QStringLiteral("http://example.org/news?a=1&b=2"));
    settle();
    module()->SetLastControl(combo);
    ASSERT_FALSE(pane->Navigator().LoadedLocationURL().isEmpty());
    QDir().mkpath(root + QStringLiteral("/Links"));

    // The dialog offers the page's title and the Favorites tree.
    modal.answerWith([&](ModalRecord &r) {
        auto *form = qobject_cast<AddFavoriteForm *>(r.dialog);
        EXPECT_NE(form, nullptr);
        if (!form)
            return int(mrCancel);
        EXPECT_EQ(r.caption, QStringLiteral("Add Favorite"));
        EXPECT_EQ(form->Name(), pane->Navigator().LoadedLocationName());
        EXPECT_EQ(form->Folder(), root);
        EXPECT_TRUE(form->SelectFolder(root + QStringLiteral("/Links")));
        form->SetName(QStringLiteral("Today's news / sport"));
        return int(QDialog::Accepted);
    });
    module()->Action("AddToFavoritesAction")->trigger();
    const QString file = root + QStringLiteral("/Links/Today's news - sport.url");
    EXPECT_EQ(ReadShortcutURL(file), QStringLiteral("http://example.org/news?a=1&b=2"));

    // The same name again: replaced only when the user agrees; No brings the dialog back.
    answerDialog(QStringLiteral("Today's news / sport"), root + QStringLiteral("/Links"));
    modal.answer(mrNo);
    modal.answer(mrCancel);
    pane->Navigator().NavigateTo(QStringLiteral("http://example.org/other"));
    settle();
    module()->Action("AddToFavoritesAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 4);
    EXPECT_EQ(modal.asked[2].kind, ModalRecord::Kind::MessageBox);
    EXPECT_EQ(modal.asked[2].text,
              QStringLiteral("A favorite named \"Today's news - sport\" is already in this "
                             "folder.\nReplace it?"));
    EXPECT_EQ(modal.asked[3].kind, ModalRecord::Kind::Dialog);
    EXPECT_EQ(ReadShortcutURL(file), QStringLiteral("http://example.org/news?a=1&b=2"));

    answerDialog(QStringLiteral("Today's news / sport"), root + QStringLiteral("/Links"));
    modal.answer(mrYes);
    module()->Action("AddToFavoritesAction")->trigger();
    EXPECT_EQ(ReadShortcutURL(file), QStringLiteral("http://example.org/other"));
}

TEST_F(Favorites, AddToFavoritesNeedsALoadedPageAndNewFolderCreatesOne)
{
    module()->SetLastControl(combo);
    module()->Action("AddToFavoritesAction")->trigger(); // nothing loaded: nothing asked
    EXPECT_TRUE(modal.asked.isEmpty());

    AddFavoriteForm form(root, QStringLiteral("Title"), QStringLiteral("http://a/"));
    QDir().mkpath(root);
    modal.answerText(QStringLiteral("../Work"));
    form.NewFolder();
    EXPECT_TRUE(QDir(root + QStringLiteral("/-Work")).exists());
    EXPECT_EQ(form.Folder(), root + QStringLiteral("/-Work"));
    EXPECT_EQ(form.FolderTree->currentItem()->text(0), QStringLiteral("-Work"));
}

TEST_F(Favorites, OrganizeOpensTheFolderOrSaysWhyItCannot)
{
    module()->Action("OrganizeFavoritesAction")->trigger();
    EXPECT_EQ(opened, QStringList({root}));
    EXPECT_TRUE(QDir(root).exists()); // created on first use
    EXPECT_TRUE(modal.asked.isEmpty());

    openerWorks = false;
    module()->Action("OrganizeFavoritesAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Organize Favorites"));
    EXPECT_TRUE(modal.asked[0].text.startsWith(QStringLiteral("No file manager")));
    EXPECT_TRUE(modal.asked[0].text.endsWith(root));
}

TEST_F(Favorites, F1AndHelpAboutOpenTheAboutBox)
{
    EXPECT_EQ(module()->Action("AboutAction")->shortcut(), QKeySequence(Qt::Key_F1));
    module()->Action("AboutAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].kind, ModalRecord::Kind::Dialog);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("About Mira"));
    EXPECT_EQ(modal.asked[0].owner, form());
}
