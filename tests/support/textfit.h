#pragma once
// Whether the texts of a window's controls show in full.
#include <QString>
#include <QStringList>

class QWidget;

namespace mira::test {

// Every shown label, check box and button of the window whose text does not fit its
// control (a word-wrapped label by the height of its wrapped text), every one whose
// text a sibling covers, and every one that reaches past a widget it sits in; each as "class
// 'text': why". Empty when all text shows in full.
QStringList ClippedTexts(QWidget *window);

// Saves the window as a picture into the folder MIRA_DIALOG_SHOTS names, if any.
void SaveShot(QWidget *window, const QString &name);

} // namespace mira::test
