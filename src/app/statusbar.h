#pragma once
#include <QStatusBar>

class QLabel;

namespace mira {

class TBaseForm;

// Three panels: the online state (owner-drawn), the dialog mode (owner-drawn) and
// the hint or last engine message (text, stretching to the right end).
class MainStatusBar : public QStatusBar {
    Q_OBJECT
public:
    explicit MainStatusBar(TBaseForm *form);

    void SetPanelText(const QString &text);
    QString PanelText() const;
    void RepaintPanels();

    // The panels as drawn, for checks and screenshots.
    QWidget *Panel(int index) const;

Q_SIGNALS:
    // The text panel changed (hints, engine messages, page status texts).
    void PanelTextChanged(const QString &text);

protected:
    void contextMenuEvent(QContextMenuEvent *event) override;

private:
    TBaseForm *form;
    QWidget *online;
    QWidget *mode;
    QLabel *text;
};

} // namespace mira
