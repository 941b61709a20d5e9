#include <QAction>
#include <QTabBar>
#include <QTest>
#include <gtest/gtest.h>
#include <limits>

#include "app/formstream.h"
#include "layout/align.h"
#include "layout/book.h"
#include "layout/pagerotation.h"
#include "layout/pan.h"
#include "support/designfixture.h"
#include "support/testdata.h"

using namespace mira;

namespace {

constexpr qint64 kNever = std::numeric_limits<qint64>::min();

TEST(RotationPlan, NextPageTurnAndWakeMoments)
{
    struct Row {
        int period, pages, active;
        qint64 shownAt, lastTouch;
        bool on;
        int next;
        qint64 turnAt, wakeAt;
    };
    const Row rows[] = {
        // Off: no period, or nothing to turn to.
        {0, 3, 0, 0, kNever, false, -1, 0, 0},
        {-5, 3, 0, 0, kNever, false, -1, 0, 0},
        {30, 1, 0, 0, kNever, false, -1, 0, 0},
        {30, 0, -1, 0, kNever, false, -1, 0, 0},
        // Turns a period after the page was shown; wakes the next one 5 s earlier.
        {30, 3, 0, 1000, kNever, true, 1, 31000, 26000},
        // The last page wraps round to the first; a lost index starts at the first.
        {30, 3, 2, 0, kNever, true, 0, 30000, 25000},
        {30, 3, -1, 0, kNever, true, 0, 30000, 25000},
        {30, 3, 7, 0, kNever, true, 0, 30000, 25000},
        // A short period wakes as soon as the page in front is shown.
        {3, 2, 0, 500, kNever, true, 1, 3500, 500},
        // A touch waits a minute from the touch, even beyond the period.
        {30, 2, 0, 0, 20000, true, 1, 80000, 75000},
        // An old touch is over: the period holds.
        {30, 2, 0, 100000, 0, true, 1, 130000, 125000},
        // A day's period does not overflow.
        {kMaxRotatePeriod, 2, 1, 0, kNever, true, 0, qint64(kMaxRotatePeriod) * 1000,
         qint64(kMaxRotatePeriod) * 1000 - 5000},
    };
    for (const Row &r : rows) {
        const RotationPlan p = PlanRotation(r.period, r.pages, r.active, r.shownAt, r.lastTouch);
        SCOPED_TRACE(testing::Message() << "period " << r.period << " pages " << r.pages
                                        << " active " << r.active << " touch " << r.lastTouch);
        EXPECT_EQ(p.on, r.on);
        if (!r.on)
            continue;
        EXPECT_EQ(p.nextPage, r.next);
        EXPECT_EQ(p.turnAtMs, r.turnAt);
        EXPECT_EQ(p.wakeAtMs, r.wakeAt);
        EXPECT_LE(p.wakeAtMs, p.turnAtMs);
    }
}

TEST(RotationPeriodText, AcceptsSecondsWithinADay)
{
    const struct {
        const char *text;
        bool ok;
        int seconds;
    } rows[] = {{"30", true, 30},       {" 15 ", true, 15},  {"", true, 0},    {"0", true, 0},
                {"86400", true, 86400}, {"86401", false, 0}, {"-1", false, 0}, {"1.5", false, 0},
                {"abc", false, 0},      {"0x10", false, 0}};
    for (const auto &r : rows) {
        int seconds = -7;
        EXPECT_EQ(ParseRotatePeriod(QString::fromLatin1(r.text), seconds), r.ok) << r.text;
        if (r.ok) {
            EXPECT_EQ(seconds, r.seconds) << r.text;
        }
    }
}

// A control that counts how often it was woken early.
class WakeCounter : public QWidget, public PreWakeable {
public:
    explicit WakeCounter(QWidget *parent) : QWidget(parent) {}
    void WakeBeforeShown() override { ++wakes; }
    int wakes = 0;
};

class Rotation : public test::DesignTest {
protected:
    TBook *twoPageBook()
    {
        open();
        clickOn(root, QPoint(10, 10));
        insert("TBook");
        auto *book = qobject_cast<TBook *>(ControlsOf(root).value(0));
        auto *page = new TPage(form());
        page->SetCaption(QStringLiteral("Two"));
        book->AddPage(page);
        book->SetActivePageIndex(0);
        clickOn(book, QPoint(5, 5));
        modal.asked.clear();
        return book;
    }
};

} // namespace

TEST_F(Rotation, TurnsPagesAndWakesTheNextPageFirst)
{
    TBook *book = twoPageBook();
    auto *counter = new WakeCounter(book->Page(1));
    SetRotatePeriod(book, 1);
    EXPECT_EQ(RotatePeriod(book), 1);
    QTRY_COMPARE_WITH_TIMEOUT(counter->wakes, 1, 900);
    EXPECT_EQ(book->ActivePageIndex(), 0);
    QTRY_COMPARE_WITH_TIMEOUT(book->ActivePageIndex(), 1, 3000);
    QTRY_COMPARE_WITH_TIMEOUT(book->ActivePageIndex(), 0, 3000);
    // Turned back, page two comes next again and is woken again.
    EXPECT_GE(counter->wakes, 1);
    SetRotatePeriod(book, 0);
    EXPECT_EQ(RotatePeriod(book), 0);
    QTest::qWait(1300);
    EXPECT_EQ(book->ActivePageIndex(), 0);
}

TEST_F(Rotation, UserTouchPausesForAMinute)
{
    TBook *book = twoPageBook();
    SetRotatePeriod(book, 1);
    auto *rotator = book->findChild<PageRotator *>();
    ASSERT_NE(rotator, nullptr);
    const qint64 before = rotator->Plan().turnAtMs;
    QTest::keyClick(book->tabBar(), Qt::Key_Shift);
    EXPECT_GE(rotator->Plan().turnAtMs, before + kRotationTouchPauseMs - 1000);
    QTest::qWait(1300);
    EXPECT_EQ(book->ActivePageIndex(), 0);
}

TEST_F(Rotation, AskedInTheDesignPopupAndRefusesBadNumbers)
{
    TBook *book = twoPageBook();
    modal.answerText(QStringLiteral("45"));
    module()->Action("PageRotateAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("0"));
    EXPECT_EQ(RotatePeriod(book), 45);

    modal.asked.clear();
    modal.answerText(QStringLiteral("forever"));
    module()->Action("PageRotateAction")->trigger();
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("45"));
    EXPECT_EQ(modal.asked[1].kind, ModalRecord::Kind::MessageBox);
    EXPECT_EQ(RotatePeriod(book), 45);

    modal.asked.clear();
    modal.answerText(QStringLiteral("0"));
    module()->Action("PageRotateAction")->trigger();
    EXPECT_EQ(RotatePeriod(book), 0);
}

TEST_F(Rotation, KeptInTheSetOnlyWhenOn)
{
    start();
    const QByteArray plain = test::crlf(
        "object TBaseForm\n  Left = 0\n  Top = 0\n  Width = 600\n  Height = 400\n"
        "  object TBook\n    Left = 0\n    Top = 0\n    Width = 300\n"
        "    Height = 200\n    TabOrder = 0\n"
        "    object TPage\n      Caption = 'A'\n    end\n"
        "    object TPage\n      Caption = 'B'\n    end\n  end\nend\n");
    ASSERT_EQ(ReadConfigSet(form(), plain), QString());
    EXPECT_FALSE(WriteConfigSet(form()).contains("RotateEvery"));
    auto *book = form()->ClientArea()->findChild<TBook *>();
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(RotatePeriod(book), 0);

    SetRotatePeriod(book, 20);
    const QByteArray rotating = WriteConfigSet(form());
    EXPECT_TRUE(rotating.contains("    TabOrder = 0\r\n    RotateEvery = 20\r\n"))
        << rotating.data();
    delete form()->RootContainer();
    ASSERT_EQ(ReadConfigSet(form(), rotating), QString());
    book = form()->ClientArea()->findChild<TBook *>();
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(RotatePeriod(book), 20);
    EXPECT_TRUE(WriteConfigSet(form()).contains("RotateEvery = 20\r\n"));

    delete form()->RootContainer();
    QByteArray tooLong = rotating;
    tooLong.replace("RotateEvery = 20", "RotateEvery = 100000");
    EXPECT_NE(ReadConfigSet(form(), tooLong), QString());
}
