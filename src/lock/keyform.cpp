#include "lock/keyform.h"

#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "dialogs/dialogmetrics.h"
#include "icons/images.h"
#include "lock/lockform.h"
#include "lock/lockkey.h"

namespace mira {

TKeyForm::TKeyForm(const QString &setName, QWidget *parent) : QDialog(parent)
{
    // Icon | prompt, key, "Verify" and its edit | OK beside the key, Cancel beside
    // the verification.
    const LockDialogFrame frame = SetUpLockDialog(this, QStringLiteral("KeyForm"),
                                                  QStringLiteral("Key for ") + setName,
                                                  QMargins(8, 3, 17, 14), 3);
    QGridLayout *grid = frame.grid;
    const qreal scale = frame.scale;
    grid->setColumnMinimumWidth(2, Scaled(75, scale) + Scaled(11, scale));
    imKey = frame.icon;
    grid->addWidget(imKey, 0, 0, 4, 1, Qt::AlignHCenter | Qt::AlignTop);
    txKey = new QLabel(this);
    txKey->setText(QStringLiteral("Enter password key to unlock minimized program"));
    txKey->setWordWrap(true);
    // The prompt wraps in the edits' width rather than widening the column.
    txKey->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    txKey->setMinimumHeight(txKey->heightForWidth(Scaled(137, scale)));
    grid->addWidget(txKey, 0, 1);
    edKey = NewMaskedEdit(this, Scaled(137, scale));
    edKey->setObjectName(QStringLiteral("edKey"));
    grid->addWidget(edKey, 1, 1);
    txVerify = new QLabel(this);
    txVerify->setText(QStringLiteral("Verify password key"));
    grid->addWidget(txVerify, 2, 1);
    edVerify = NewMaskedEdit(this, Scaled(137, scale));
    edVerify->setObjectName(QStringLiteral("edVerify"));
    grid->addWidget(edVerify, 3, 1);
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    const QSize buttonSize = btnOK->sizeHint()
                                 .expandedTo(btnCancel->sizeHint())
                                 .expandedTo(QSize(Scaled(75, scale), Scaled(22, scale)));
    grid->addWidget(btnOK, 1, 2, Qt::AlignRight);
    grid->addWidget(btnCancel, 3, 2, Qt::AlignRight);
    // Enter and Escape are the edits' own (below); no button takes them over.
    for (QPushButton *b : {btnOK, btnCancel}) {
        b->setFixedSize(buttonSize);
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    setTabOrder(edKey, edVerify);
    setTabOrder(edVerify, btnOK);
    setTabOrder(btnOK, btnCancel);

    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    for (QLineEdit *e : {edKey, edVerify}) {
        connect(e, &QLineEdit::textChanged, this, &TKeyForm::editChange);
        e->installEventFilter(this);
    }
    editChange();
    edKey->setFocus();
    grid->activate();
    CenterOnScreen(this);
}

void TKeyForm::editChange()
{
    btnOK->setEnabled(SameLockKeyText(edKey->text(), edVerify->text()));
}

bool TKeyForm::eventFilter(QObject *watched, QEvent *event)
{
    if ((watched == edKey || watched == edVerify) && event->type() == QEvent::KeyPress) {
        switch (static_cast<QKeyEvent *>(event)->key()) {
        case Qt::Key_Return:
        case Qt::Key_Enter:
            if (btnOK->isEnabled())
                accept();
            else if (edKey->hasFocus())
                edVerify->setFocus();
            else
                edKey->setFocus();
            return true;
        case Qt::Key_Escape: reject(); return true;
        default: break;
        }
    }
    return QDialog::eventFilter(watched, event);
}

} // namespace mira
