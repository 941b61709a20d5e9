#pragma once
// The File commands: the set-file commands (New, Open..., the saves, Rename,
// Delete), the set's options on the File menu (Go All On Open, Start With Desktop,
// Full Screen, Separate Processes), the auto-save timer and the window caption, and
// how everything follows a set that opens or closes.
#include <QObject>
#include <QString>
#include <QTimer>
#include <memory>

class QAction;

namespace mira {

class ConfigSetCommands;
class TAppControlModule;

class FileCommands : public QObject {
    Q_OBJECT
public:
    explicit FileCommands(TAppControlModule &module);
    ~FileCommands() override;

    // The set-file commands and the open set's file name.
    ConfigSetCommands &Sets() const { return *sets; }

    // A set was opened or closed: the caption, every option and menu follow it.
    void UpdateConfigState(bool open);

    // The application title (taskbar text) and the caption rules.
    static QString MakeCaption(const QString &configFileName);
    QString ApplicationTitle() const { return applicationTitle; }
    void UpdateCaption();

    void UpdateAutoSave();
    void UpdateSaveOnClose();
    void UpdateGoAllOnOpen();
    QTimer &AutoSaveTimer() { return autoSaveTimer; }

    QAction *StartWithDesktopAction() const { return startWithDesktop; }
    QAction *FullScreenAction() const { return fullScreen; }
    QAction *SeparateProcessesAction() const { return separateProcesses; }
    // Full screen for this run only (mira --full-screen): the set's flag is untouched.
    bool FullScreenForced() const { return fullScreenForced; }
    void SetFullScreenForced(bool on) { fullScreenForced = on; }

Q_SIGNALS:
    // A set was opened or closed (UpdateConfigState ran).
    void SetStateChanged();

private:
    TAppControlModule &module;
    QAction *saveNow, *saveOnClose, *autoSave, *saveCopyAs, *rename, *deleteSet, *goAllOnOpen,
        *startWithDesktop, *fullScreen, *separateProcesses;
    QTimer autoSaveTimer;
    std::unique_ptr<ConfigSetCommands> sets;
    QString applicationTitle = QStringLiteral("Mira");
    bool fullScreenForced = false;
};

} // namespace mira
