#pragma once
// Builds a set's neutral tree into a window's layout through the registered classes,
// and renders the live tree back into it.
#include <QByteArray>
#include <QString>

#include "setfile/setsyntax.h"

namespace mira {

class ClassRegistry;
class SetForm;

// Renders the window's layout tree as set file text.
QByteArray WriteConfigSet(SetForm &form, const ClassRegistry &classes);
setfile::Object StreamOut(SetForm &form, const ClassRegistry &classes);

// Parses text and builds it into the window, whose layout must be empty.
// Returns an empty text on success, else the fault's message; on a fault nothing
// stays created and the window's stored values are unchanged.
QString ReadConfigSet(SetForm &form, const ClassRegistry &classes, const QByteArray &text);
QString StreamIn(SetForm &form, const ClassRegistry &classes, const setfile::Object &root);

// Integer multiply then divide, rounded half away from zero.
int MulDiv(int number, int numerator, int denominator);

} // namespace mira
