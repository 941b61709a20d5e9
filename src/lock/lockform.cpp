#include "lock/lockform.h"

#include <QApplication>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QScreen>

#include "dialogs/dialogmetrics.h"
#include "icons/images.h"

namespace mira {

QLineEdit *NewMaskedEdit(QWidget *parent, int minimumWidth)
{
    auto *edit = new QLineEdit(parent);
    edit->setMinimumWidth(minimumWidth);
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

LockDialogFrame SetUpLockDialog(QDialog *dialog, const QString &name, const QString &title,
                                const QMargins &margins, int rowSpacing)
{
    dialog->setObjectName(name);
    dialog->setWindowTitle(title);
    dialog->setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                           | Qt::WindowCloseButtonHint);
    dialog->setFont(DesignFont(dialog));
    const qreal scale = DesignScale(dialog->font());
    auto *grid = new QGridLayout(dialog);
    grid->setSizeConstraint(QLayout::SetFixedSize);
    grid->setContentsMargins(Scaled(margins.left(), scale), Scaled(margins.top(), scale),
                             Scaled(margins.right(), scale), Scaled(margins.bottom(), scale));
    grid->setHorizontalSpacing(Scaled(8, scale));
    grid->setVerticalSpacing(Scaled(rowSpacing, scale));
    auto *icon = new QLabel(dialog);
    icon->setPixmap(RenderApplicationIcon(Scaled(32, scale)));
    return {grid, icon, scale};
}

TLockForm::TLockForm(std::function<bool(const QString &)> matches,
                     std::function<void()> onExhausted)
    : keyMatches(std::move(matches)), exhausted(std::move(onExhausted))
{
    // Icon | prompt, key and the count under it | the attempts bar, all of the height.
    const LockDialogFrame frame = SetUpLockDialog(this, QStringLiteral("LockForm"),
                                                  QStringLiteral("Mira Lock"),
                                                  QMargins(8, 7, 8, 10), 4);
    QGridLayout *grid = frame.grid;
    const qreal scale = frame.scale;
    imLock = frame.icon;
    grid->addWidget(imLock, 0, 0, 3, 1, Qt::AlignCenter);
    txKey = new QLabel(QStringLiteral("Enter unlock key to restore:"), this);
    grid->addWidget(txKey, 0, 1);
    edKey = NewMaskedEdit(this, Scaled(137, scale));
    edKey->setObjectName(QStringLiteral("edKey"));
    edKey->installEventFilter(this);
    grid->addWidget(edKey, 1, 1);
    txAttempts = new QLabel(QStringLiteral("Attempts left:"), this);
    txCount = new QLabel(QString::number(kAttempts), this);
    auto *count = new QHBoxLayout;
    count->setSpacing(Scaled(7, scale));
    count->addStretch(1);
    count->addWidget(txAttempts);
    count->addWidget(txCount);
    grid->addLayout(count, 2, 1);
    Bar = new QProgressBar(this);
    Bar->setObjectName(QStringLiteral("Bar"));
    Bar->setOrientation(Qt::Vertical);
    Bar->setRange(0, 100);
    Bar->setValue(100);
    Bar->setTextVisible(false);
    Bar->setFixedWidth(Scaled(17, scale));
    grid->addWidget(Bar, 0, 2, 3, 1);
    grid->activate();
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
