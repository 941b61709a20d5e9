#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

#include "app/lockcontrol.h"
#include "layout/text.h"
#include "lock/keyform.h"
#include "lock/lockform.h"
#include "lock/lockkey.h"
#include "support/programfixture.h"
#include "support/testdata.h"
#include "support/wait.h"

using namespace mira;

namespace {

// Written by tests/data/lockkey_vector.py for the text "abc".
const char kAbcKey[] =
    "q9D1Gj9kia7T+B1CZ4yx1vsgRWqPtNn+I0htkrfcASYFTPoLMFV6n8TpDjNYfaLH7BE2W4Clyu8UOV6DqM3yFzxhhg==";

class LockTest : public test::ProgramTest {
protected:
    void open(const QByteArray &formProperties = {})
    {
        writeFile(QStringLiteral("Locked.set"),
                  test::crlf("object TBaseForm\n" + formProperties
                             + "  Left = 0\n  Top = 0\n  Width = 640\n  Height = 480\n"
                               "  object TPan\n    Align = alClient\n  end\nend\n"));
        start({QStringLiteral("Locked")});
        ASSERT_TRUE(module()->File().Sets().IsSetOpen());
    }

    // Set Lock Key... answered with the two texts; what the dialog showed is kept.
    void setKey(const QString &text, const QString &verify, int result = QDialog::Accepted)
    {
        modal.answerWith([=, this](ModalRecord &r) {
            auto *dialog = qobject_cast<TKeyForm *>(r.dialog);
            if (!dialog)
                return int(QDialog::Rejected);
            keyCaption = dialog->windowTitle();
            okAtStart = dialog->btnOK->isEnabled();
            dialog->edKey->setText(text);
            dialog->edVerify->setText(verify);
            okAtEnd = dialog->btnOK->isEnabled();
            return result;
        });
        module()->Action("SetLockKeyAction")->trigger();
    }
    void setKey(const QString &text) { setKey(text, text); }

    TLockForm *lockForm() const { return module()->Lock().LockForm(); }

    // The next lock dialog gets the text and is closed as Enter (OK) or Escape would.
    void answerLock(const QString &text, bool ok = true)
    {
        modal.answerWith([=](ModalRecord &r) {
            auto *dialog = qobject_cast<TLockForm *>(r.dialog);
            if (!dialog)
                return int(QDialog::Rejected);
            dialog->edKey->setText(text);
            dialog->done(ok ? QDialog::Accepted : QDialog::Rejected);
            return dialog->result();
        });
    }
    bool restoreWith(const QString &text, bool ok = true)
    {
        answerLock(text, ok);
        return module()->Lock().RestoreLocked();
    }

    void minimize()
    {
        module()->Action("MinimizeAction")->trigger();
        QCoreApplication::processEvents();
    }

    bool layoutShown() const
    {
        QWidget *cover = module()->Lock().Cover();
        return form()->ClientArea()->isVisibleTo(form()) && !(cover && cover->isVisibleTo(form()));
    }

    QString keyCaption;
    bool okAtStart = false;
    bool okAtEnd = false;
};

TEST_F(LockTest, AFirstKeySwitchesTheLockOnAndANewKeyLeavesTheOptionAsItWas)
{
    open();
    EXPECT_TRUE(module()->Action("SetLockKeyAction")->isEnabled());
    EXPECT_FALSE(module()->Action("UseLockAction")->isEnabled());
    EXPECT_EQ(lockForm(), nullptr);

    setKey(QStringLiteral("abc"));
    EXPECT_EQ(keyCaption, QStringLiteral("Key for Locked"));
    EXPECT_TRUE(okAtStart);
    EXPECT_EQ(form()->Key().size(), 92);
    EXPECT_TRUE(CheckLockKey(form()->Key(), QStringLiteral("abc")));
    EXPECT_TRUE(module()->Action("UseLockAction")->isEnabled());
    EXPECT_TRUE(module()->Action("UseLockAction")->isChecked());
    EXPECT_TRUE(form()->Tag() & pfLockOnMinimize);
    ASSERT_NE(lockForm(), nullptr);
    EXPECT_EQ(lockForm()->AttemptsLeft, 5);
    EXPECT_FALSE(lockForm()->Locked);

    // Off, then a new key: still off, and no dialog.
    module()->Action("UseLockAction")->trigger();
    EXPECT_FALSE(form()->Tag() & pfLockOnMinimize);
    EXPECT_EQ(lockForm(), nullptr);
    setKey(QStringLiteral("other"));
    EXPECT_TRUE(CheckLockKey(form()->Key(), QStringLiteral("other")));
    EXPECT_FALSE(module()->Action("UseLockAction")->isChecked());
    EXPECT_EQ(lockForm(), nullptr);

    // On, then a new key: still on.
    module()->Action("UseLockAction")->trigger();
    setKey(QStringLiteral("third"));
    EXPECT_TRUE(module()->Action("UseLockAction")->isChecked());
    EXPECT_NE(lockForm(), nullptr);
}

TEST_F(LockTest, MismatchedOrCancelledKeysChangeNothingAndAnEmptyKeyClearsTheLock)
{
    open();
    setKey(QStringLiteral("abc"));
    const QString stored = form()->Key();

    setKey(QStringLiteral("new"), QStringLiteral("New"), QDialog::Rejected);
    EXPECT_FALSE(okAtEnd);
    setKey(QStringLiteral("new"), QStringLiteral("new"), QDialog::Rejected);
    EXPECT_TRUE(okAtEnd);
    EXPECT_EQ(form()->Key(), stored);
    EXPECT_TRUE(module()->Action("UseLockAction")->isChecked());

    setKey(QString());
    EXPECT_TRUE(okAtEnd);
    EXPECT_TRUE(form()->Key().isEmpty());
    EXPECT_FALSE(module()->Action("UseLockAction")->isEnabled());
    EXPECT_FALSE(module()->Action("UseLockAction")->isChecked());
    EXPECT_FALSE(form()->Tag() & pfLockOnMinimize);
    EXPECT_EQ(lockForm(), nullptr);
}

TEST_F(LockTest, AFlagWithoutAKeyLoadsOffAndAKeyWrittenElsewhereUnlocks)
{
    open("  Tag = 32\n");
    EXPECT_FALSE(module()->Action("UseLockAction")->isEnabled());
    EXPECT_FALSE(module()->Action("UseLockAction")->isChecked());
    EXPECT_FALSE(form()->Tag() & pfLockOnMinimize);
    EXPECT_EQ(lockForm(), nullptr);
    program.reset();

    open("  Tag = 32\n  Key = '" + QByteArray(kAbcKey) + "'\n");
    EXPECT_TRUE(module()->Action("UseLockAction")->isChecked());
    form()->show();
    minimize();
    EXPECT_TRUE(module()->Lock().LockArmed());
    EXPECT_TRUE(restoreWith(QStringLiteral("ABC")));
    EXPECT_FALSE(restoreWith(QStringLiteral("abc")));
    EXPECT_FALSE(module()->Lock().LockArmed());
}

TEST_F(LockTest, MinimizingArmsOnlyWithTheOptionAndHidesTheLayoutUntilTheRightKey)
{
    open();
    form()->show();
    minimize();
    EXPECT_FALSE(module()->Lock().RestoreLocked());
    form()->showNormal();

    setKey(QStringLiteral("abc"));
    EXPECT_FALSE(module()->Lock().LockArmed());
    EXPECT_FALSE(module()->Lock().RestoreLocked()); // not armed before a minimize
    EXPECT_TRUE(layoutShown());
    minimize();
    EXPECT_TRUE(module()->Lock().LockArmed());
    EXPECT_FALSE(layoutShown());
    EXPECT_TRUE(module()->AllPanes().Refresher().Paused()); // no timed reload behind the lock

    // A wrong key and a cancelled dialog count alike; the layout stays hidden.
    EXPECT_TRUE(restoreWith(QStringLiteral("abd")));
    EXPECT_TRUE(restoreWith(QStringLiteral("abc"), false));
    EXPECT_EQ(lockForm()->AttemptsLeft, 3);
    EXPECT_EQ(lockForm()->txCount->text(), QStringLiteral("3"));
    EXPECT_TRUE(module()->Lock().LockArmed());
    EXPECT_FALSE(layoutShown());

    EXPECT_FALSE(restoreWith(QStringLiteral("abc")));
    EXPECT_FALSE(module()->Lock().LockArmed());
    EXPECT_TRUE(layoutShown());
    EXPECT_FALSE(module()->AllPanes().Refresher().Paused());
    EXPECT_EQ(lockForm()->AttemptsLeft, 5);
    EXPECT_EQ(lockForm()->txCount->text(), QStringLiteral("5"));
    EXPECT_EQ(lockForm()->Bar->value(), 100);
    EXPECT_TRUE(lockForm()->edKey->text().isEmpty());

    // Switching the option off while armed gives the layout back.
    form()->showNormal();
    minimize();
    EXPECT_FALSE(layoutShown());
    module()->Action("UseLockAction")->trigger();
    EXPECT_TRUE(layoutShown());
    EXPECT_FALSE(module()->Lock().LockArmed());
}

TEST_F(LockTest, RestoringTheWindowAsksForTheKeyBeforeItReappears)
{
    open();
    setKey(QStringLiteral("abc"));
    form()->show();
    QCoreApplication::processEvents();
    form()->showMinimized();
    QCoreApplication::processEvents();
    ASSERT_TRUE(module()->Lock().LockArmed());

    answerLock(QStringLiteral("wrong"));
    form()->showNormal();
    EXPECT_TRUE(form()->isMinimized()); // back at once, before the key is asked
    ASSERT_TRUE(test::waitUntil([&] { return modal.pending() == 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_TRUE(form()->isMinimized());
    EXPECT_TRUE(module()->Lock().LockArmed());

    answerLock(QStringLiteral("abc"));
    form()->showNormal();
    ASSERT_TRUE(test::waitUntil([&] { return modal.pending() == 0; }, 5000));
    QCoreApplication::processEvents();
    EXPECT_FALSE(form()->isMinimized());
    EXPECT_FALSE(module()->Lock().LockArmed());
    EXPECT_TRUE(layoutShown());
}

TEST_F(LockTest, FiveFailuresLeaveNoAttemptsAndTheSixthClosesTheProgramSavingTheSet)
{
    open();
    setKey(QStringLiteral("abc"));
    form()->show();
    minimize();
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(restoreWith(QString()));
    EXPECT_EQ(lockForm()->AttemptsLeft, 0);
    EXPECT_EQ(lockForm()->txCount->text(), QStringLiteral("0"));
    EXPECT_EQ(lockForm()->Bar->value(), 0);
    EXPECT_TRUE(form()->isVisible());

    const QString stored = form()->Key();
    EXPECT_TRUE(restoreWith(QStringLiteral("still wrong")));
    EXPECT_FALSE(form()->isVisible());
    // Closed as Exit closes it: the set is saved, with its key.
    const QString setPath = module()->File().Sets().ConfigFileName;
    program.reset();
    const QByteArray saved = readFile(setPath);
    EXPECT_TRUE(saved.contains("Key =")) << saved.toStdString();
    EXPECT_TRUE(saved.contains(stored.left(40).toLatin1())) << saved.toStdString();
}

TEST_F(LockTest, AWrongKeyTellsTheAttemptsLeftBeforeTheWindowGoesBackDown)
{
    open();
    setKey(QStringLiteral("abc"));
    form()->show();
    minimize();
    const auto lockMessages = [this] {
        QStringList texts;
        for (const ModalRecord &r : modal.asked)
            if (r.kind == ModalRecord::Kind::MessageBox)
                texts << r.text;
        return texts;
    };
    for (int i = 0; i < 5; ++i)
        EXPECT_TRUE(restoreWith(QStringLiteral("wrong")));
    const QStringList told = lockMessages();
    ASSERT_EQ(told.size(), 5);
    EXPECT_EQ(told[0], QStringLiteral("Wrong key. Attempts left: 4"));
    EXPECT_EQ(told[3], QStringLiteral("Wrong key. Attempts left: 1"));
    EXPECT_TRUE(told[4].startsWith(QStringLiteral("Wrong key. Attempts left: 0\n")));
    EXPECT_TRUE(told[4].contains(QStringLiteral("closes the program")));
    EXPECT_EQ(modal.asked.last().caption, QStringLiteral("Wrong Key"));
    EXPECT_EQ(modal.asked.last().owner, nullptr); // the main window is down

    // The sixth failure closes the program without a word more.
    EXPECT_TRUE(restoreWith(QStringLiteral("wrong")));
    EXPECT_FALSE(form()->isVisible());
    EXPECT_EQ(lockMessages().size(), 5);
}

TEST(LockForm, EnterAndEscapeCloseAndCountWithoutTheCaller)
{
    int exhausted = 0;
    TLockForm f([](const QString &t) { return t == QStringLiteral("k"); }, [&] { ++exhausted; });
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Mira Lock"));
    EXPECT_EQ(f.txKey->text(), QStringLiteral("Enter unlock key to restore:"));
    EXPECT_EQ(f.Bar->orientation(), Qt::Vertical);
    EXPECT_EQ(f.edKey->echoMode(), QLineEdit::Password);

    QTest::keyClick(f.edKey, Qt::Key_Return); // nothing typed: a failure
    EXPECT_EQ(f.result(), QDialog::Rejected);
    EXPECT_EQ(f.AttemptsLeft, 4);
    EXPECT_EQ(f.Bar->value(), 80);
    QTest::keyClicks(f.edKey, QStringLiteral("k"));
    QTest::keyClick(f.edKey, Qt::Key_Escape); // the right key, but cancelled
    EXPECT_EQ(f.AttemptsLeft, 3);
    EXPECT_TRUE(f.edKey->text().isEmpty());
    QTest::keyClicks(f.edKey, QStringLiteral("k"));
    QTest::keyClick(f.edKey, Qt::Key_Enter);
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.AttemptsLeft, 5);
    EXPECT_EQ(exhausted, 0);
    for (int i = 0; i < 6; ++i)
        f.reject();
    EXPECT_EQ(exhausted, 1);
}

TEST(KeyForm, OkFollowsTheTwoEditsAndEnterMovesOnUntilTheyAgree)
{
    TKeyForm f(QStringLiteral("Desk"));
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    EXPECT_EQ(f.windowTitle(), QStringLiteral("Key for Desk"));
    EXPECT_TRUE(f.btnOK->isEnabled());
    EXPECT_EQ(f.edVerify->echoMode(), QLineEdit::Password);

    f.edKey->setFocus();
    QTest::keyClicks(f.edKey, QStringLiteral("Ab"));
    EXPECT_FALSE(f.btnOK->isEnabled());
    QTest::keyClick(f.edKey, Qt::Key_Return);
    EXPECT_TRUE(f.isVisible());
    EXPECT_TRUE(f.edVerify->hasFocus());
    QTest::keyClicks(f.edVerify, QStringLiteral("ab"));
    EXPECT_FALSE(f.btnOK->isEnabled());
    QTest::keyClick(f.edVerify, Qt::Key_Return);
    EXPECT_TRUE(f.edKey->hasFocus());
    f.edVerify->setText(QStringLiteral("Ab"));
    EXPECT_TRUE(f.btnOK->isEnabled());
    QTest::keyClick(f.edKey, Qt::Key_Return);
    EXPECT_FALSE(f.isVisible());
    EXPECT_EQ(f.result(), QDialog::Accepted);

    TKeyForm cancelled(QStringLiteral("Desk"));
    cancelled.show();
    QTest::keyClick(cancelled.edVerify, Qt::Key_Escape);
    EXPECT_EQ(cancelled.result(), QDialog::Rejected);
    EXPECT_FALSE(cancelled.isVisible());
}

} // namespace
