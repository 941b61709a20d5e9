// The set-file commands: naming, finding, opening and saving sets.
#include "app/setcommands.h"

#include <QAction>
#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QThread>
#include <QTimer>

#include "app/baseform.h"
#include "app/configfiles.h"
#include "app/formstream.h"
#include "app/programvalues.h"
#include "app/setfilecheck.h"
#include "app/setsfolder.h"
#include "dialogs/messagebox.h"
#include "layout/align.h"
#include "layout/pan.h"
#include "layout/setstream.h"

namespace mira {
namespace {

const QString kFilter = QStringLiteral("Configuration Set files (*.set)");

// The file dialogs open where the sets are: the working folder for a program beside
// its sets, the sets folder for an installed one (started from the desktop, it works
// in the home folder).
QString dialogFolder()
{
    return SetsFolderInUse().apart ? programValues().programFolder : QDir::currentPath();
}

// A file dialog that stays open until its check accepts the chosen file.
class CheckedFileDialog : public QFileDialog {
public:
    CheckedFileDialog(QWidget *parent, const QString &title,
                      std::function<bool(const QString &)> accepts)
        : QFileDialog(parent, title, dialogFolder(), kFilter), check(std::move(accepts))
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
        // A folder (typed, "..", or selected) is entered by the dialog itself;
        // only a file is ours to check.
        const QString c = chosen();
        if ((!c.isEmpty() && QFileInfo(c).isDir()) || check(c))
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

ConfigSetCommands::ConfigSetCommands(const SetActions &fileActions,
                                     std::function<TBaseForm *()> mainWindowOf,
                                     const ClassRegistry &registry, SetStateHooks stateHooks)
    : actions(fileActions),
      mainWindow(std::move(mainWindowOf)),
      classes(registry),
      hooks(std::move(stateHooks))
{
    connectHandlers();
}

void ConfigSetCommands::connectHandlers()
{
    connect(actions.newSet, &QAction::triggered, this, &ConfigSetCommands::fileNew);
    connect(actions.open, &QAction::triggered, this, &ConfigSetCommands::fileLoad);
    connect(actions.saveNow, &QAction::triggered, this, &ConfigSetCommands::fileSaveNow);
    connect(actions.saveCopyAs, &QAction::triggered, this, &ConfigSetCommands::fileSaveAs);
    connect(actions.rename, &QAction::triggered, this, &ConfigSetCommands::fileRename);
    connect(actions.deleteSet, &QAction::triggered, this, &ConfigSetCommands::fileDelete);
    connect(actions.autoSaveTimer, &QTimer::timeout, this, &ConfigSetCommands::AutoSaveTimerTimer);
    connect(actions.saveOnClose, &QAction::triggered, this,
            [this](bool checked) { hooks.setProgramFlag(pfNoSaveOnClose, !checked); });
    connect(actions.autoSave, &QAction::triggered, this, [this](bool checked) {
        hooks.setProgramFlag(pfAutoSave, checked);
        if (checked)
            actions.autoSaveTimer->start(600000);
        else
            actions.autoSaveTimer->stop();
    });
}

bool ConfigSetCommands::IsSetOpen() const
{
    return !ConfigFileName.isEmpty() && mainWindow() && mainWindow()->RootContainer();
}

QString ConfigSetCommands::ConfigName() const
{
    return ConfigFileName.isEmpty() ? QString() : QFileInfo(ConfigFileName).completeBaseName();
}

namespace {

QByteArray digestOf(const QByteArray &data)
{
    return QCryptographicHash::hash(data, QCryptographicHash::Sha256);
}

} // namespace

void ConfigSetCommands::SelectConfigFile(const QString &name, bool forced)
{
    knownDigest.clear();
    ConfigFileName = FindConfigFile(ExpandConfigName(name, QString()), forced);
}

bool ConfigSetCommands::OpenAtStart(const QStringList &arguments)
{
    SelectConfigFile(arguments.isEmpty() ? QString() : arguments.constFirst(), false);
    return LoadConfigFile();
}

bool ConfigSetCommands::LoadConfigFile()
{
    if (ConfigFileName.isEmpty() || !QFileInfo(ConfigFileName).isFile() || !mainWindow()) {
        CloseConfigFile();
        return false;
    }
    QString error;
    QFile file(ConfigFileName);
    if (!file.open(QIODevice::ReadOnly)) {
        error = file.errorString();
    } else {
        const QByteArray data = file.readAll();
        error = ReadConfigSet(*mainWindow(), classes, data);
        knownDigest = digestOf(data);
    }
    if (!error.isEmpty()) {
        ShowMessageBox(nullptr,
                       QStringLiteral("Catastrophic error on reading configuration file set\n")
                           + ConfigFileName + QStringLiteral(" :\n\n") + error
                           + QStringLiteral("\n\nPlease, fix the file or delete it.\n")
                           + QStringLiteral("Application will terminate immediately."),
                       QStringLiteral("Mira"), MsgType::Error, mbOK);
        // The program ends; nothing is saved and the file stays as it is.
        terminated = true;
        mainWindow()->close();
        // At start no loop runs yet: the caller sees Terminated() instead. Quitting
        // without a loop would make every later local loop return at once.
        if (QThread::currentThread()->loopLevel() > 0)
            QCoreApplication::exit(1);
        return false;
    }
    mainWindow()->setObjectName(QString());
    hooks.updateConfigState(true);
    return true;
}

void ConfigSetCommands::CloseConfigFile()
{
    ConfigFileName.clear();
    if (mainWindow())
        mainWindow()->SetTag(0);
    hooks.updateConfigState(false);
}

bool ConfigSetCommands::SaveConfigFile()
{
    return SaveConfigFile(nullptr);
}

bool ConfigSetCommands::SaveConfigFile(QString *error)
{
    return writeOpenSet(error, true);
}

bool ConfigSetCommands::changedOnDisk() const
{
    if (knownDigest.isEmpty())
        return false;
    // A missing or unreadable file is no change of content: the write recreates it
    // or says why it cannot.
    QFile file(ConfigFileName);
    if (!QFileInfo(ConfigFileName).isFile() || !file.open(QIODevice::ReadOnly))
        return false;
    return digestOf(file.readAll()) != knownDigest;
}

bool ConfigSetCommands::writeOpenSet(QString *error, bool ask)
{
    if (ConfigFileName.isEmpty() || !mainWindow())
        return false;
    if (changedOnDisk()) {
        // Someone edited the set by hand or another copy saved it: their version is
        // not overwritten behind their back.
        if (!ask) {
            if (error)
                *error = QStringLiteral("it was changed by another program since Mira read it");
            return false;
        }
        if (ShowMessageBox(mainWindow(),
                           QStringLiteral("The configuration file %1\nwas changed by another "
                                          "program since Mira read it.\n\nReplace it with the "
                                          "layout shown now?")
                               .arg(ConfigFileName),
                           QStringLiteral("File Changed"), MsgType::Confirmation, mbYes | mbNo)
            != mrYes)
            return true; // kept as the other program left it; asked again at the next save
    }
    const bool missing = !knownDigest.isEmpty() && !QFileInfo::exists(ConfigFileName);
    const QByteArray data = WriteConfigSet(*mainWindow(), classes);
    if (!WriteFileAtomically(ConfigFileName, data, error))
        return false;
    knownDigest = digestOf(data);
    if (missing)
        mainWindow()->SetStatusText(
            QStringLiteral("The configuration file %1 was gone and is written again")
                .arg(ConfigFileName));
    return true;
}

void ConfigSetCommands::reportSaveFailure(const QString &path, const QString &reason)
{
    ShowMessageBox(mainWindow(),
                   QStringLiteral("Can not save configuration file %1\n%2").arg(path, reason),
                   QStringLiteral("File Save Failure"), MsgType::Error, mbOK);
}

void ConfigSetCommands::saveAndCloseOpenSet()
{
    // A layout left without a file (its Save Copy As..., Rename or New could not
    // write) goes too, so the next set is the only root container.
    if (ConfigFileName.isEmpty() && !(mainWindow() && mainWindow()->RootContainer()))
        return;
    SaveOnExit();
    CloseConfigFile();
}

bool ConfigSetCommands::CreateConfigFile(const QString &path, bool copy)
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
        hooks.updateCaption();
    } else if (mainWindow()) {
        auto *root = new TPan(mainWindow());
        StoreAlign(root, TAlign::alClient);
        PutInto(root, mainWindow()->ClientArea());
        AlignControls(mainWindow()->ClientArea());
        hooks.updateConfigState(true);
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

bool ConfigSetCommands::AskConfigName(QString &text)
{
    const bool rename = !text.isEmpty();
    const QString caption = rename ? QStringLiteral("Renaming Configuration")
                                   : QStringLiteral("New Configuration");
    const QString prompt = rename ? QStringLiteral("Enter new name")
                                  : QStringLiteral("Enter name for new configuration");
    const QString folder = rename ? text : programValues().programFolder;
    text.clear();
    for (;;) {
        if (!ShowInputBox(mainWindow(), 0, 0, 0, text, prompt, caption))
            return false;
        QString refusal;
        if (text.isEmpty())
            refusal = QStringLiteral("Name can not be empty.");
        else if (!IsValidConfigName(text))
            refusal = QStringLiteral(
                "Only English alphanumeric characters, dash and underscore are allowed.");
        else if (ConfigNameExists(folder, text))
            refusal = QStringLiteral("File with that name already exists.");
        if (refusal.isEmpty())
            return true;
        ShowMessageBox(mainWindow(), refusal, caption, MsgType::Information, mbOK);
    }
}

void ConfigSetCommands::fileNew()
{
    QString name;
    if (AskConfigName(name))
        CreateConfigFile(ExpandConfigName(name, QString()), false);
}

bool ConfigSetCommands::OpenDlgCanClose(const QString &fileName)
{
    const QString path = ExpandConfigName(fileName, QString());
    if (path.compare(ConfigFileName, Qt::CaseInsensitive) == 0) {
        ShowMessageBox(nullptr, QStringLiteral("The file %1 is already open.").arg(path), QString(),
                       MsgType::Information, mbOK);
        return false;
    }
    return IsConfigFile(path, true);
}

void ConfigSetCommands::fileLoad()
{
    CheckedFileDialog dialog(mainWindow(), QStringLiteral("Open Configuration File"),
                             [this](const QString &f) { return OpenDlgCanClose(f); });
    dialog.setFileMode(QFileDialog::ExistingFile);
    dialog.setAcceptMode(QFileDialog::AcceptOpen);
    const QString chosen = runFileDialog(dialog);
    if (chosen.isEmpty())
        return;
    saveAndCloseOpenSet();
    SelectConfigFile(chosen, false);
    if (!LoadConfigFile() && !terminated)
        ShowMessageBox(mainWindow(),
                       QStringLiteral("There are errors in configuration file ") + chosen,
                       QStringLiteral("File Load Failure"), MsgType::Error, mbOK);
}

void ConfigSetCommands::fileSaveNow()
{
    QString error;
    if (!SaveConfigFile(&error) && !ConfigFileName.isEmpty())
        reportSaveFailure(ConfigFileName, error);
}

void ConfigSetCommands::AutoSaveTimerTimer()
{
    // A wall left alone writes nothing while its layout is the one on disk: no write
    // (and no flush to the disk) every ten minutes for days.
    if (mainWindow() && !knownDigest.isEmpty() && QFileInfo(ConfigFileName).isFile()
        && digestOf(WriteConfigSet(*mainWindow(), classes)) == knownDigest && !changedOnDisk())
        return;
    QString error;
    if (!writeOpenSet(&error, false) && !ConfigFileName.isEmpty() && mainWindow())
        mainWindow()->SetStatusText(
            QStringLiteral("Can not save configuration file %1: %2").arg(ConfigFileName, error));
}

bool ConfigSetCommands::SaveDlgCanClose(const QString &fileName)
{
    const QString path = ExpandConfigName(fileName, QString());
    if (path.compare(ConfigFileName, Qt::CaseInsensitive) == 0)
        return true;
    // A new set may not differ from one beside it only in letter case either.
    const QFileInfo info(path);
    if (QFileInfo::exists(path)
        || (HasSetExtension(path)
            && ConfigNameExists(info.absolutePath(), info.completeBaseName()))) {
        ShowMessageBox(nullptr,
                       QStringLiteral(
                           "The file %1\nis pointing to existing configuration.\n"
                           "To overwrite an existing configuration, first delete or rename it.")
                           .arg(path),
                       QString(), MsgType::Information, mbOK);
        return false;
    }
    if (!HasSetExtension(path)) {
        ShowMessageBox(nullptr, QStringLiteral("The file %1\nhas wrong extension").arg(path),
                       QString(), MsgType::Information, mbOK);
        return false;
    }
    return true;
}

void ConfigSetCommands::fileSaveAs()
{
    CheckedFileDialog dialog(mainWindow(), QStringLiteral("Save Configuration File"),
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

void ConfigSetCommands::fileRename()
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
    const QByteArray data = WriteConfigSet(*mainWindow(), classes);
    if (!WriteFileAtomically(path, data, &error)) {
        reportSaveFailure(path, error);
        return;
    }
    const QString old = ConfigFileName;
    if (QFileInfo::exists(old) && !QFile::remove(old)) {
        QFile::remove(path);
        ShowMessageBox(mainWindow(),
                       QStringLiteral("Can not delete current configuration file ") + old,
                       QStringLiteral("File Delete Failure"), MsgType::Error, mbOK);
        return;
    }
    SelectConfigFile(path, true);
    knownDigest = digestOf(data);
    hooks.updateCaption();
}

void ConfigSetCommands::fileDelete()
{
    if (ShowMessageBox(mainWindow(),
                       QStringLiteral("Deleting current configuration file.\nAre you sure?"),
                       QStringLiteral("Confirm Delete"), MsgType::Confirmation, mbYes | mbNo)
        != mrYes)
        return;
    const QString path = ConfigFileName;
    CloseConfigFile();
    if (QFileInfo::exists(path) && !QFile::remove(path))
        ShowMessageBox(mainWindow(), QStringLiteral("Can not delete configuration file ") + path,
                       QStringLiteral("Deleting Failure"), MsgType::Warning, mbOK);
}

void ConfigSetCommands::SaveOnExit()
{
    if (terminated || ConfigFileName.isEmpty() || !actions.saveOnClose->isChecked())
        return;
    QString error;
    if (!SaveConfigFile(&error))
        reportSaveFailure(ConfigFileName, error);
}

} // namespace mira
