#pragma once
// The dialog of Set Lock Key...: the new key typed twice.
#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace mira {

class TKeyForm : public QDialog {
    Q_OBJECT
public:
    // setName: the open set's name, for the caption.
    explicit TKeyForm(const QString &setName, QWidget *parent = nullptr);

    QLabel *imKey;
    QLabel *txKey;
    QLineEdit *edKey;
    QLabel *txVerify;
    QLineEdit *edVerify;
    QPushButton *btnOK;
    QPushButton *btnCancel;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // OK only while both edits hold the same key text.
    void editChange();
};

} // namespace mira
