#include <QLineEdit>
#include <QWidget>
#include <gtest/gtest.h>

#include "dialogs/messagebox.h"
#include "support/scriptedmodal.h"

using namespace mira;
using mira::test::ScriptedModal;

TEST(InputBoxSize, MinimumsDependOnPrompt)
{
    EXPECT_EQ(InputBoxSize(0, 0, true), QSize(200, 125));
    EXPECT_EQ(InputBoxSize(0, 0, false), QSize(200, 110));
    EXPECT_EQ(InputBoxSize(594, 0, false), QSize(594, 110));
    EXPECT_EQ(InputBoxSize(270, 174, true), QSize(270, 174));
}

TEST(PlaceBox, CentredOverAFormAndNeverNegative)
{
    const QRect work(0, 0, 1024, 740);
    EXPECT_EQ(PlaceBox({200, 100}, OwnerKind::Form, QRect(100, 50, 600, 400), {}, 0, work, work),
              QPoint(300, 200));
    EXPECT_EQ(PlaceBox({800, 600}, OwnerKind::Form, QRect(10, 10, 200, 100), {}, 0, work, work),
              QPoint(0, 0));
    EXPECT_EQ(PlaceBox({200, 100}, OwnerKind::None, {}, {}, 0, work, QRect(0, 0, 1000, 800)),
              QPoint(400, 350));
}

TEST(PlaceBox, UnderAControlOrAboveItWhenThereIsNoRoom)
{
    const QRect work(0, 0, 1024, 740);
    EXPECT_EQ(PlaceBox({270, 160}, OwnerKind::Control, {}, QPoint(100, 200), 25, work, work),
              QPoint(100, 225));
    // Too far right: pulled back to end at the work area's width.
    EXPECT_EQ(PlaceBox({270, 160}, OwnerKind::Control, {}, QPoint(900, 200), 25, work, work),
              QPoint(1024 - 270, 225));
    // Too low: above the control.
    EXPECT_EQ(PlaceBox({270, 160}, OwnerKind::Control, {}, QPoint(100, 650), 25, work, work),
              QPoint(100, 490));
}

TEST(Hints, ShortAndLongParts)
{
    EXPECT_EQ(ShortHint(QStringLiteral("Quit|Close the program")), QStringLiteral("Quit"));
    EXPECT_EQ(LongHint(QStringLiteral("Quit|Close the program")),
              QStringLiteral("Close the program"));
    EXPECT_EQ(LongHint(QStringLiteral("Program Help")), QStringLiteral("Program Help"));
    EXPECT_EQ(LongHint(QStringLiteral("a|b|c")), QStringLiteral("b|c"));
}

TEST(ShowMessageBox, TypeCaptionWhenNoneGivenAndTheAnswerComesBack)
{
    ScriptedModal modal;
    modal.answer(mrNo);
    EXPECT_EQ(ShowMessageBox(nullptr, QStringLiteral("Sure?"), QString(), MsgType::Confirmation,
                             mbYes | mbNo),
              mrNo);
    modal.answer(mrOK);
    ShowMessageBox(nullptr, QStringLiteral("Done"), QString(), MsgType::Information, mbOK);
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Confirm"));
    EXPECT_EQ(modal.asked[0].buttons, mbYes | mbNo);
    EXPECT_EQ(modal.asked[1].caption, QStringLiteral("Information"));
    EXPECT_EQ(modal.asked[1].kind, ModalRecord::Kind::MessageBox);
}

TEST(ShowMessageBox, CaptionAndOwnerAreRecorded)
{
    ScriptedModal modal;
    QWidget form;
    form.setGeometry(100, 100, 600, 400);
    ShowMessageBox(&form, QStringLiteral("Text"), QStringLiteral("File Load Failure"),
                   MsgType::Error, mbOK);
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("File Load Failure"));
    EXPECT_EQ(modal.asked[0].owner, &form);
    EXPECT_EQ(modal.asked[0].type, MsgType::Error);
    EXPECT_EQ(modal.asked[0].geometry.center().x(), form.frameGeometry().center().x());
}

TEST(ShowInputBox, OkReturnsTheTypedTextCancelLeavesItAlone)
{
    ScriptedModal modal;
    QString text = QStringLiteral("old");
    modal.answerText(QStringLiteral("new name"), mrOK);
    EXPECT_TRUE(ShowInputBox(nullptr, 0, 0, 25, text, QStringLiteral("Enter a name"), QString()));
    EXPECT_EQ(text, QStringLiteral("new name"));
    modal.answerText(QStringLiteral("ignored"), mrCancel);
    EXPECT_FALSE(ShowInputBox(nullptr, 0, 0, 25, text, QString(), QStringLiteral("Rename")));
    EXPECT_EQ(text, QStringLiteral("new name"));
    ASSERT_EQ(modal.asked.size(), 2);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Mira"));
    EXPECT_EQ(modal.asked[0].geometry.size(), QSize(200, 125));
    EXPECT_EQ(modal.asked[0].maxLength, 25);
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("old"));
    EXPECT_EQ(modal.asked[1].geometry.size(), QSize(200, 110));
}

TEST(ShowInputBox, MaximumLengthLimitsTyping)
{
    ScriptedModal modal;
    QString text;
    modal.answerText(QStringLiteral("abcdefghij"), mrOK);
    ShowInputBox(nullptr, 0, 0, 4, text, QString(), QString());
    EXPECT_EQ(text, QStringLiteral("abcd"));
}
