#pragma once
// Builds a set's neutral tree into the main window through the registered classes,
// and renders the live tree back into it.
#include <QByteArray>
#include <QString>

#include "setfile/setsyntax.h"

namespace mira {

class ClassRegistry;
class TBaseForm;

// Renders the main window's layout tree as set file text. Without a registry the
// main window's module supplies the classes.
QByteArray WriteConfigSet(TBaseForm *form);
QByteArray WriteConfigSet(TBaseForm *form, const ClassRegistry &classes);
setfile::Object StreamOut(TBaseForm *form);
setfile::Object StreamOut(TBaseForm *form, const ClassRegistry &classes);

// Parses text and builds it into the main window, whose layout must be empty.
// Returns an empty text on success, else the fault's message; on a fault nothing
// stays created and the main window's stored values are unchanged.
QString ReadConfigSet(TBaseForm *form, const QByteArray &text);
QString ReadConfigSet(TBaseForm *form, const ClassRegistry &classes, const QByteArray &text);
QString StreamIn(TBaseForm *form, const setfile::Object &root);
QString StreamIn(TBaseForm *form, const ClassRegistry &classes, const setfile::Object &root);

// Integer multiply then divide, rounded half away from zero.
int MulDiv(int number, int numerator, int denominator);

} // namespace mira
