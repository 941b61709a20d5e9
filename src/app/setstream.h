#pragma once
// Builds a set's neutral tree into the main window through the registered classes,
// and renders the live tree back into it.
#include <QByteArray>
#include <QString>

#include "setfile/setsyntax.h"

namespace mira {

class TBaseForm;

// Renders the main window's layout tree as set file text.
QByteArray WriteConfigSet(TBaseForm *form);
setfile::Object StreamOut(TBaseForm *form);

// Parses text and builds it into the main window, whose layout must be empty.
// Returns an empty text on success, else the fault's message; on a fault nothing
// stays created and the main window's stored values are unchanged.
QString ReadConfigSet(TBaseForm *form, const QByteArray &text);
QString StreamIn(TBaseForm *form, const setfile::Object &root);

// Integer multiply then divide, rounded half away from zero.
int MulDiv(int number, int numerator, int denominator);

} // namespace mira
