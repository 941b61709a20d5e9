#include "dialogs/pagedialogs.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>

#include "dialogs/messagebox.h"

namespace mira {
namespace {

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

} // namespace

int ShowPageMessage(QWidget *owner, const QString &caption, const QString &text, MsgType type,
                    MsgButtons buttons)
{
    QMessageBox::StandardButtons standard = QMessageBox::Ok;
    if (buttons == (mbOK | mbCancel))
        standard = QMessageBox::Ok | QMessageBox::Cancel;
    else if (buttons == (mbYes | mbNo))
        standard = QMessageBox::Yes | QMessageBox::No;
    QMessageBox box(iconOf(type), caption, text, standard, owner);
    ModalRecord record;
    record.kind = ModalRecord::Kind::MessageBox;
    record.text = text;
    record.caption = caption;
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
    return RunModal(record);
}

bool AskPageText(QWidget *owner, const QString &caption, const QString &prompt, QString *value)
{
    QInputDialog dialog(owner);
    dialog.setWindowTitle(caption);
    dialog.setLabelText(prompt);
    dialog.setTextValue(*value);
    ModalRecord record;
    record.kind = ModalRecord::Kind::InputBox;
    record.caption = caption;
    record.prompt = prompt;
    record.text = *value;
    record.owner = owner;
    record.dialog = &dialog;
    record.setText = [&dialog](const QString &text) { dialog.setTextValue(text); };
    record.show = [&dialog] { return dialog.exec() == QDialog::Accepted ? mrOK : mrCancel; };
    if (RunModal(record) != mrOK)
        return false;
    *value = dialog.textValue();
    return true;
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
    ModalRecord record = MessageBoxRecord(&box, owner, text, type, buttons);
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

} // namespace mira
