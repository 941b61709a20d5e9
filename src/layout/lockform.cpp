#include "layout/lockform.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>

#include "icons/images.h"
#include "layout/text.h"

namespace mira {

QLineEdit *NewMaskedEdit(QWidget *parent, const QRect &geometry)
{
    auto *edit = new QLineEdit(parent);
    edit->setGeometry(geometry);
    edit->setEchoMode(QLineEdit::Password);
    // Nothing of the key shows, not even its characters' count at a glance.
    edit->setStyleSheet(QStringLiteral("QLineEdit { lineedit-password-character: 32; }"));
    return edit;
}

void CenterOnScreen(QDialog *dialog)
{
    const QScreen *screen = QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->geometry();
    dialog->move(area.center() - QPoint(dialog->width() / 2, dialog->height() / 2));
}

namespace {

TText *newText(QWidget *parent, const QString &text, const QRect &geometry)
{
    auto *label = new TText(parent);
    label->setText(text);
    label->setGeometry(geometry);
    return label;
}

} // namespace

TLockForm::TLockForm(std::function<bool(const QString &)> matches,
                     std::function<void()> onExhausted)
    : keyMatches(std::move(matches)), exhausted(std::move(onExhausted))
{
    setObjectName(QStringLiteral("LockForm"));
    setWindowTitle(QStringLiteral("Mira Lock"));
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    setFixedSize(221, 70);

    imLock = new QLabel(this);
    imLock->setGeometry(8, 19, 32, 32);
    imLock->setPixmap(RenderApplicationIcon(32));
    txKey = newText(this, QStringLiteral("Enter unlock key to restore:"), QRect(51, 7, 130, 13));
    edKey = NewMaskedEdit(this, QRect(48, 24, 137, 21));
    edKey->setObjectName(QStringLiteral("edKey"));
    edKey->installEventFilter(this);
    txAttempts = newText(this, QStringLiteral("Attempts left:"), QRect(112, 50, 61, 13));
    txCount = newText(this, QString::number(kAttempts), QRect(180, 50, 6, 13));
    Bar = new QProgressBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setGeometry(196, 7, 17, 53);
    Bar->setOrientation(Qt::Vertical);
    Bar->setRange(0, 100);
    Bar->setValue(100);
    Bar->setTextVisible(false);
    setTabOrder(edKey, Bar);
    CenterOnScreen(this);
}

TLockForm::~TLockForm() = default;

bool TLockForm::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == edKey && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter: done(Accepted); return true;
        case Qt::Key_Escape: done(Rejected); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TLockForm::done(int result)
{
    if (result == Accepted && keyMatches && keyMatches(edKey->text())) {
        AttemptsLeft = kAttempts;
        txCount->setText(QString::number(AttemptsLeft));
        Bar->setValue(100);
        edKey->clear();
        QDialog::done(Accepted);
        return;
    }
    edKey->clear();
    if (AttemptsLeft == 0) {
        QApplication::beep();
        QDialog::done(Rejected);
        if (exhausted)
            exhausted();
        return;
    }
    --AttemptsLeft;
    txCount->setText(QString::number(AttemptsLeft));
    Bar->setValue(std::max(Bar->minimum(), Bar->value() - 20));
    QDialog::done(Rejected);
}

} // namespace mira
