#include "dialogs/messagebox.h"

#include <QApplication>
#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <algorithm>

#include "dialogs/dialogmetrics.h"

namespace mira {
namespace {

QRect currentWorkArea;

QString typeCaption(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return QStringLiteral("Warning");
    case MsgType::Error: return QStringLiteral("Error");
    case MsgType::Information: return QStringLiteral("Information");
    case MsgType::Confirmation: return QStringLiteral("Confirm");
    }
    return {};
}

QMessageBox::Icon typeIcon(MsgType type)
{
    switch (type) {
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Information: return QMessageBox::Information;
    case MsgType::Confirmation: return QMessageBox::Question;
    }
    return QMessageBox::NoIcon;
}

QRect screenRect()
{
    QScreen *s = QGuiApplication::primaryScreen();
    return s ? s->geometry() : QRect(0, 0, 1024, 768);
}

// Places a dialog that has its final size by the owner rules and records where.
QRect placeDialog(QWidget *dialog, QWidget *owner)
{
    dialog->adjustSize();
    // Frame margins are unknown before the first show; the client size stands in.
    const QSize size = dialog->frameGeometry().size().isValid() ? dialog->frameGeometry().size()
                                                                : dialog->size();
    OwnerKind kind = OwnerKind::None;
    QRect ownerFrame;
    QPoint origin;
    int height = 0;
    if (owner && owner->isWindow()) {
        kind = OwnerKind::Form;
        ownerFrame = owner->frameGeometry();
    } else if (owner) {
        kind = OwnerKind::Control;
        origin = owner->mapToGlobal(QPoint(0, 0));
        height = owner->height();
    }
    const QPoint at = PlaceBox(size, kind, ownerFrame, origin, height, currentWorkArea,
                               screenRect());
    dialog->move(at);
    return QRect(at, size);
}

} // namespace

QRect WorkArea()
{
    return currentWorkArea;
}

void SetWorkArea(const QRect &area)
{
    currentWorkArea = area;
}

QPoint PlaceBox(QSize box, OwnerKind kind, QRect ownerFrame, QPoint controlOrigin,
                int controlHeight, QRect workArea, QRect screen)
{
    int left = 0;
    int top = 0;
    switch (kind) {
    case OwnerKind::None:
        left = screen.left() + (screen.width() - box.width()) / 2;
        top = screen.top() + (screen.height() - box.height()) / 2;
        break;
    case OwnerKind::Form:
        left = ownerFrame.left() + (ownerFrame.width() - box.width()) / 2;
        top = ownerFrame.top() + (ownerFrame.height() - box.height()) / 2;
        break;
    case OwnerKind::Control:
        left = controlOrigin.x();
        if (left + box.width() > workArea.width())
            left = workArea.width() - box.width();
        top = controlOrigin.y() + controlHeight;
        if (top + box.height() > workArea.height())
            top = controlOrigin.y() - box.height();
        break;
    }
    return QPoint(qMax(0, left), qMax(0, top));
}

QSize InputBoxSize(int width, int height, bool hasPrompt)
{
    return QSize(qMax(width, 200), qMax(height, hasPrompt ? 125 : 110));
}

QString ShortHint(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.left(bar);
}

QString LongHint(const QString &hint)
{
    const int bar = hint.indexOf(QLatin1Char('|'));
    return bar < 0 ? hint : hint.mid(bar + 1);
}

ModalResult ShowMessageBox(QWidget *owner, const QString &text, const QString &caption,
                           MsgType type, MsgButtons buttons)
{
    QMessageBox box(owner ? owner->window() : nullptr);
    box.setIcon(typeIcon(type));
    box.setText(text);
    box.setWindowTitle(caption.isEmpty() ? typeCaption(type) : caption);
    box.setWindowIcon(QApplication::windowIcon());
    struct Choice {
        MsgButton button;
        const char *label;
        QMessageBox::ButtonRole role;
        ModalResult result;
    };
    static const Choice choices[] = {
        {mbYes, "&Yes", QMessageBox::YesRole, mrYes},
        {mbNo, "&No", QMessageBox::NoRole, mrNo},
        {mbOK, "OK", QMessageBox::AcceptRole, mrOK},
        {mbCancel, "Cancel", QMessageBox::RejectRole, mrCancel},
    };
    QList<QPair<QAbstractButton *, ModalResult>> made;
    for (const Choice &c : choices) {
        if (buttons & c.button)
            made.append({box.addButton(QString::fromLatin1(c.label), c.role), c.result});
    }
    if (made.isEmpty())
        made.append({box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole), mrOK});
    if (buttons & mbCancel) {
        for (auto &m : made)
            if (m.second == mrCancel)
                box.setEscapeButton(m.first);
    }

    ModalRecord record = MessageBoxRecord(&box, owner, text, type, buttons);
    record.geometry = placeDialog(&box, owner);
    record.show = [&box, &made]() {
        box.exec();
        for (auto &m : made)
            if (box.clickedButton() == m.first)
                return int(m.second);
        // Closed by its title bar: the box's cancel answer, else its only button.
        for (auto &m : made)
            if (m.second == mrCancel || m.second == mrNo)
                return int(m.second);
        return int(made.constFirst().second);
    };
    return ModalResult(RunModal(record));
}

ModalRecord MessageBoxRecord(QDialog *box, QWidget *owner, const QString &text, MsgType type,
                             MsgButtons buttons)
{
    ModalRecord record;
    record.kind = ModalRecord::Kind::MessageBox;
    record.text = text;
    record.caption = box->windowTitle();
    record.type = type;
    record.buttons = buttons;
    record.owner = owner;
    record.dialog = box;
    return record;
}

bool ShowInputBox(QWidget *owner, int width, int height, int maxLength, QString &text,
                  const QString &prompt, const QString &caption)
{
    QDialog dialog(owner ? owner->window() : nullptr, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint
                                                          | Qt::WindowTitleHint
                                                          | Qt::WindowCloseButtonHint);
    dialog.setWindowTitle(caption.isEmpty() ? QStringLiteral("Mira") : caption);
    const qreal scale = DesignScale(dialog.font());
    auto *layout = new QVBoxLayout(&dialog);
    layout->setContentsMargins(Scaled(4, scale), Scaled(4, scale), Scaled(4, scale),
                               Scaled(15, scale));
    layout->setSpacing(0);
    if (!prompt.isEmpty()) {
        auto *label = new QLabel(prompt, &dialog);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->setTextFormat(Qt::PlainText);
        layout->addWidget(label, 1);
    } else {
        layout->addStretch(1);
    }
    auto *edit = new QLineEdit(&dialog);
    if (maxLength > 0)
        edit->setMaxLength(maxLength);
    edit->setText(text);
    edit->selectAll();
    layout->addWidget(edit);
    layout->addSpacing(Scaled(14, scale));

    auto *ok = new QPushButton(QStringLiteral("OK"), &dialog);
    auto *cancel = new QPushButton(QStringLiteral("Cancel"), &dialog);
    ok->setDefault(true);
    // Both of one size, left and right of the centre line.
    const QSize bs = ok->sizeHint()
                         .expandedTo(cancel->sizeHint())
                         .expandedTo(QSize(Scaled(75, scale), Scaled(25, scale)));
    auto *buttons = new QHBoxLayout;
    buttons->setSpacing(0);
    buttons->addStretch(1);
    for (QPushButton *b : {ok, cancel}) {
        b->setFixedSize(bs);
        buttons->addWidget(b);
        if (b == ok)
            buttons->addSpacing(Scaled(16, scale));
    }
    buttons->addStretch(1);
    layout->addLayout(buttons);
    QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
    QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
    edit->setFocus();

    // The sizes asked for are the least; the box grows for its caption, for a prompt
    // that wraps to more lines, and for the font.
    const QSize least = InputBoxSize(width, height, !prompt.isEmpty());
    const int W = std::max({least.width(), CaptionFitWidth(dialog.windowTitle(), least.width()),
                            layout->totalMinimumSize().width()});
    const int H = std::max(least.height(), layout->hasHeightForWidth()
                                               ? layout->totalHeightForWidth(W)
                                               : layout->totalSizeHint().height());
    const QSize size(W, H);
    dialog.setFixedSize(size);

    ModalRecord record;
    record.kind = ModalRecord::Kind::InputBox;
    record.text = text;
    record.caption = dialog.windowTitle();
    record.prompt = prompt;
    record.owner = owner;
    record.maxLength = maxLength;
    record.dialog = &dialog;
    record.geometry = placeDialog(&dialog, owner);
    record.geometry.setSize(size);
    record.show = [&dialog]() {
        return dialog.exec() == QDialog::Accepted ? int(mrOK) : int(mrCancel);
    };
    record.setText = [edit](const QString &typed) {
        edit->selectAll();
        edit->insert(typed);
    };
    if (RunModal(record) != mrOK)
        return false;
    text = edit->text();
    return true;
}

void NotImplemented(QWidget *mainWindow)
{
    ShowMessageBox(mainWindow, QStringLiteral("Sorry, not imlemented yet."), QString(),
                   MsgType::Information, mbOK);
}

void CenterWindowOver(QWidget *window, QWidget *form)
{
    if (!window)
        return;
    const QRect w = window->frameGeometry();
    const QRect area = form ? form->frameGeometry() : currentWorkArea;
    window->move(area.left() + (area.width() - w.width()) / 2,
                 area.top() + (area.height() - w.height()) / 2);
}

} // namespace mira
