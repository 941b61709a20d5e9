#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <gtest/gtest.h>

#include "app/caretrest.h"

using namespace mira;

namespace {

// Counts the paints of a line edit: a blinking caret repaints it.
class CountingEdit : public QLineEdit {
public:
    int paints = 0;

protected:
    void paintEvent(QPaintEvent *event) override
    {
        ++paints;
        QLineEdit::paintEvent(event);
    }
};

int paintsWithin(CountingEdit &edit, int ms)
{
    edit.paints = 0;
    QTest::qWait(ms);
    return edit.paints;
}

} // namespace

TEST(CaretRest, TheCaretStopsBlinkingWithoutInputAndBlinksAgainAtTheNextKey)
{
    const int platformFlash = QApplication::cursorFlashTime();
    if (platformFlash <= 0)
        GTEST_SKIP() << "the platform's caret does not blink";
    CountingEdit edit;
    edit.show();
    edit.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&edit));
    edit.setFocus();
    {
        CaretRest rest(nullptr, 400);
        EXPECT_GE(paintsWithin(edit, 300 + platformFlash), 1); // still blinking
        QTest::qWait(300);
        ASSERT_TRUE(rest.resting());
        EXPECT_EQ(paintsWithin(edit, platformFlash + 200), 0);

        QTest::keyClick(&edit, Qt::Key_A);
        EXPECT_FALSE(rest.resting());
        EXPECT_EQ(QApplication::cursorFlashTime(), platformFlash);
        EXPECT_GE(paintsWithin(edit, 300), 1);
    }
    // Going away gives the platform's blinking back.
    EXPECT_EQ(QApplication::cursorFlashTime(), platformFlash);
}
