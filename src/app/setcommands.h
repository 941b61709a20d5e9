#pragma once
// The set-file commands: naming, finding, opening, saving, copying, renaming and
// deleting the open set, and the file name of that set.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <QStringList>
#include <functional>

#include "app/programflags.h"

class QAction;
class QTimer;

namespace mira {

class ClassRegistry;
class TBaseForm;

// The actions of the File menu the commands answer, and the auto-save timer.
struct SetActions {
    QAction *newSet = nullptr;
    QAction *open = nullptr;
    QAction *saveNow = nullptr;
    QAction *saveOnClose = nullptr;
    QAction *autoSave = nullptr;
    QAction *saveCopyAs = nullptr;
    QAction *rename = nullptr;
    QAction *deleteSet = nullptr;
    QTimer *autoSaveTimer = nullptr;
};

// What the commands ask of the program's flags and the menus that follow them.
struct SetStateHooks {
    // A set was opened (true) or closed (false): every option follows.
    std::function<void(bool open)> updateConfigState;
    // The open set's name changed: the caption follows.
    std::function<void()> updateCaption;
    // Sets (on) or clears the flags.
    std::function<void(ProgramFlags flags, bool on)> setProgramFlag;
};

class ConfigSetCommands : public QObject {
    Q_OBJECT
public:
    ConfigSetCommands(const SetActions &actions, std::function<TBaseForm *()> mainWindow,
                      const ClassRegistry &classes, SetStateHooks hooks);

    // Full path of the open set; empty when none is open.
    QString ConfigFileName;

    // Selecting, loading, closing, saving, creating.
    void SelectConfigFile(const QString &name, bool forced);
    bool LoadConfigFile();
    void CloseConfigFile();
    bool SaveConfigFile();
    // Like SaveConfigFile, with the system's reason when the file could not be written.
    bool SaveConfigFile(QString *error);
    bool CreateConfigFile(const QString &path, bool copy);
    bool AskConfigName(QString &text);
    QString ConfigName() const;
    bool IsSetOpen() const;
    // The start-up choice: the first command-line parameter, or the most recent set.
    bool OpenAtStart(const QStringList &arguments);
    // Dialog checks of Open... and Save Copy As...
    bool OpenDlgCanClose(const QString &fileName);
    bool SaveDlgCanClose(const QString &fileName);
    // The save on exit and before another set opens (when Save On Close is
    // checked); reports a failure.
    void SaveOnExit();
    // The auto-save tick: saves the open set; a failure goes to the status bar.
    void AutoSaveTimerTimer();
    // After a catastrophic load: the program ends without saving anything.
    bool Terminated() const { return terminated; }

private:
    void connectHandlers();
    void reportSaveFailure(const QString &path, const QString &reason);
    // Writes the open set; a file another program changed since it was read or
    // written here is replaced only when the user agrees (ask) or never (!ask).
    bool writeOpenSet(QString *error, bool ask);
    bool changedOnDisk() const;
    // Saves the open set when Save On Close is checked, then closes it.
    void saveAndCloseOpenSet();
    void fileNew();
    void fileLoad();
    void fileSaveNow();
    void fileSaveAs();
    void fileRename();
    void fileDelete();

    SetActions actions;
    std::function<TBaseForm *()> mainWindow;
    const ClassRegistry &classes;
    SetStateHooks hooks;
    bool terminated = false;
    // Digest of the open set's file as last read or written here; empty when the
    // file's content is not known (it is then written without a check).
    QByteArray knownDigest;
};

} // namespace mira
