#pragma once
// The application's message filter, beside the recording of the last control
// (LastControlTracker): keys meant for a page reach it while a web view has the
// focus, and every hint of the program goes to the status bar.
#include <QObject>
#include <functional>

namespace mira {

class MessageFilter : public QObject {
    Q_OBJECT
public:
    // showHint gets the long part of each hint (empty when the mouse leaves). Installs
    // itself on the application; removes itself when destroyed.
    explicit MessageFilter(std::function<void(const QString &)> showHint,
                           QObject *parent = nullptr);
    ~MessageFilter() override;

    // Keys a page takes for its own while it has the focus: Tab, Enter, Escape and
    // the edit keys. No shortcut of the program may take them from it.
    static bool IsPageKey(int key);
    // Whether the widget is (inside) a web view of a pane.
    static bool InWebView(const QObject *object);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    std::function<void(const QString &)> showHint;
};

} // namespace mira
