#pragma once
// The about box: the program's version table, the engine's and the system's
// versions, two links, and four built-in texts that show while the mouse rests on
// their titles.
#include <QDialog>
#include <QLabel>
#include <QList>
#include <QPair>
#include <functional>

class QTextEdit;

namespace mira {

// A transparent label that tells when the mouse enters or leaves it. Tag 1 marks
// a link, which tells clicks too; a plain label passes clicks on to the dialog.
class AboutText : public QLabel {
    Q_OBJECT
public:
    // At x, y: sized to its text, or w by h and word-wrapped.
    AboutText(const QString &text, QWidget *parent, int x, int y, int w = 0, int h = 0);
    int Tag = 0;
    bool Plain = true;

Q_SIGNALS:
    void Entered();
    void Left();
    void Clicked();

protected:
    void enterEvent(QEnterEvent *event) override;
    void leaveEvent(QEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
};

class TAboutForm : public QDialog {
    Q_OBJECT
public:
    // Filled from the compiled version table, the engine and the system.
    explicit TAboutForm(QWidget *parent = nullptr);
    // Filled from table instead (empty: a program without version information).
    TAboutForm(const QList<QPair<QString, QString>> &table, QWidget *parent);

    // Opens a link's address, false when nothing could open it; the desktop's
    // default handler unless replaced.
    std::function<bool(const QString &)> OpenLink;

    AboutText *txProductName, *txVersion, *txBuild, *txStatus, *txVersionInfo, *txMira, *txHints,
        *txIssues, *txIE, *txWin, *txHome, *txMail;
    QTextEdit *meVersion, *meMira, *meHints, *meIssues;

protected:
    void mousePressEvent(QMouseEvent *event) override;

private:
    // The texts and pictures only the box itself reaches.
    AboutText *txStarted, *txContinued, *txLocation, *txSeeSign, *txMailSign, *txCopyright;
    QLabel *imBackground, *imAuthor;

    // Hides the four text boxes.
    void HideBoxes();
    void build();
    // A link nothing opens says so.
    void openLink(const QString &address);
    void fill(const QList<QPair<QString, QString>> &table);
    void textMouseEnter(AboutText *label);
    void textMouseLeave(AboutText *label);
    void connectTitle(AboutText *title, QTextEdit *box);
    void connectLink(AboutText *link);
};

// Shows the about box modally, centred over the main window.
void ShowAboutBox(QWidget *mainWindow);

} // namespace mira
