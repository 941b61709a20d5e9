#pragma once
// Text object notation of set files: text <-> a neutral tree of objects and
// properties. Knows nothing of components; needs QtCore only.
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
    qint64 integer = 0;      // Integer
    double number = 0;       // Float
    QString text;            // String (decoded), Ident (as written)
    QStringList set;         // Set members, in order
    QList<Value> list;       // List elements
    QList<Item> items;       // Collection items
    QByteArray binary;       // Binary bytes
    int line = 0;            // line where the value starts (1-based)

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
    QString name;            // may be dotted, e.g. Constraints.MinHeight
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
    QString name;            // component name before ':' (empty when none)
    QString className;
    std::optional<qint64> position; // "[n]" after the class name
    QList<Property> properties;
    QList<Object> children;
    int line = 0;
    bool operator==(const Object &o) const; // ignores line
};

struct ParseError {
    QString message;         // full text, e.g. "Identifier expected on line 3"
    QString reason;          // e.g. "Identifier expected"
    int line = 0;
};

struct ParseResult {
    std::optional<Object> root;
    ParseError error;        // meaningful when root is empty
    bool ok() const { return root.has_value(); }
};

// Limits that keep hostile files from exhausting the program.
inline constexpr int kMaxNesting = 256;             // objects, items, lists together
inline constexpr qsizetype kMaxStringLength = 1 << 20; // characters of one string value
// Objects, properties, collection items and list elements of one file together: keeps
// the tree (up to ~190 bytes per element) within a few hundred MB whatever the input.
inline constexpr qsizetype kMaxElements = 1 << 21;

// Decodes file bytes: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString decodeSetText(const QByteArray &bytes);

// Parses the whole text of a set file (bytes as read from disk).
ParseResult parse(const QByteArray &bytes);

// Renders a tree as the writer does: CRLF line ends, two blanks per level,
// strings cut and #-coded, UTF-8 bytes for characters from 128 on.
QByteArray render(const Object &root);

// Renders one string value as it appears after "Name = " at the given nesting level
// of the property line (exposed for tests of the 64-character rules).
QByteArray renderString(const QString &s, int level);

} // namespace mira::setfile
