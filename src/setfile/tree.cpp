#include "setfile/tree.h"

namespace mira::setfile {

Value Value::fromInt(qint64 v)
{
    Value r;
    r.kind = Kind::Integer;
    r.integer = v;
    return r;
}

Value Value::fromFloat(double v)
{
    Value r;
    r.kind = Kind::Float;
    r.number = v;
    return r;
}

Value Value::fromString(const QString &s)
{
    Value r;
    r.kind = Kind::String;
    r.text = s;
    return r;
}

Value Value::fromIdent(const QString &id)
{
    Value r;
    r.kind = Kind::Ident;
    r.text = id;
    return r;
}

Value Value::fromSet(const QStringList &members)
{
    Value r;
    r.kind = Kind::Set;
    r.set = members;
    return r;
}

Value Value::fromItems(const QList<Item> &items)
{
    Value r;
    r.kind = Kind::Collection;
    r.items = items;
    return r;
}

Value Value::fromBinary(const QByteArray &bytes)
{
    Value r;
    r.kind = Kind::Binary;
    r.binary = bytes;
    return r;
}

Value Value::fromList(const QList<Value> &elements)
{
    Value r;
    r.kind = Kind::List;
    r.list = elements;
    return r;
}

bool Value::operator==(const Value &o) const
{
    if (kind != o.kind)
        return false;
    switch (kind) {
    case Kind::Integer: return integer == o.integer;
    case Kind::Float: return number == o.number;
    case Kind::String:
    case Kind::Ident: return text == o.text;
    case Kind::Set: return set == o.set;
    case Kind::List: return list == o.list;
    case Kind::Collection: return items == o.items;
    case Kind::Binary: return binary == o.binary;
    }
    return false;
}

bool Object::operator==(const Object &o) const
{
    return keyword == o.keyword && name == o.name && className == o.className
           && position == o.position && properties == o.properties && children == o.children;
}

} // namespace mira::setfile
