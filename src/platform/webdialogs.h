#pragma once
// The web control's own dialogs: the non-modal Find dialog and the boxes it shows
// for pages when the host leaves a message to it. Every modal run goes through
// RunModal.
#include <QDialog>
#include <functional>

#include "platform/webcontrol.h"

class QCheckBox;
class QLabel;
class QLineEdit;

namespace mira::platform {

class FindDialog : public QDialog {
    Q_OBJECT
public:
    // Reports the active match (1-based) and the number of matches; 0 of 0 when none.
    using ResultCallback = std::function<void(int active, int count)>;
    // Searches the page; an empty text clears the highlight.
    using FindFunction = std::function<void(const QString &text, bool matchCase, bool backward,
                                            ResultCallback done)>;

    FindDialog(QWidget *parent, FindFunction find);

    void findNext(bool backward = false);
    QString resultText() const;

private:
    FindFunction find;
    QLineEdit *edit = nullptr;
    QCheckBox *matchCase = nullptr;
    QLabel *result = nullptr;
    QString lastText;
    bool lastMatchCase = false;
};

// The control's own box for a page message; returns the result and fills the value
// of a prompt.
int ShowOwnMessage(QWidget *owner, WebMessage &message);

// Asks for a user name and password; false when cancelled.
bool AskCredentials(QWidget *owner, const QString &site, QString *user, QString *password);

} // namespace mira::platform
