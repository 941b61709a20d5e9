// The File commands of the action module: naming, finding, opening and saving sets.
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QThread>

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "app/configfiles.h"
#include "dialogs/messagebox.h"
#include "app/programvalues.h"
#include "app/setfilecheck.h"
#include "app/setstream.h"
#include "layout/align.h"
#include "layout/pan.h"

namespace mira {
namespace {

const QString kFilter = QStringLiteral("Configuration Set files (*.set)");

// A file dialog that stays open until its check accepts the chosen file.
class CheckedFileDialog : public QFileDialog {
public:
    CheckedFileDialog(QWidget *parent, const QString &title, std::function<bool(const QString &)> accepts)
        : QFileDialog(parent, title, QDir::currentPath(), kFilter), check(std::move(accepts))
    {
        setOption(QFileDialog::DontUseNativeDialog);
        setOption(QFileDialog::ReadOnly, false);
        // Our own check decides about existing files.
        setOption(QFileDialog::DontConfirmOverwrite);
        setSizeGripEnabled(true);
    }

    QString chosen() const
    {
        const QStringList files = selectedFiles();
        return files.isEmpty() ? QString() : files.constFirst();
    }

    void accept() override
    {
        if (check(chosen()))
            QFileDialog::accept();
    }

private:
    std::function<bool(const QString &)> check;
};

// Runs a file dialog through the modal runner; returns the chosen path or empty.
QString runFileDialog(CheckedFileDialog &dialog)
{
    dialog.selectFile(QString()); // the file name starts cleared
    if (RunDialog(dialog, dialog.parentWidget()) != QDialog::Accepted)
        return {};
    return dialog.chosen();
}

} // namespace

void TAppControlModule::connectConfigHandlers()
{
    connect(FileNewAction, &QAction::triggered, this, &TAppControlModule::fileNew);
    connect(FileLoadAction, &QAction::triggered, this, &TAppControlModule::fileLoad);
    connect(FileSaveNowAction, &QAction::triggered, this, &TAppControlModule::fileSaveNow);
    connect(FileSaveAsAction, &QAction::triggered, this, &TAppControlModule::fileSaveAs);
    connect(FileRenameAction, &QAction::triggered, this, &TAppControlModule::fileRename);
    connect(FileDeleteAction, &QAction::triggered, this, &TAppControlModule::fileDelete);
    connect(&AutoSaveTimer, &QTimer::timeout, this, &TAppControlModule::AutoSaveTimerTimer);
    connect(FileSaveOnCloseAction, &QAction::triggered, this, [this](bool checked) {
        checked ? ClearProgramFlag(pfNoSaveOnClose) : SetProgramFlag(pfNoSaveOnClose);
    });
    connect(FileAutoSaveAction, &QAction::triggered, this, [this](bool checked) {
        checked ? SetProgramFlag(pfAutoSave) : ClearProgramFlag(pfAutoSave);
        if (checked)
            AutoSaveTimer.start(600000);
        else
            AutoSaveTimer.stop();
    });
}

bool TAppControlModule::IsSetOpen() const
{
    return !ConfigFileName.isEmpty() && mainWindow && mainWindow->RootContainer();
}

QString TAppControlModule::ConfigName() const
{
    return ConfigFileName.isEmpty() ? QString() : QFileInfo(ConfigFileName).completeBaseName();
}

void TAppControlModule::SelectConfigFile(const QString &name, bool forced)
{
    ConfigFileName = FindConfigFile(ExpandConfigName(name, QString()), forced);
}

bool TAppControlModule::OpenAtStart(const QStringList &arguments)
{
    SelectConfigFile(arguments.isEmpty() ? QString() : arguments.constFirst(), false);
    return LoadConfigFile();
}

bool TAppControlModule::LoadConfigFile()
{
    if (ConfigFileName.isEmpty() || !QFileInfo(ConfigFileName).isFile() || !mainWindow) {
        CloseConfigFile();
        return false;
    }
    QString error;
    QFile file(ConfigFileName);
    if (!file.open(QIODevice::ReadOnly))
        error = file.errorString();
    else
        error = ReadConfigSet(mainWindow, file.readAll());
    if (!error.isEmpty()) {
        ShowMessageBox(nullptr,
                       QStringLiteral("Catastrophic error on reading configuration file set\n")
                           + ConfigFileName + QStringLiteral(" :\n\n") + error
                           + QStringLiteral("\n\nPlease, fix the file or delete it.\n")
                           + QStringLiteral("Application will terminate immediately."),
                       QStringLiteral("Mira"), MsgType::Error, mbOK);
        // The program ends; nothing is saved and the file stays as it is.
        terminated = true;
        mainWindow->close();
        // At start no loop runs yet: the caller sees Terminated() instead. Quitting
        // without a loop would make every later local loop return at once.
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::exit(1);
        return false;
    }
    mainWindow->setObjectName(QString());
    UpdateConfigState(true);
    return true;
}

void TAppControlModule::CloseConfigFile()
{
    ConfigFileName.clear();
    if (mainWindow)
        mainWindow->SetTag(0);
    UpdateConfigState(false);
}

bool TAppControlModule::SaveConfigFile()
{
    return SaveConfigFile(nullptr);
}

bool TAppControlModule::SaveConfigFile(QString *error)
{
    if (ConfigFileName.isEmpty() || !mainWindow)
        return false;
    return WriteFileAtomically(ConfigFileName, WriteConfigSet(mainWindow), error);
}

void TAppControlModule::reportSaveFailure(const QString &path, const QString &reason)
{
    ShowMessageBox(mainWindow,
                   QStringLiteral("Can not save configuration file %1\n%2").arg(path, reason),
                   QStringLiteral("File Save Failure"), MsgType::Error, mbOK);
}

void TAppControlModule::saveAndCloseOpenSet()
{
    if (ConfigFileName.isEmpty())
        return;
    SaveOnExit();
    CloseConfigFile();
}

bool TAppControlModule::CreateConfigFile(const QString &path, bool copy)
{
    if (!copy)
        saveAndCloseOpenSet();
    // The file must exist for the set to be selected; an existing one is replaced
    // only by the complete save below.
    QString error;
    if (!QFileInfo::exists(path)) {
        QFile f(path);
        if (!f.open(QIODevice::WriteOnly))
            error = f.errorString();
    }
    SelectConfigFile(path, true);
    if (copy) {
        UpdateCaption();
    } else if (mainWindow) {
        auto *root = new TPan(mainWindow);
        StoreAlign(root, TAlign::alClient);
        PutInto(root, mainWindow->ClientArea());
        AlignControls(mainWindow->ClientArea());
        UpdateConfigState(true);
    }
    if (ConfigFileName.isEmpty()) {
        reportSaveFailure(path, error);
        return false;
    }
    if (!SaveConfigFile(&error)) {
        reportSaveFailure(path, error);
        return false;
    }
    return true;
}

bool TAppControlModule::AskConfigName(QString &text)
{
    const bool rename = !text.isEmpty();
    const QString caption = rename ? QStringLiteral("Renaming Configuration")
                                   : QStringLiteral("New Configuration");
    const QString prompt = rename ? QStringLiteral("Enter new name")
                                  : QStringLiteral("Enter name for new configuration");
    const QString folder = rename ? text : programValues().programFolder;
    text.clear();
    for (;;) {
        if (!ShowInputBox(mainWindow, 0, 0, 0, text, prompt, caption))
            return false;
        QString refusal;
        if (text.isEmpty())
            refusal = QStringLiteral("Name can not be empty.");
        else if (!IsValidConfigName(text))
            refusal = QStringLiteral("Only English alphanumeric characters, dash and underscore are allowed.");
        else if (ConfigNameExists(folder, text))
            refusal = QStringLiteral("File with that name already exists.");
        if (refusal.isEmpty())
            return true;
        ShowMessageBox(mainWindow, refusal, caption, MsgType::Information, mbOK);
    }
}

void TAppControlModule::fileNew()
{
    QString name;
    if (AskConfigName(name))
        CreateConfigFile(ExpandConfigName(name, QString()), false);
}

bool TAppControlModule::OpenDlgCanClose(const QString &fileName)
{
    const QString path = ExpandConfigName(fileName, QString());
    if (path.compare(ConfigFileName, Qt::CaseInsensitive) == 0) {
        ShowMessageBox(nullptr, QStringLiteral("The file %1 is already open.").arg(path), QString(),
                       MsgType::Information, mbOK);
        return false;
    }
    return IsConfigFile(path, true);
}

void TAppControlModule::fileLoad()
{
    CheckedFileDialog dialog(mainWindow, QStringLiteral("Open Configuration File"),
                             [this](const QString &f) { return OpenDlgCanClose(f); });
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QString chosen = runFileDialog(dialog);
    if (chosen.isEmpty())
        return;
    saveAndCloseOpenSet();
    SelectConfigFile(chosen, false);
    if (!LoadConfigFile() && !terminated)
        ShowMessageBox(mainWindow, QStringLiteral("There are errors in configuration file ") + chosen,
                       QStringLiteral("File Load Failure"), MsgType::Error, mbOK);
}

void TAppControlModule::fileSaveNow()
{
    QString error;
    if (!SaveConfigFile(&error) && !ConfigFileName.isEmpty())
        reportSaveFailure(ConfigFileName, error);
}

void TAppControlModule::AutoSaveTimerTimer()
{
    QString error;
    if (!SaveConfigFile(&error) && !ConfigFileName.isEmpty() && mainWindow)
        mainWindow->SetStatusText(
            QStringLiteral("Can not save configuration file %1: %2").arg(ConfigFileName, error));
}

bool TAppControlModule::SaveDlgCanClose(const QString &fileName)
{
    const QString path = ExpandConfigName(fileName, QString());
    if (path.compare(ConfigFileName, Qt::CaseInsensitive) == 0)
        return true;
    // A new set may not differ from one beside it only in letter case either.
    const QFileInfo info(path);
    if (QFileInfo::exists(path)
        || (HasSetExtension(path) && ConfigNameExists(info.absolutePath(), info.completeBaseName()))) {
        ShowMessageBox(nullptr,
                       QStringLiteral("The file %1\nis pointing to existing configuration.\n"
                                      "To overwrite an existing configuration, first delete or rename it.")
                           .arg(path),
                       QString(), MsgType::Information, mbOK);
        return false;
    }
    if (!HasSetExtension(path)) {
        ShowMessageBox(nullptr, QStringLiteral("The file %1\nhas wrong extension").arg(path), QString(),
                       MsgType::Information, mbOK);
        return false;
    }
    return true;
}

void TAppControlModule::fileSaveAs()
{
    CheckedFileDialog dialog(mainWindow, QStringLiteral("Save Configuration File"),
                             [this](const QString &f) { return SaveDlgCanClose(f); });
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    const QString chosen = runFileDialog(dialog);
    if (chosen.isEmpty())
        return;
    const QString path = ExpandConfigName(chosen, QString());
    if (path.compare(ConfigFileName, Qt::CaseInsensitive) == 0) {
        fileSaveNow();
        return;
    }
    CreateConfigFile(path, true);
}

void TAppControlModule::fileRename()
{
    if (ConfigFileName.isEmpty())
        return;
    QString folder = QFileInfo(ConfigFileName).absolutePath() + QLatin1Char('/');
    QString name = folder;
    if (!AskConfigName(name))
        return;
    const QString path = ExpandConfigName(name, folder);
    // The new file is written first; the old one goes only once the new one is safe.
    QString error;
    if (!WriteFileAtomically(path, WriteConfigSet(mainWindow), &error)) {
        reportSaveFailure(path, error);
        return;
    }
    const QString old = ConfigFileName;
    if (QFileInfo::exists(old) && !QFile::remove(old)) {
        QFile::remove(path);
        ShowMessageBox(mainWindow, QStringLiteral("Can not delete current configuration file ") + old,
                       QStringLiteral("File Delete Failure"), MsgType::Error, mbOK);
        return;
    }
    SelectConfigFile(path, true);
    UpdateCaption();
}

void TAppControlModule::fileDelete()
{
    if (ShowMessageBox(mainWindow, QStringLiteral("Deleting current configuration file.\nAre you sure?"),
                       QStringLiteral("Confirm Delete"), MsgType::Confirmation, mbYes | mbNo)
        != mrYes)
        return;
    const QString path = ConfigFileName;
    CloseConfigFile();
    if (QFileInfo::exists(path) && !QFile::remove(path))
        ShowMessageBox(mainWindow, QStringLiteral("Can not delete configuration file ") + path,
                       QStringLiteral("Deleting Failure"), MsgType::Warning, mbOK);
}

void TAppControlModule::SaveOnExit()
{
    if (terminated || ConfigFileName.isEmpty() || !FileSaveOnCloseAction->isChecked())
        return;
    QString error;
    if (!SaveConfigFile(&error))
        reportSaveFailure(ConfigFileName, error);
}

} // namespace mira
