#pragma once
// Sets read into and written from the main window, through its module's classes.
#include <QByteArray>
#include <QString>

#include "setfile/setsyntax.h"

namespace mira {

class TBaseForm;

QByteArray WriteConfigSet(TBaseForm *form);
QString ReadConfigSet(TBaseForm *form, const QByteArray &text);
QString StreamIn(TBaseForm *form, const setfile::Object &root);

} // namespace mira
