#pragma once
// Clipboard editing of the address box's text. None of these navigates.
#include <QString>

namespace mira {

class TURLCombo;

// The address a pasted text stands for: a script link of the form
// javascript:navigateClose("address") gives the address it carries (the prefix and
// the last two characters go); any other text is kept as it is.
QString PastedAddress(const QString &text);

// Each acts on the whole text of the box.
void CutAddress(TURLCombo &combo);
void CopyAddress(TURLCombo &combo);
// The clipboard's text replaces the box text (through PastedAddress); the caret
// goes to the end.
void PasteAddress(TURLCombo &combo);
void DeleteAddress(TURLCombo &combo);
void UndoAddress(TURLCombo &combo);
bool CanUndoAddress(const TURLCombo &combo);
// The box text in a wide input box; OK replaces it.
void EditAddress(TURLCombo &combo);

} // namespace mira
