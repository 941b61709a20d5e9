#pragma once
// The non-modal Find dialog of a page: it searches through the function it is given,
// so it knows nothing of the engine.
#include <QDialog>
#include <functional>

class QCheckBox;
class QLabel;
class QLineEdit;

namespace mira {

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

} // namespace mira
