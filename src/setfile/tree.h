#pragma once
// The neutral tree a set file's text stands for: objects with properties and
// children, and the values properties take. Knows nothing of components.
#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <optional>

namespace mira::setfile {

struct Item;

struct Value {
    enum class Kind { Integer, Float, String, Ident, Set, List, Collection, Binary };
    Kind kind = Kind::Integer;
    qint64 integer = 0; // Integer
    double number = 0;  // Float
    QString text;       // String (decoded), Ident (as written)
    QStringList set;    // Set members, in order
    QList<Value> list;  // List elements
    QList<Item> items;  // Collection items
    QByteArray binary;  // Binary bytes
    int line = 0;       // line where the value starts (1-based)

    static Value fromInt(qint64 v);
    static Value fromFloat(double v);
    static Value fromString(const QString &s);
    static Value fromIdent(const QString &id);
    static Value fromSet(const QStringList &members);
    static Value fromItems(const QList<Item> &items);
    static Value fromBinary(const QByteArray &bytes);
    static Value fromList(const QList<Value> &elements);
    bool operator==(const Value &o) const; // ignores line
};

struct Property {
    QString name; // may be dotted, e.g. Constraints.MinHeight
    Value value;
    int line = 0;
    bool operator==(const Property &o) const { return name == o.name && value == o.value; }
};

struct Item {
    QList<Property> properties;
    int line = 0;
    bool operator==(const Item &o) const { return properties == o.properties; }
};

struct Object {
    QString keyword = QStringLiteral("object"); // object, inherited or inline (lower case)
    QString name;                               // component name before ':' (empty when none)
    QString className;
    std::optional<qint64> position; // "[n]" after the class name
    QList<Property> properties;
    QList<Object> children;
    int line = 0;
    bool operator==(const Object &o) const; // ignores line
};

} // namespace mira::setfile
