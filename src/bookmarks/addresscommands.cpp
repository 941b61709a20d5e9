#include "bookmarks/addresscommands.h"

#include <QLineEdit>

#include "bookmarks/urlcombo.h"
#include "dialogs/messagebox.h"

namespace mira {
namespace {

const QString kScriptLinkPrefix = QStringLiteral("javascript:navigateClose(\"");
constexpr int kScriptLinkTail = 2; // the closing quotation mark and parenthesis

// Replaces the whole text as one edit the box can undo, with the change never
// taken for a choice of the user.
void replaceText(TURLCombo &combo, const QString &text)
{
    QLineEdit *edit = combo.lineEdit();
    combo.SetSkipChange(true);
    edit->selectAll();
    edit->insert(text);
    combo.SetSkipChange(false);
}

} // namespace

QString PastedAddress(const QString &text)
{
    if (!text.startsWith(kScriptLinkPrefix))
        return text;
    const qsizetype length = text.size() - kScriptLinkPrefix.size() - kScriptLinkTail;
    return length > 0 ? text.mid(kScriptLinkPrefix.size(), length) : QString();
}

void CutAddress(TURLCombo &combo)
{
    QLineEdit *edit = combo.lineEdit();
    combo.SetSkipChange(true);
    edit->selectAll();
    edit->cut();
    combo.SetSkipChange(false);
}

void CopyAddress(TURLCombo &combo)
{
    QLineEdit *edit = combo.lineEdit();
    edit->selectAll();
    edit->copy();
    edit->deselect();
}

void PasteAddress(TURLCombo &combo)
{
    QLineEdit *edit = combo.lineEdit();
    combo.SetSkipChange(true);
    edit->selectAll();
    edit->paste();
    combo.SetSkipChange(false);
    const QString text = edit->text();
    const QString address = PastedAddress(text);
    if (address != text)
        replaceText(combo, address);
    edit->end(false);
}

void DeleteAddress(TURLCombo &combo)
{
    QLineEdit *edit = combo.lineEdit();
    combo.SetSkipChange(true);
    edit->selectAll();
    edit->del();
    combo.SetSkipChange(false);
}

void UndoAddress(TURLCombo &combo)
{
    combo.SetSkipChange(true);
    combo.UndoEdit();
    combo.SetSkipChange(false);
}

bool CanUndoAddress(const TURLCombo &combo)
{
    return combo.lineEdit() && combo.lineEdit()->isUndoAvailable();
}

void EditAddress(TURLCombo &combo)
{
    QString text = combo.currentText();
    if (ShowInputBox(&combo, 594, 0, 0, text, QString(), QStringLiteral("Address Editing")))
        replaceText(combo, text);
}

} // namespace mira
