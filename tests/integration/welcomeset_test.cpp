#include <QFile>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include "app/formstream.h"
#include "bookmarks/urlcombo.h"
#include "bookmarks/urls.h"
#include "browser/browser.h"
#include "support/panefixture.h"

using namespace mira;

namespace {

QByteArray welcomeSet()
{
    QFile f(QStringLiteral(MIRA_TEST_DATA_DIR "/../../resources/welcome/Welcome.set"));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The built-in page a qrc: address names, read from the program's resources.
QString builtInPage(const QString &address)
{
    QFile f(address.mid(3));
    return f.open(QIODevice::ReadOnly) ? QString::fromUtf8(f.readAll()) : QString();
}

class WelcomeSet : public test::PaneTest {
protected:
    QList<TBrowser *> panes() const
    {
        QList<TBrowser *> list;
        for (QWidget *w : module()->Panes().List())
            if (auto *pane = qobject_cast<TBrowser *>(w))
                list.append(pane);
        return list;
    }
};

} // namespace

// A newcomer's first start: nothing to press, and nothing on the Internet needed to see
// what each pane is for.
TEST_F(WelcomeSet, OpensWithEveryPaneOnABuiltInPage)
{
    const QByteArray text = welcomeSet();
    ASSERT_FALSE(text.isEmpty());
    writeFile(QStringLiteral("Welcome.set"), text);
    start({QStringLiteral("Welcome")});
    EXPECT_TRUE(module()->Action("GoAllOnOpenAction")->isChecked());
    // Save On Close stays on: what the user picks is there next time.
    EXPECT_TRUE(module()->Action("FileSaveOnCloseAction")->isChecked());
    ASSERT_EQ(panes().size(), 3);
    for (TBrowser *pane : panes()) {
        const QStringList went = navigated(pane);
        ASSERT_EQ(went.size(), 1) << pane->AddressCombo->currentText().toStdString();
        EXPECT_TRUE(went.first().startsWith(QStringLiteral("qrc:/mira/welcome/")))
            << went.first().toStdString();
        EXPECT_FALSE(builtInPage(went.first()).isEmpty()) << went.first().toStdString();
    }
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(WelcomeSet, EachPanesPageNamesAllOfItsBookmarks)
{
    ASSERT_EQ(ReadConfigSet(form(), welcomeSet()), QString());
    int explained = 0;
    for (TBrowser *pane : panes()) {
        const TURLs *urls = pane->URLs();
        const TURL *start = urls->Items(urls->Count() - 1);
        ASSERT_NE(start, nullptr);
        EXPECT_EQ(pane->AddressCombo->currentText(), start->Name());
        const QString page = builtInPage(start->Address());
        ASSERT_FALSE(page.isEmpty()) << start->Address().toStdString();
        // Its title is the bookmark's name, so the box keeps showing it once loaded.
        const QRegularExpression title(QStringLiteral("<title>(.*)</title>"));
        EXPECT_EQ(title.match(page).captured(1), start->Name());
        if (urls->Count() < 2 || start->Address().endsWith(QLatin1String("/index.html")))
            continue; // the start page explains the program, not its pane
        ++explained;
        for (int i = 0; i < urls->Count(); ++i) {
            EXPECT_TRUE(page.contains(urls->Items(i)->Name()))
                << urls->Items(i)->Name().toStdString();
            if (!urls->Items(i)->Address().startsWith(QLatin1String("qrc:"))) {
                EXPECT_TRUE(page.contains(urls->Items(i)->Address()))
                    << urls->Items(i)->Address().toStdString();
            }
        }
    }
    EXPECT_EQ(explained, 2);
}
