#include "app/formstream.h"

#include "app/appcontrol.h"
#include "app/baseform.h"
#include "layout/setstream.h"

namespace mira {

QByteArray WriteConfigSet(TBaseForm *form)
{
    return WriteConfigSet(*form, form->Module()->Classes());
}

QString ReadConfigSet(TBaseForm *form, const QByteArray &text)
{
    return ReadConfigSet(*form, form->Module()->Classes(), text);
}

QString StreamIn(TBaseForm *form, const setfile::Object &root)
{
    return StreamIn(*form, form->Module()->Classes(), root);
}

} // namespace mira
