#include <QFile>
#include <gtest/gtest.h>

#include "app/formstream.h"
#include "bookmarks/urlcombo.h"
#include "browser/browser.h"
#include "layout/book.h"
#include "support/panefixture.h"
#include "support/testdata.h"

using namespace mira;

namespace {

using mira::test::crlf;
using mira::test::testData;

// A set with one pane holding the given URLs value (lines at the item level).
QByteArray paneSet(const QByteArray &urls, const QByteArray &extra = {})
{
    return crlf("object TBaseForm\n  Left = 0\n  Top = 0\n  Width = 800\n  Height = 572\n"
                "  PixelsPerInch = 96\n  TextHeight = 13\n"
                "  object TBrowser\n    Left = 0\n    Top = 0\n    Width = 301\n"
                "    Height = 507\n    URLs = "
                + urls + "\n" + extra + "  end\nend\n");
}

class BrowserStream : public test::PaneTest {
protected:
    TBrowser *onlyPane()
    {
        const QList<TBrowser *> panes = form()->findChildren<TBrowser *>();
        return panes.size() == 1 ? panes.first() : nullptr;
    }
};

} // namespace

TEST_F(BrowserStream, ExampleSetReadsIntoPanesAndWritesBackByteForByte)
{
    const QByteArray text = testData("example.set");
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    const QList<TBrowser *> panes = form()->findChildren<TBrowser *>();
    ASSERT_EQ(panes.size(), 2);
    EXPECT_EQ(module()->Panes().List().size(), 2);
    TBrowser *left = qobject_cast<TBrowser *>(module()->Panes().List().first());
    ASSERT_NE(left, nullptr);
    EXPECT_EQ(left->URLs()->Count(), 1);
    // Entry 0 is selected, and nothing is loaded.
    EXPECT_EQ(left->AddressCombo->currentIndex(), 0);
    EXPECT_EQ(left->AddressCombo->currentText(), QStringLiteral("Start"));
    for (TBrowser *pane : panes)
        EXPECT_TRUE(fakeOf(pane)->calls.navigations.isEmpty());
    EXPECT_EQ(WriteConfigSet(form()), text);
}

TEST_F(BrowserStream, BookmarkNumbersAndBottomBarRoundTrip)
{
    const QByteArray text =
        paneSet("<\n      item\n        Name = 'It''s'\n        Address = 'http://a/'\n"
                "        Refresh = -1\n        ScrollX = 5\n        ScrollY = 7\n      end\n"
                "      item\n        Name = 'Bare'\n      end>",
                "    BottomBar = True\n");
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    TBrowser *pane = onlyPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_TRUE(static_cast<DesignablePane *>(pane)->BottomBar());
    ASSERT_EQ(pane->URLs()->Count(), 2);
    EXPECT_EQ(pane->URLs()->Items(0)->Name(), QStringLiteral("It's"));
    EXPECT_EQ(pane->URLs()->Items(0)->Refresh(), -1);
    EXPECT_EQ(pane->AddressCombo->currentText(), QStringLiteral("Bare"));
    const QByteArray written = WriteConfigSet(form());
    EXPECT_TRUE(written.contains("Name = 'It'#39's'")) << written.constData();
    EXPECT_TRUE(written.endsWith(crlf("      item\n        Name = 'Bare'\n      end>\n"
                                      "    BottomBar = True\n  end\nend\n")))
        << written.constData();
}

TEST_F(BrowserStream, DuplicateNamesAskWhileReadingAndCancelKeepsTheFreshName)
{
    modal.answer(mrCancel);
    const QByteArray text = paneSet(
        "<\n      item\n        Name = 'Same'\n        Address = 'http://a/'\n      end\n"
        "      item\n        Name = 'SAME'\n        Address = 'http://b/'\n      end>");
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_TRUE(modal.asked[0].text.startsWith(QStringLiteral("URL having name \"SAME\"")));
    TBrowser *pane = onlyPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->URLs()->Items(1)->Name(), QStringLiteral("(no name 1)"));
    EXPECT_EQ(pane->URLs()->Items(1)->Address(), QStringLiteral("http://b/"));
}

TEST_F(BrowserStream, AZoomedBookmarkKeepsItsZoomAndAnUnzoomedOneWritesNone)
{
    const QByteArray zoomed = paneSet(
        "<\n      item\n        Name = 'Big'\n        Address = 'http://a/'\n"
        "        ScrollY = 7\n        Zoom = 150\n      end\n"
        "      item\n        Name = 'Plain'\n        Address = 'http://b/'\n      end>");
    ASSERT_EQ(ReadConfigSet(form(), zoomed), QString());
    TBrowser *pane = onlyPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->URLs()->Items(0)->Zoom(), 150);
    EXPECT_EQ(pane->URLs()->Items(1)->Zoom(), 100);
    EXPECT_EQ(WriteConfigSet(form()).toStdString(), zoomed.toStdString());

    // Copies of the list (the copy buffer, another pane) carry the zoom along.
    TBrowser *other = newPane();
    other->SetURLs(*pane->URLs());
    EXPECT_EQ(other->URLs()->Items(0)->Zoom(), 150);
    EXPECT_EQ(other->URLs()->Items(1)->Zoom(), 100);
}

TEST_F(BrowserStream, AHandEditedZoomIsBroughtIntoRangeRatherThanRefusingTheSet)
{
    EXPECT_EQ(ReadConfigSet(form(), paneSet("<\n      item\n        Zoom = 'big'\n      end>")),
              QStringLiteral("Error reading TBrowser.URLs: Error reading TURL.Zoom: "
                             "Invalid property value"));
    // 100 is the default and is not written again.
    const QByteArray handEdited = paneSet("<\n      item\n        Name = 'A'\n        Zoom = 100\n"
                                          "      end\n      item\n        Name = 'B'\n"
                                          "        Zoom = 1000\n      end\n      item\n"
                                          "        Name = 'C'\n        Zoom = 0\n      end>");
    ASSERT_EQ(ReadConfigSet(form(), handEdited), QString());
    TBrowser *pane = onlyPane();
    ASSERT_NE(pane, nullptr);
    EXPECT_EQ(pane->URLs()->Items(0)->Zoom(), 100);
    EXPECT_EQ(pane->URLs()->Items(1)->Zoom(), 300);
    EXPECT_EQ(pane->URLs()->Items(2)->Zoom(), 25);
    const QByteArray written = WriteConfigSet(form());
    EXPECT_EQ(written.count("Zoom = "), 2) << written.constData();
    EXPECT_TRUE(written.contains(crlf("        Name = 'A'\n      end"))) << written.constData();
}

TEST_F(BrowserStream, FaultsInsideABookmarkNameTheItemProperty)
{
    const QByteArray badValue = paneSet("<\n      item\n        Refresh = 'x'\n      end>");
    EXPECT_EQ(ReadConfigSet(form(), badValue),
              QStringLiteral("Error reading TBrowser.URLs: Error reading TURL.Refresh: "
                             "Invalid property value"));
    EXPECT_EQ(onlyPane(), nullptr); // nothing stays created
    EXPECT_TRUE(module()->Panes().List().isEmpty());

    const QByteArray unknown = paneSet("<\n      item\n        Colour = 3\n      end>");
    EXPECT_EQ(ReadConfigSet(form(), unknown),
              QStringLiteral("Error reading TBrowser.URLs: Error reading TURL.Colour: "
                             "Property does not exist"));
    EXPECT_EQ(ReadConfigSet(form(), paneSet("3")),
              QStringLiteral("Error reading TBrowser.URLs: Invalid property value"));
    EXPECT_EQ(ReadConfigSet(form(), paneSet("<>", "    BottomBar = Maybe\n")),
              QStringLiteral("Error reading TBrowser.BottomBar: Invalid property value"));
}

TEST_F(BrowserStream, AnEmptyListIsWrittenAsEmptyBrackets)
{
    TBrowser *pane = newPane();
    (void)pane;
    EXPECT_TRUE(WriteConfigSet(form()).contains("\r\n    URLs = <>\r\n  end\r\n"));
}

TEST_F(BrowserStream, WelcomeSetIsASetTheProgramWritesAndItsStartPageIsShipped)
{
    QFile f(QStringLiteral(MIRA_TEST_DATA_DIR "/../../resources/welcome/Welcome.set"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray text = f.readAll();
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    EXPECT_TRUE(modal.asked.isEmpty());
    EXPECT_EQ(module()->Panes().List().size(), 3);
    EXPECT_EQ(WriteConfigSet(form()).toStdString(), text.toStdString());
    auto *first = qobject_cast<TBrowser *>(module()->Panes().List().first());
    ASSERT_NE(first, nullptr);
    const QString start = first->URLs()->Items(first->URLs()->Count() - 1)->Address();
    ASSERT_TRUE(start.startsWith(QStringLiteral("qrc:/")));
    EXPECT_TRUE(QFile::exists(start.mid(3)));
    EXPECT_EQ(first->AddressCombo->currentText(), QStringLiteral("Welcome to Mira"));
}
