#include <QDialog>
#include <QTableWidget>
#include <gtest/gtest.h>

#include "app/formstream.h"
#include "app/wallstatus.h"
#include "support/programfixture.h"
#include "support/testdata.h"

using namespace mira;

TEST(WallStatus, SpanTextPicksTheLargestUnits)
{
    const struct {
        qint64 seconds;
        const char *text;
    } rows[] = {
        {-5, "0 s"},
        {0, "0 s"},
        {59, "59 s"},
        {60, "1 min"},
        {3599, "59 min"},
        {3600, "1 h"},
        {3660 + 59, "1 h 1 min"},
        {86399, "23 h 59 min"},
        {86400, "1 d"},
        {90000, "1 d 1 h"},
        {10 * 86400 + 7200, "10 d 2 h"},
    };
    for (const auto &r : rows)
        EXPECT_EQ(SpanText(r.seconds), QString::fromLatin1(r.text)) << r.seconds;
}

TEST(WallStatus, RowsKeepPaneOrderAndMarkWhatIsUnknown)
{
    const QDateTime now(QDate(2026, 3, 4), QTime(12, 0, 0));
    PaneStatus loose; // a pane on no book page that never loaded
    loose.pane = QStringLiteral("Browser1");
    PaneStatus stale;
    stale.pane = QStringLiteral("Browser2");
    stale.book = QStringLiteral("Book1");
    stale.page = QStringLiteral("Prices");
    stale.address = QStringLiteral("http://example.com/");
    stale.lastGood = now.addSecs(-125);
    stale.lastError = QStringLiteral("Connection\nrefused");
    stale.nextReloadMs = 1001;
    stale.copyTaken = now.addSecs(-7200);
    PaneStatus old;
    old.pane = QStringLiteral("Browser3");
    old.book = QStringLiteral("Book1");
    old.lastGood = now.addDays(-2);
    old.nextReloadMs = 0;

    const QList<WallStatusRow> rows = WallStatusRows({loose, stale, old}, now);
    ASSERT_EQ(rows.size(), 3);

    EXPECT_EQ(rows[0].pane, "Browser1");
    for (const QString &cell : {rows[0].page, rows[0].address, rows[0].lastGood, rows[0].lastError,
                                rows[0].nextReload, rows[0].copyAge})
        EXPECT_EQ(cell, "-");

    EXPECT_EQ(rows[1].page, "Book1 / Prices");
    EXPECT_EQ(rows[1].address, "http://example.com/");
    EXPECT_EQ(rows[1].lastGood, "11:57:55 (2 min ago)");
    EXPECT_EQ(rows[1].lastError, "Connection refused"); // one line in its cell
    EXPECT_EQ(rows[1].nextReload, "in 2 s");            // rounded up, as the button counts
    EXPECT_EQ(rows[1].copyAge, "2 h");

    // A page without a caption still says its book; an older load has its date.
    EXPECT_EQ(rows[2].page, "Book1 / -");
    EXPECT_EQ(rows[2].lastGood, "2026-03-02 12:00 (2 d ago)");
    EXPECT_EQ(rows[2].nextReload, "in 0 s");
}

namespace {

class WallStatusDialog : public test::ProgramTest {};

} // namespace

TEST_F(WallStatusDialog, ListsEveryPaneInPaneOrderUnclipped)
{
    start();
    const QByteArray set = test::crlf(
        "object TBaseForm\n  Left = 0\n  Top = 0\n  Width = 700\n  Height = 400\n"
        "  object TBrowser\n    Left = 0\n    Top = 0\n    Width = 300\n    Height = 300\n"
        "    Align = alLeft\n  end\n"
        "  object TBook\n    Left = 300\n    Top = 0\n    Width = 380\n    Height = 300\n"
        "    Align = alClient\n"
        "    object TPage\n      Caption = 'Prices'\n"
        "      object TBrowser\n        Left = 0\n        Top = 0\n        Width = 300\n"
        "        Height = 200\n        Align = alClient\n      end\n    end\n  end\nend\n");
    ASSERT_EQ(ReadConfigSet(form(), set), QString());
    ASSERT_EQ(module()->Panes().List().size(), 2);

    QStringList pages;
    bool fits = true;
    int columns = 0;
    modal.answerWith([&](ModalRecord &record) {
        auto *table = record.dialog ? record.dialog->findChild<QTableWidget *>() : nullptr;
        if (!table)
            return int(mrCancel);
        columns = table->columnCount();
        for (int r = 0; r < table->rowCount(); ++r) {
            pages.append(table->item(r, 1)->text());
            for (int c = 0; c + 1 < table->columnCount(); ++c)
                fits = fits
                       && table->columnWidth(c)
                              >= table->fontMetrics().horizontalAdvance(table->item(r, c)->text());
        }
        return int(mrCancel);
    });
    module()->Action("WallStatusAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Wall Status"));
    EXPECT_EQ(columns, 7);
    ASSERT_EQ(pages.size(), 2);
    EXPECT_EQ(pages[0], QStringLiteral("-"));
    EXPECT_TRUE(pages[1].endsWith(QStringLiteral(" / Prices"))) << pages[1].toStdString();
    EXPECT_TRUE(fits);
}
