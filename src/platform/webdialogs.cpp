#include "platform/webdialogs.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>
#include <deque>

#include "dialogs/modal.h"

namespace mira::platform {

FindDialog::FindDialog(QWidget *parent, FindFunction findFunction)
    : QDialog(parent), find(std::move(findFunction))
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("findText"));
    matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    matchCase->setObjectName(QStringLiteral("matchCase"));
    result = new QLabel(this);
    result->setObjectName(QStringLiteral("findResult"));
    auto *next = new QPushButton(QStringLiteral("Find &Next"), this);
    next->setObjectName(QStringLiteral("findNext"));
    next->setDefault(true);
    auto *previous = new QPushButton(QStringLiteral("Find &Previous"), this);
    previous->setObjectName(QStringLiteral("findPrevious"));
    auto *close = new QPushButton(QStringLiteral("Close"), this);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Fi&nd what:"), this));
    row->addWidget(edit, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(previous);
    buttons->addWidget(close);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(row);
    left->addWidget(matchCase);
    left->addWidget(result);
    left->addStretch();
    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, [this] { findNext(false); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Closing the dialog takes the highlight away with it.
    connect(this, &QDialog::finished, this, [this] {
        lastText.clear();
        if (find)
            find(QString(), false, false, nullptr);
    });
}

void FindDialog::findNext(bool backward)
{
    const QString text = edit->text();
    const bool caseSensitive = matchCase->isChecked();
    if (!find)
        return;
    // The engine keeps its search state per text; a change of case must restart it.
    if (caseSensitive != lastMatchCase && !lastText.isEmpty())
        find(QString(), false, false, nullptr);
    lastText = text;
    lastMatchCase = caseSensitive;
    if (text.isEmpty()) {
        result->clear();
        find(QString(), false, false, nullptr);
        return;
    }
    QPointer<QLabel> label = result;
    find(text, caseSensitive, backward, [label](int active, int count) {
        if (!label)
            return;
        label->setText(count == 0 ? QStringLiteral("Not found")
                                  : QStringLiteral("%1 of %2").arg(active).arg(count));
    });
}

QString FindDialog::resultText() const
{
    return result->text();
}

namespace {

MsgType typeOf(int mbType)
{
    switch (mbType & 0xF0) {
    case MB_ICONERROR: return MsgType::Error;
    case MB_ICONQUESTION: return MsgType::Confirmation;
    case MB_ICONWARNING: return MsgType::Warning;
    default: return MsgType::Information;
    }
}

QMessageBox::Icon iconOf(MsgType type)
{
    switch (type) {
    case MsgType::Error: return QMessageBox::Critical;
    case MsgType::Confirmation: return QMessageBox::Question;
    case MsgType::Warning: return QMessageBox::Warning;
    case MsgType::Information: return QMessageBox::Information;
    }
    return QMessageBox::NoIcon;
}

int promptBox(QWidget *owner, WebMessage &message)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(message.caption);
    dialog.setLabelText(message.text);
    dialog.setTextValue(message.value);
    ModalRecord record;
    record.kind = ModalRecord::Kind::InputBox;
    record.caption = message.caption;
    record.prompt = message.text;
    record.text = message.value;
    record.owner = owner;
    record.dialog = &dialog;
    record.setText = [&dialog](const QString &text) { dialog.setTextValue(text); };
    record.show = [&dialog] { return dialog.exec() == QDialog::Accepted ? mrOK : mrCancel; };
    const int result = RunModal(record);
    if (result == mrOK)
        message.value = dialog.textValue();
    return result == mrOK ? IDOK : IDCANCEL;
}

} // namespace

int ShowOwnMessage(QWidget *owner, WebMessage &message)
{
    if (message.prompt)
        return promptBox(owner, message);
    MsgButtons buttons = mbOK;
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    switch (message.type & 0xF) {
    case MB_OKCANCEL:
        buttons = mbOK | mbCancel;
        standard = QMessageBox::Ok | QMessageBox::Cancel;
        break;
    case MB_YESNO:
        buttons = mbYes | mbNo;
        standard = QMessageBox::Yes | QMessageBox::No;
        break;
    default: break;
    }
    const MsgType type = typeOf(message.type);
    QMessageBox box(iconOf(type), message.caption, message.text, standard, owner);
    ModalRecord record;
    record.kind = ModalRecord::Kind::MessageBox;
    record.text = message.text;
    record.caption = message.caption;
    record.type = type;
    record.buttons = buttons;
    record.owner = owner;
    record.dialog = &box;
    record.show = [&box] {
        switch (box.exec()) {
        case QMessageBox::Ok: return mrOK;
        case QMessageBox::Yes: return mrYes;
        case QMessageBox::No: return mrNo;
        default: return mrCancel;
        }
    };
    // ModalResult values are the message box results.
    return RunModal(record);
}

namespace {

struct WaitingAlert {
    QPointer<WebControl> control;
    WebMessage message;
    std::function<void(WebMessage &)> deliver;
};

std::deque<WaitingAlert> &waitingAlerts()
{
    static std::deque<WaitingAlert> alerts;
    return alerts;
}

// The control whose alert is being delivered now, if any.
const WebControl *deliveringFor = nullptr;
bool delivering = false;
int engineHolds = 0;

void deliverWaitingAlerts()
{
    // A box open further up delivers the rest once it is answered.
    if (delivering)
        return;
    // Reset however a delivery ends (an exception is dropped further out).
    struct Turn {
        Turn() { delivering = true; }
        ~Turn()
        {
            delivering = false;
            deliveringFor = nullptr;
        }
        Turn(const Turn &) = delete;
        Turn &operator=(const Turn &) = delete;
    } turn;
    std::deque<WaitingAlert> &alerts = waitingAlerts();
    while (!alerts.empty()) {
        WaitingAlert next = std::move(alerts.front());
        alerts.pop_front();
        if (!next.control || !next.deliver)
            continue;
        deliveringFor = next.control;
        next.deliver(next.message);
        deliveringFor = nullptr;
    }
}

int alertsOf(const WebControl *control)
{
    int n = deliveringFor == control ? 1 : 0;
    for (const WaitingAlert &a : waitingAlerts())
        if (a.control == control)
            ++n;
    return n;
}

} // namespace

void DeliverAlertLater(WebControl *control, const WebMessage &message,
                       std::function<void(WebMessage &)> deliver)
{
    if (!control || alertsOf(control) >= MaxWaitingAlerts)
        return;
    waitingAlerts().push_back({control, message, std::move(deliver)});
    // Every alert has its own turn: one whose control is gone on the way still
    // leaves the others theirs.
    QTimer::singleShot(0, control, [] { deliverWaitingAlerts(); });
}

bool AlertWaiting(const WebControl *control)
{
    return control && alertsOf(control) > 0;
}

EngineHold::EngineHold()
{
    ++engineHolds;
}

EngineHold::~EngineHold()
{
    --engineHolds;
}

bool EngineHeld()
{
    return engineHolds > 0;
}

namespace {

EngineDialogWatcher *engineWatcher = nullptr;

// What the watcher leaves goes to the modal runner.
int runEngineDialog(QDialog &dialog, QWidget *owner)
{
    if (engineWatcher && engineWatcher->Answer(dialog))
        return dialog.result();
    return RunDialog(dialog, owner);
}

int resultOf(QMessageBox::StandardButton button)
{
    switch (button) {
    case QMessageBox::Ok: return mrOK;
    case QMessageBox::Yes: return mrYes;
    case QMessageBox::No: return mrNo;
    default: return mrCancel;
    }
}

} // namespace

EngineDialogWatcher *SetEngineDialogWatcher(EngineDialogWatcher *watcher)
{
    EngineDialogWatcher *previous = engineWatcher;
    engineWatcher = watcher;
    return previous;
}

EngineDialogWatcher *CurrentEngineDialogWatcher()
{
    return engineWatcher;
}

QString CloseWindowQuestionText()
{
    return QStringLiteral("The webpage you are viewing is trying to close the window.\n\n"
                          "Do you want to close this window?");
}

QString LeavePageQuestionText()
{
    // The engine's own text for a page that asks before it is left.
    return QStringLiteral(
        "Are you sure you want to leave this page? Changes that you made may not be saved.");
}

int AskEngineQuestion(QWidget *owner, bool silent, int silentAnswer, const QString &caption,
                      const QString &text, MsgType type, MsgButtons buttons)
{
    if (silent)
        return silentAnswer;
    QMessageBox::StandardButtons standard;
    if (buttons & mbOK)
        standard |= QMessageBox::Ok;
    if (buttons & mbYes)
        standard |= QMessageBox::Yes;
    if (buttons & mbNo)
        standard |= QMessageBox::No;
    if (buttons & mbCancel)
        standard |= QMessageBox::Cancel;
    QMessageBox box(iconOf(type), caption, text, standard, owner);
    if (engineWatcher && engineWatcher->Answer(box))
        return resultOf(box.standardButton(box.clickedButton()));
    ModalRecord record;
    record.kind = ModalRecord::Kind::MessageBox;
    record.text = text;
    record.caption = box.windowTitle();
    record.type = type;
    record.buttons = buttons;
    record.owner = owner;
    record.dialog = &box;
    record.show = [&box] {
        box.exec();
        return resultOf(box.standardButton(box.clickedButton()));
    };
    return RunModal(record);
}

bool AskCredentials(QWidget *owner, bool silent, const QString &site, QString *user,
                    QString *password)
{
    if (silent)
        return false;
    QDialog dialog(owner);
    dialog.setWindowTitle(QStringLiteral("Authentication Required"));
    auto *userEdit = new QLineEdit(&dialog);
    userEdit->setObjectName(QStringLiteral("user"));
    auto *passwordEdit = new QLineEdit(&dialog);
    passwordEdit->setObjectName(QStringLiteral("password"));
    passwordEdit->setEchoMode(QLineEdit::Password);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dialog);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto *form = new QFormLayout(&dialog);
    form->addRow(new QLabel(QStringLiteral("The site %1 asks for a user name and password.")
                                .arg(site.toHtmlEscaped()),
                            &dialog));
    form->addRow(QStringLiteral("&User name:"), userEdit);
    form->addRow(QStringLiteral("&Password:"), passwordEdit);
    form->addRow(buttons);

    if (runEngineDialog(dialog, owner) != QDialog::Accepted)
        return false;
    *user = userEdit->text();
    *password = passwordEdit->text();
    return true;
}

QStringList ChooseUploadFiles(QWidget *owner, bool silent, bool multiple,
                              const QStringList &oldFiles)
{
    if (silent)
        return {};
    QFileDialog dialog(owner, QStringLiteral("Choose File to Upload"));
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    dialog.setFileMode(multiple ? QFileDialog::ExistingFiles : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    if (!oldFiles.isEmpty())
        dialog.selectFile(oldFiles.constFirst());
    if (runEngineDialog(dialog, owner) != QDialog::Accepted)
        return {};
    return dialog.selectedFiles();
}

QString AskDownloadPath(QWidget *owner, bool silent, const QString &fileName, const QString &from,
                        const QString &folder)
{
    const QString question =
        QStringLiteral("Do you want to save this file?\n\nName: %1\nFrom: %2").arg(fileName, from);
    if (AskEngineQuestion(owner, silent, mrNo, QStringLiteral("File Download"), question,
                          MsgType::Confirmation, mbYes | mbNo)
        != mrYes)
        return {};
    QFileDialog dialog(owner, QStringLiteral("Save As"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setDirectory(folder);
    dialog.selectFile(fileName);
    if (runEngineDialog(dialog, owner) != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    return dialog.selectedFiles().constFirst();
}

} // namespace mira::platform
