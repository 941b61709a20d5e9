#include <QWidget>
#include <gtest/gtest.h>
#include <random>

#include "bookmarks/urllistview.h"
#include "bookmarks/urls.h"
#include "support/scriptedmodal.h"

using namespace mira;
using mira::test::ScriptedModal;

namespace {

class FakeCombo : public URLListView {
public:
    void UpdateItem(TURL *url) override { itemIds.append(url->ID()); }
    void UpdateItems() override { ++rebuilds; }
    QWidget *messageOwner() override { return &widget; }

    QWidget widget;
    QList<int> itemIds;
    int rebuilds = 0;
};

TURL *addBookmark(TURLs &list, const QString &name, const QString &address)
{
    TURL *url = list.Add();
    return url->SetNameAndAddress(name, address) ? url : nullptr;
}

QStringList names(const TURLs &list)
{
    QStringList out;
    for (int i = 0; i < list.Count(); ++i)
        out << list.Items(i)->Name();
    return out;
}

const QString kReplace = QStringLiteral(
    "\nIs it OK to replace the URL by deleting existing entry?");

} // namespace

TEST(TURLs, NewItemsAreNamedByIdsThatAreNeverReused)
{
    TURLs list;
    TURL *first = list.Add();
    EXPECT_EQ(first->Name(), QStringLiteral("(no name 0)"));
    EXPECT_TRUE(first->Address().isEmpty());
    EXPECT_EQ(first->Refresh(), 0);
    EXPECT_EQ(first->ScrollX(), 0);
    EXPECT_EQ(first->ScrollY(), 0);
    list.Add();
    list.Delete(1);
    EXPECT_EQ(list.Add()->Name(), QStringLiteral("(no name 2)"));
    list.Clear();
    EXPECT_EQ(list.Count(), 0);
    TURL *after = list.Add();
    EXPECT_EQ(after->ID(), 3);
    EXPECT_EQ(after->Name(), QStringLiteral("(no name 3)"));
    EXPECT_EQ(after->Index(), 0);
}

TEST(TURLs, SameNameInOtherCaseIsStoredWithoutQuestion)
{
    ScriptedModal modal;
    TURLs list;
    TURL *url = addBookmark(list, QStringLiteral("News"), QStringLiteral("http://news.test/"));
    url->SetName(QStringLiteral("NEWS"));
    url->SetAddress(QStringLiteral("HTTP://NEWS.TEST/"));
    EXPECT_EQ(url->Name(), QStringLiteral("NEWS"));
    EXPECT_EQ(url->Address(), QStringLiteral("HTTP://NEWS.TEST/"));
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST(TURLs, AddingAnIdenticalBookmarkMovesTheExistingOneToTheEnd)
{
    ScriptedModal modal;
    FakeCombo combo;
    TURLs list(&combo);
    addBookmark(list, QStringLiteral("A"), QStringLiteral("http://a/"));
    TURL *b = addBookmark(list, QStringLiteral("B"), QStringLiteral("http://b/"));
    addBookmark(list, QStringLiteral("C"), QStringLiteral("http://c/"));
    combo.rebuilds = 0;

    TURL *fresh = list.Add();
    EXPECT_FALSE(fresh->SetNameAndAddress(QStringLiteral("b"), QStringLiteral("HTTP://B/")));
    EXPECT_EQ(names(list), (QStringList{"A", "C", "B"}));
    EXPECT_EQ(b->Index(), 2);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("b")), 2);
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_EQ(combo.rebuilds, 2); // the Add, then one for delete and move together
}

TEST(TURLs, NameClashAsksAndCancelKeepsPlaceholder)
{
    ScriptedModal modal;
    modal.answer(mrCancel).answer(mrOK);
    FakeCombo combo;
    TURLs list(&combo);
    // As a set file is read.
    list.BeginUpdate();
    TURL *first = list.Add();
    first->SetName(QStringLiteral("Home 50%2"));
    first->SetAddress(QStringLiteral("http://home/"));
    TURL *second = list.Add();
    second->SetName(QStringLiteral("HOME 50%2"));
    second->SetAddress(QStringLiteral("http://other/"));
    list.EndUpdate();

    ASSERT_EQ(modal.asked.size(), 1);
    const ModalRecord &q = modal.asked[0];
    EXPECT_EQ(q.text, QStringLiteral("URL having name \"HOME 50%2\" already exists with preset "
                                     "address \"http://home/\".")
                          + kReplace);
    EXPECT_EQ(q.caption, QStringLiteral("Confirm"));
    EXPECT_EQ(q.type, MsgType::Confirmation);
    EXPECT_EQ(q.buttons, mbOK | mbCancel);
    EXPECT_EQ(q.owner, &combo.widget);
    EXPECT_EQ(second->Name(), QStringLiteral("(no name 1)"));
    EXPECT_EQ(list.Count(), 2);

    // OK deletes the other bookmark.
    second->SetName(QStringLiteral("home 50%2"));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(list.Items(0), second);
    EXPECT_EQ(second->Name(), QStringLiteral("home 50%2"));
    EXPECT_EQ(second->Index(), 0);
}

TEST(TURLs, AddressClashNamesTheOtherBookmark)
{
    ScriptedModal modal; // Cancel
    TURLs list;
    addBookmark(list, QStringLiteral("Docs"), QStringLiteral("http://docs/"));
    TURL *url = addBookmark(list, QStringLiteral("Manual"), QStringLiteral("HTTP://DOCS/"));
    ASSERT_TRUE(url);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("URL having address \"HTTP://DOCS/\" already "
                                                  "exists and named as \"Docs\".")
                                       + kReplace);
    EXPECT_EQ(modal.asked[0].owner, nullptr);
    EXPECT_EQ(url->Name(), QStringLiteral("Manual"));
    EXPECT_TRUE(url->Address().isEmpty());
}

TEST(TURL, NameSetterShortensAndIgnoresEmptyResults)
{
    ScriptedModal modal;
    TURLs list;
    TURL *url = list.Add();
    url->SetName(QStringLiteral("Top news from Oakville residents today"));
    EXPECT_EQ(url->Name(), QStringLiteral("Top news from Oakville"));
    url->SetName(QString(30, u'-'));
    url->SetName(QString());
    EXPECT_EQ(url->Name(), QStringLiteral("Top news from Oakville"));
    url->SetAddress(QString());
    url->SetAddress(QStringLiteral("http://x/"));
    url->SetAddress(QString());
    EXPECT_EQ(url->Address(), QStringLiteral("http://x/"));
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST(TURL, AddressLongerThan2048IsRefused)
{
    TURLs list;
    TURL *url = list.Add();
    const QString longest = QStringLiteral("http://x/") + QString(2048 - 9, u'a');
    url->SetAddress(longest);
    EXPECT_EQ(url->Address(), longest);
    url->SetAddress(longest + u'a');
    EXPECT_EQ(url->Address(), longest);
    EXPECT_EQ(list.IndexOfAddress(longest.toUpper()), 0);
}

TEST(TURL, EditorRefusesClashesEvenInOtherCase)
{
    ScriptedModal modal;
    FakeCombo combo;
    TURLs list(&combo);
    addBookmark(list, QStringLiteral("Mail"), QStringLiteral("http://mail/"));
    TURL *url = addBookmark(list, QStringLiteral("Wiki"), QStringLiteral("http://wiki/"));
    combo.itemIds.clear();

    EXPECT_FALSE(url->EditNameAndAddress(QStringLiteral("MAIL"), QStringLiteral("http://new/")));
    EXPECT_FALSE(url->EditNameAndAddress(QStringLiteral("New"), QStringLiteral("HTTP://MAIL/")));
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("URL having name \"MAIL\" already exists with "
                                                  "preset address \"http://mail/\"."));
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Editing Cancelled"));
    EXPECT_EQ(modal.asked[0].type, MsgType::Information);
    EXPECT_EQ(modal.asked[0].buttons, mbOK);
    EXPECT_EQ(modal.asked[0].owner, &combo.widget);
    EXPECT_EQ(modal.asked[1].text, QStringLiteral("URL having address \"HTTP://MAIL/\" already "
                                                  "exists and named as \"Mail\"."));
    EXPECT_EQ(url->Name(), QStringLiteral("Wiki"));
    EXPECT_EQ(url->Address(), QStringLiteral("http://wiki/"));
    EXPECT_TRUE(combo.itemIds.isEmpty());

    // Its own values in other case, a long name and an empty name go in as typed.
    const QString longName = QStringLiteral("A name well beyond twenty-five characters");
    EXPECT_TRUE(url->EditNameAndAddress(longName, QStringLiteral("HTTP://WIKI/")));
    EXPECT_EQ(url->Name(), longName);
    EXPECT_EQ(list.IndexOfName(longName.toLower()), 1);
    EXPECT_TRUE(url->EditNameAndAddress(QString(), QStringLiteral("HTTP://WIKI/")));
    EXPECT_TRUE(url->Name().isEmpty());
    EXPECT_EQ(list.IndexOfName(QString()), 1);
    EXPECT_EQ(list.IndexOfName(longName), -1);
    EXPECT_EQ(combo.itemIds, (QList<int>{url->ID(), url->ID()}));
    EXPECT_EQ(modal.asked.size(), 2);
}

TEST(TURL, EditorSearchesBelowItselfForItsName)
{
    // Lists read before the rules existed may hold duplicates; the editor still finds them.
    ScriptedModal modal;
    TURLs list;
    TURL *low = addBookmark(list, QStringLiteral("Same"), QStringLiteral("http://1/"));
    TURL *high = addBookmark(list, QStringLiteral("Other"), QStringLiteral("http://2/"));
    ASSERT_TRUE(
        low->EditNameAndAddress(QStringLiteral("(no name 2)"), QStringLiteral("http://1/")));
    TURL *third = list.Add(); // also "(no name 2)"
    EXPECT_EQ(list.IndexOfName(QStringLiteral("(NO NAME 2)")), 2);
    EXPECT_EQ(list.IndexOfName(QStringLiteral("(NO NAME 2)"), 1), 0);
    EXPECT_FALSE(third->EditNameAndAddress(QStringLiteral("(no name 2)"), QStringLiteral("x")));
    EXPECT_FALSE(high->EditNameAndAddress(QStringLiteral("(no name 2)"), QStringLiteral("x")));
}

TEST(TURL, NoScrollReplacesScrollPosition)
{
    TURLs list;
    TURL *url = list.Add();
    url->SetScrollX(120);
    url->SetScrollY(40);
    EXPECT_FALSE(url->NoScroll());
    url->SetNoScroll(true);
    EXPECT_EQ(url->ScrollX(), -1);
    EXPECT_EQ(url->ScrollY(), 0);
    EXPECT_TRUE(url->NoScroll());
    url->SetNoScroll(false);
    EXPECT_EQ(url->ScrollX(), 0);
    EXPECT_EQ(url->ScrollY(), 0);
    // Setting the state it already has keeps the stored numbers.
    url->SetScrollX(-7);
    url->SetNoScroll(true);
    EXPECT_EQ(url->ScrollX(), -7);
    url->SetScrollX(30);
    url->SetNoScroll(false);
    EXPECT_EQ(url->ScrollX(), 30);
}

TEST(TURL, AssignCopiesNumbersOnlyWhenAdded)
{
    ScriptedModal modal;
    TURLs source;
    TURL *s = addBookmark(source, QStringLiteral("Paper"), QStringLiteral("http://paper/"));
    s->SetRefresh(-1);
    s->SetNoScroll(true);

    TURLs list;
    EXPECT_TRUE(list.Add()->Assign(*s));
    TURL *copy = list.Items(0);
    EXPECT_EQ(copy->Name(), QStringLiteral("Paper"));
    EXPECT_EQ(copy->Refresh(), -1);
    EXPECT_TRUE(copy->NoScroll());

    s->SetRefresh(0);
    EXPECT_FALSE(list.Add()->Assign(*s));
    EXPECT_EQ(list.Count(), 1);
    EXPECT_EQ(copy->Refresh(), -1);
}

TEST(TURLs, AssignReplacesContentAndCollapsesIdenticalEntries)
{
    ScriptedModal modal;
    TURLs buffer;
    addBookmark(buffer, QStringLiteral("One"), QStringLiteral("http://1/"));
    addBookmark(buffer, QStringLiteral("Two"), QStringLiteral("http://2/"));
    FakeCombo combo;
    TURLs list(&combo);
    addBookmark(list, QStringLiteral("Old"), QStringLiteral("http://old/"));
    combo.rebuilds = 0;
    list.Assign(buffer);
    EXPECT_EQ(names(list), (QStringList{"One", "Two"}));
    EXPECT_EQ(combo.rebuilds, 1);
    list.Assign(list);
    EXPECT_EQ(list.Count(), 2);
}

TEST(TURLs, ViewIsToldAboutItemsAndWholeList)
{
    FakeCombo combo;
    TURLs list(&combo);
    TURL *a = list.Add();
    EXPECT_EQ(combo.rebuilds, 1);
    a->SetName(QStringLiteral("Alpha"));
    a->SetAddress(QStringLiteral("http://alpha/")); // not shown, not reported
    a->SetName(QStringLiteral("Alpha"));            // unchanged, not reported
    a->SetRefresh(-1);
    EXPECT_EQ(combo.itemIds, QList<int>{a->ID()});

    list.Add();
    a->SetIndex(1);
    EXPECT_EQ(a->Index(), 1);
    a->SetIndex(1);
    list.Delete(0);
    EXPECT_EQ(combo.rebuilds, 4);

    list.BeginUpdate();
    list.BeginUpdate();
    list.Add()->SetName(QStringLiteral("Beta"));
    list.Delete(0);
    list.EndUpdate();
    EXPECT_EQ(combo.rebuilds, 4);
    list.EndUpdate();
    list.EndUpdate(); // unbalanced: ignored
    EXPECT_EQ(combo.rebuilds, 5);
    EXPECT_EQ(combo.itemIds.size(), 1);

    list.Clear();
    list.Clear();
    EXPECT_EQ(combo.rebuilds, 6);
}

TEST(TURL, SetIndexClampsToTheList)
{
    TURLs list;
    TURL *a = list.Add();
    TURL *b = list.Add();
    TURL *c = list.Add();
    a->SetIndex(99);
    EXPECT_EQ(list.Items(2), a);
    a->SetIndex(-5);
    EXPECT_EQ(list.Items(0), a);
    EXPECT_EQ(b->Index(), 1);
    EXPECT_EQ(c->Index(), 2);
    EXPECT_EQ(list.Items(3), nullptr);
    EXPECT_EQ(list.Items(-1), nullptr);
}

// The hashed searches must answer exactly as a plain walk over the list does.
TEST(TURLs, SearchesAgreeWithBruteForceAcrossMutations)
{
    ScriptedModal modal;
    std::mt19937 rng(20240611);
    auto pick = [&rng](int n) { return int(std::uniform_int_distribution<int>(0, n - 1)(rng)); };
    const QStringList pool = {
        "Home",         "HOME",         "home",         "News",        "news",        "Straße",
        "STRASSE",      "Σίσυφος",      "ΣΊΣΥΦΟΣ",      "(no name 3)", "(No Name 5)", "",
        "Ärger",        "ärger",        "İstanbul",     "i̇stanbul",    "x",           "(no name 1)",
        "(NO NAME 12)", "(no name 03)", "(no name +4)", "(no name 4",
    };
    auto bruteName = [](const TURLs &l, const QString &v, int last) {
        for (int i = std::min(last, l.Count() - 1); i >= 0; --i)
            if (l.Items(i)->Name().compare(v, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    auto bruteAddress = [](const TURLs &l, const QString &v) {
        for (int i = l.Count() - 1; i >= 0; --i)
            if (l.Items(i)->Address().compare(v, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };
    auto bruteBookmark = [&](const TURLs &l, const QString &n, const QString &a) {
        for (int i = bruteName(l, n, TURLs::End); i >= 0; i = bruteName(l, n, i - 1))
            if (l.Items(i)->Address().compare(a, Qt::CaseInsensitive) == 0)
                return i;
        return -1;
    };

    TURLs list;
    for (int step = 0; step < 3000; ++step) {
        modal.setDefault(pick(2) ? mrOK : mrCancel);
        TURL *item = list.Items(pick(std::max(1, list.Count())));
        const QString n = pool[pick(pool.size())];
        const QString a = pool[pick(pool.size())];
        switch (item ? pick(8) : 0) {
        case 0: (void)list.Add()->SetNameAndAddress(n, a); break;
        case 1: item->SetName(n); break;
        case 2: item->SetAddress(a); break;
        case 3: list.Delete(item->Index()); break;
        case 4: item->SetIndex(pick(list.Count() + 2) - 1); break;
        case 5: item->EditNameAndAddress(n, a); break;
        case 6: list.Add(); break;
        case 7:
            if (pick(20) == 0)
                list.Clear();
            break;
        }
        for (int i = 0; i < list.Count(); ++i)
            ASSERT_EQ(list.Items(i)->Index(), i);
        for (const QString &p : pool) {
            const int last = pick(list.Count() + 2) - 1;
            ASSERT_EQ(list.IndexOfName(p, last), bruteName(list, p, last)) << step;
            ASSERT_EQ(list.IndexOfName(p), bruteName(list, p, TURLs::End)) << step;
            ASSERT_EQ(list.IndexOfAddress(p), bruteAddress(list, p)) << step;
            const QString address = pool[pick(pool.size())];
            ASSERT_EQ(list.IndexOfBookmark(p, address), bruteBookmark(list, p, address)) << step;
        }
    }
}

TEST(TURLs, ConfirmedClashRemovesEveryHolderOfTheValue)
{
    ScriptedModal modal;
    TURLs list;
    TURL *a = addBookmark(list, QStringLiteral("A"), QStringLiteral("http://a/"));
    TURL *b = addBookmark(list, QStringLiteral("B"), QStringLiteral("http://b/"));
    // Two holders of one name, as a list from an older set may have.
    ASSERT_TRUE(a->EditNameAndAddress(QStringLiteral("(no name 3)"), QStringLiteral("http://a/")));
    list.Add();             // ID 2
    TURL *dup = list.Add(); // ID 3, named like a
    ASSERT_EQ(dup->Name(), a->Name());

    // The list is rearranged while the first question is open; the right one still goes.
    modal.answerWith([&](ModalRecord &) {
        dup->SetIndex(0);
        return int(mrOK);
    });
    modal.answer(mrOK);
    b->SetName(QStringLiteral("(NO NAME 3)"));
    EXPECT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(names(list), (QStringList{"(NO NAME 3)", "(no name 2)"}));
    EXPECT_EQ(list.IndexOfName(QStringLiteral("(no name 3)")), 0);
}

TEST(TURLs, ValuesTakenFromTheDeletedBookmarkSurviveIt)
{
    ScriptedModal modal;
    modal.setDefault(mrOK);
    TURLs list;
    TURL *a = addBookmark(list, QStringLiteral("A"), QStringLiteral("http://a/"));
    TURL *b = addBookmark(list, QStringLiteral("B"), QStringLiteral("http://b/"));
    b->SetAddress(a->Address()); // deletes a, whose address is the argument
    EXPECT_EQ(b->Address(), QStringLiteral("http://a/"));
    EXPECT_EQ(list.Count(), 1);

    TURL *c = addBookmark(list, QStringLiteral("C"), QStringLiteral("http://c/"));
    ASSERT_TRUE(list.Add()->SetNameAndAddress(c->Name(), b->Address()));
    EXPECT_EQ(names(list), QStringList{"C"});
    EXPECT_EQ(list.Items(0)->Address(), QStringLiteral("http://a/"));
    EXPECT_EQ(modal.asked.size(), 3);
}

TEST(TURL, EditorSwapsNameAndAddressOfItsOwn)
{
    ScriptedModal modal;
    TURLs list;
    TURL *url = addBookmark(list, QStringLiteral("Wiki"), QStringLiteral("http://wiki/"));
    ASSERT_TRUE(url->EditNameAndAddress(url->Address(), url->Name()));
    EXPECT_EQ(url->Name(), QStringLiteral("http://wiki/"));
    EXPECT_EQ(url->Address(), QStringLiteral("Wiki"));
    EXPECT_EQ(list.IndexOfName(QStringLiteral("HTTP://WIKI/")), 0);
    EXPECT_EQ(list.IndexOfAddress(QStringLiteral("wiki")), 0);
    EXPECT_EQ(list.IndexOfAddress(QStringLiteral("http://wiki/")), -1);
}

// The keys that find a bookmark by name or address whatever its letter case: the
// quick path for plain text must fold exactly as the full Unicode fold does.
TEST(TURLsFoldCase, FoldsAsUnicodeDoes)
{
    const QString cases[] = {
        QString(),
        QStringLiteral("already folded"),
        QStringLiteral("HTTP://Example.COM/Path?Q=A"),
        QStringLiteral("@[Z]` {a}~\x7f"),         // the neighbours of A-Z and a-z stay
        QStringLiteral("Stra\u00dfe"),            // sharp s folds to "ss"
        QStringLiteral("\u0130stanbul"),          // capital I with dot above
        QStringLiteral("ABC \u03a3\u0391\u03a3"), // Greek capitals after plain text
        QStringLiteral("\u00c9cole"),
    };
    for (const QString &text : cases)
        EXPECT_EQ(TURLs::FoldCase(text), text.toCaseFolded()) << text.toStdString();
}
