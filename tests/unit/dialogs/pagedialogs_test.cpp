// A page's message boxes and prompts go through the modal runner with what the page
// said, and bring back what the user answered.
#include <QMessageBox>
#include <gtest/gtest.h>

#include "dialogs/pagedialogs.h"
#include "support/scriptedmodal.h"

using namespace mira;

TEST(PageMessage, AsksWithItsButtonsAndGivesTheAnswer)
{
    test::ScriptedModal modal;
    modal.answer(mrCancel).answer(mrNo).answer(mrOK);
    EXPECT_EQ(ShowPageMessage(nullptr, QStringLiteral("Page"), QStringLiteral("Sure?"),
                              MsgType::Confirmation, mbOK | mbCancel),
              mrCancel);
    EXPECT_EQ(ShowPageMessage(nullptr, QStringLiteral("Page"), QStringLiteral("Yes?"),
                              MsgType::Warning, mbYes | mbNo),
              mrNo);
    EXPECT_EQ(ShowPageMessage(nullptr, QStringLiteral("Page"), QStringLiteral("Hi"),
                              MsgType::Information, mbOK),
              mrOK);
    ASSERT_EQ(modal.asked.size(), 3);
    EXPECT_EQ(modal.asked[0].kind, ModalRecord::Kind::MessageBox);
    EXPECT_EQ(modal.asked[0].caption, QStringLiteral("Page"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("Sure?"));
    EXPECT_EQ(modal.asked[0].type, MsgType::Confirmation);
    EXPECT_EQ(modal.asked[0].buttons, mbOK | mbCancel);
    EXPECT_EQ(modal.asked[1].buttons, mbYes | mbNo);
    EXPECT_EQ(modal.asked[2].buttons, mbOK);
}

TEST(PageMessage, TheBoxShowsTheButtonsItWasAskedFor)
{
    test::ScriptedModal modal;
    QMessageBox::StandardButtons shown;
    modal.answerWith([&shown](ModalRecord &record) {
        shown = static_cast<QMessageBox *>(record.dialog)->standardButtons();
        return mrYes;
    });
    EXPECT_EQ(ShowPageMessage(nullptr, QStringLiteral("Page"), QStringLiteral("Yes?"),
                              MsgType::Confirmation, mbYes | mbNo),
              mrYes);
    EXPECT_EQ(shown, QMessageBox::Yes | QMessageBox::No);
}

TEST(PagePrompt, TypedTextComesBackOnlyWhenAccepted)
{
    test::ScriptedModal modal;
    modal.answerText(QStringLiteral("typed")).answerText(QStringLiteral("dropped"), mrCancel);
    QString value = QStringLiteral("default");
    EXPECT_TRUE(AskPageText(nullptr, QStringLiteral("Page"), QStringLiteral("Name?"), &value));
    EXPECT_EQ(value, QStringLiteral("typed"));
    ASSERT_EQ(modal.asked.size(), 1);
    EXPECT_EQ(modal.asked[0].kind, ModalRecord::Kind::InputBox);
    EXPECT_EQ(modal.asked[0].prompt, QStringLiteral("Name?"));
    EXPECT_EQ(modal.asked[0].text, QStringLiteral("default"));

    EXPECT_FALSE(AskPageText(nullptr, QStringLiteral("Page"), QStringLiteral("Name?"), &value));
    EXPECT_EQ(value, QStringLiteral("typed"));
}
