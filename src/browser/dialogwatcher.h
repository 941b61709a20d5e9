#pragma once
// The dialog watcher: every window that takes the activation from the main window,
// and every dialog window of the engine before it is shown, gets the program's icon
// and its caption renamed; the engine's are answered or left to the user by the
// dialog mode, with their message in the status bar, and the engine's and the
// program's own dialogs of a known title are centred over the main window.
#include <QDialog>
#include <QObject>
#include <QPointer>
#include <QStringList>
#include <functional>

#include "browser/dialogmode.h"
#include "dialogs/pagedialogs.h"

class QWidget;

namespace mira {

class DialogWatcher : public QObject, public EngineDialogWatcher {
    Q_OBJECT
public:
    // What the watcher needs of the program.
    struct Context {
        std::function<DialogMode()> mode;
        std::function<void(const QString &)> setStatusText;
        // The control last pressed or typed in; the web view among them goes back a
        // page when its page asked to close the window.
        std::function<QWidget *()> lastControl;
    };

    // Watches mainWindow's activation and stands in as the engine's dialog watcher
    // while it lives.
    DialogWatcher(QWidget *mainWindow, Context context);
    ~DialogWatcher() override;

    // Runs the rules on a window. True when it was answered or closed.
    bool Watch(QWidget *window);
    // EngineDialogWatcher
    bool Answer(QDialog &dialog) override { return Watch(&dialog); }

    // The texts of a window's children, first to last, as the rules read them.
    static QStringList ChildTexts(QWidget *window, QList<QWidget *> *children = nullptr);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool dismiss(QWidget *window, const QString &caption);

    QPointer<QWidget> mainWindow;
    Context context;
    EngineDialogWatcher *previous = nullptr;
};

} // namespace mira
