#pragma once
// The classes the set file reader can create by name, each with its ordered table
// of stored properties.
#include <QList>
#include <QString>
#include <functional>
#include <optional>

#include "setfile/setsyntax.h"

class QWidget;
class QObject;

namespace mira {

struct PropertyDef {
    QString name;
    // The value to write, or nothing when the property is not written.
    std::function<std::optional<setfile::Value>(QWidget *)> write;
    // Applies a value read from a set. Returns an empty text, or the reason of the
    // fault ("Invalid property value", "Width property out of range", ...).
    std::function<QString(QWidget *, const setfile::Value &)> read;
};

struct ClassDef {
    QString name;
    std::function<QWidget *(QObject *owner)> create;
    QList<PropertyDef> properties;
    const PropertyDef *find(const QString &property) const;
};

class ClassRegistry {
public:
    void add(ClassDef def);
    const ClassDef *find(const QString &className) const;
    QStringList names() const;

private:
    QList<ClassDef> defs;
};

// TPan, TPage, TBook, TSplit and TText.
void RegisterLayoutClasses(ClassRegistry &registry);

// Building blocks for property tables.
namespace props {
// Integer value in [lo, hi]; the reason on failure names the property.
QString readInt(const setfile::Value &v, const QString &name, qint64 lo, qint64 hi, int &out);
QString readIdent(const setfile::Value &v, QString &out);
QString readString(const setfile::Value &v, QString &out);
// Left, Top, Width, Height (always written) and Align (written when not alNone).
QList<PropertyDef> bounds();
PropertyDef align(bool writeLeftDefault = false);
} // namespace props

} // namespace mira
