#include "layout/keyform.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "icons/images.h"
#include "layout/lockform.h"
#include "layout/lockkey.h"
#include "layout/text.h"

namespace mira {

TKeyForm::TKeyForm(const QString &setName, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("KeyForm"));
    setWindowTitle(QStringLiteral("Key for ") + setName);
    setWindowFlags(Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint);
    QFont dialogFont(QStringLiteral("MS Sans Serif"));
    dialogFont.setPixelSize(11);
    setFont(dialogFont);
    setFixedSize(296, 108);

    imKey = new QLabel(this);
    imKey->setGeometry(8, 28, 32, 32);
    imKey->setPixmap(RenderApplicationIcon(32));
    txKey = new TText(this);
    txKey->setText(QStringLiteral("Enter password key to unlock minimized program"));
    txKey->setWordWrap(true);
    txKey->setGeometry(51, 3, 129, 28);
    edKey = NewMaskedEdit(this, QRect(48, 31, 137, 21));
    edKey->setObjectName(QStringLiteral("edKey"));
    txVerify = new TText(this);
    txVerify->setText(QStringLiteral("Verify password key"));
    txVerify->setGeometry(53, 57, 94, 13);
    edVerify = NewMaskedEdit(this, QRect(48, 72, 137, 21));
    edVerify->setObjectName(QStringLiteral("edVerify"));
    btnOK = new QPushButton(QStringLiteral("OK"), this);
    btnOK->setObjectName(QStringLiteral("btnOK"));
    btnOK->setGeometry(204, 31, 75, 22);
    btnCancel = new QPushButton(QStringLiteral("Cancel"), this);
    btnCancel->setObjectName(QStringLiteral("btnCancel"));
    btnCancel->setGeometry(204, 72, 75, 22);
    // Enter and Escape are the edits' own (below); no button takes them over.
    for (QPushButton *b : {btnOK, btnCancel}) {
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
