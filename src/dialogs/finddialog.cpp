#include "dialogs/finddialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QVBoxLayout>

namespace mira {

FindDialog::FindDialog(QWidget *parent, FindFunction findFunction)
    : QDialog(parent), find(std::move(findFunction))
{
    setObjectName(QStringLiteral("findDialog"));
    setWindowTitle(QStringLiteral("Find"));
    setModal(false);
    edit = new QLineEdit(this);
    edit->setObjectName(QStringLiteral("findText"));
    matchCase = new QCheckBox(QStringLiteral("Match &case"), this);
    matchCase->setObjectName(QStringLiteral("matchCase"));
    result = new QLabel(this);
    result->setObjectName(QStringLiteral("findResult"));
    auto *next = new QPushButton(QStringLiteral("Find &Next"), this);
    next->setObjectName(QStringLiteral("findNext"));
    next->setDefault(true);
    auto *previous = new QPushButton(QStringLiteral("Find &Previous"), this);
    previous->setObjectName(QStringLiteral("findPrevious"));
    auto *close = new QPushButton(QStringLiteral("Close"), this);

    auto *row = new QHBoxLayout;
    row->addWidget(new QLabel(QStringLiteral("Fi&nd what:"), this));
    row->addWidget(edit, 1);
    auto *buttons = new QVBoxLayout;
    buttons->addWidget(next);
    buttons->addWidget(previous);
    buttons->addWidget(close);
    buttons->addStretch();
    auto *left = new QVBoxLayout;
    left->addLayout(row);
    left->addWidget(matchCase);
    left->addWidget(result);
    left->addStretch();
    auto *top = new QHBoxLayout(this);
    top->addLayout(left, 1);
    top->addLayout(buttons);

    connect(next, &QPushButton::clicked, this, [this] { findNext(false); });
    connect(previous, &QPushButton::clicked, this, [this] { findNext(true); });
    connect(close, &QPushButton::clicked, this, &QDialog::close);
    // Closing the dialog takes the highlight away with it.
    connect(this, &QDialog::finished, this, [this] {
        lastText.clear();
        if (find)
            find(QString(), false, false, nullptr);
    });
}

void FindDialog::findNext(bool backward)
{
    const QString text = edit->text();
    const bool caseSensitive = matchCase->isChecked();
    if (!find)
        return;
    // The engine keeps its search state per text; a change of case must restart it.
    if (caseSensitive != lastMatchCase && !lastText.isEmpty())
        find(QString(), false, false, nullptr);
    lastText = text;
    lastMatchCase = caseSensitive;
    if (text.isEmpty()) {
        result->clear();
        find(QString(), false, false, nullptr);
        return;
    }
    QPointer<QLabel> label = result;
    find(text, caseSensitive, backward, [label](int active, int count) {
        if (!label)
            return;
        label->setText(count == 0 ? QStringLiteral("Not found")
                                  : QStringLiteral("%1 of %2").arg(active).arg(count));
    });
}

QString FindDialog::resultText() const
{
    return result->text();
}

} // namespace mira
