#include "layout/classregistry.h"

#include <QWidget>
#include <climits>

#include "layout/align.h"
#include "layout/book.h"
#include "layout/boundsatsize.h"
#include "layout/pagerotation.h"
#include "layout/pan.h"
#include "layout/split.h"
#include "layout/text.h"

namespace mira {

using setfile::Value;

const PropertyDef *ClassDef::find(const QString &property) const
{
    for (const PropertyDef &p : properties)
        if (p.name.compare(property, Qt::CaseInsensitive) == 0)
            return &p;
    return nullptr;
}

void ClassRegistry::add(ClassDef def)
{
    for (ClassDef &d : defs)
        if (d.name.compare(def.name, Qt::CaseInsensitive) == 0) {
            d = std::move(def);
            return;
        }
    defs.append(std::move(def));
}

const ClassDef *ClassRegistry::find(const QString &className) const
{
    for (const ClassDef &d : defs)
        if (d.name.compare(className, Qt::CaseInsensitive) == 0)
            return &d;
    return nullptr;
}

QStringList ClassRegistry::names() const
{
    QStringList result;
    for (const ClassDef &d : defs)
        result.append(d.name);
    return result;
}

namespace props {

const QString kInvalid = QStringLiteral("Invalid property value");

QString readInt(const Value &v, const QString &name, qint64 lo, qint64 hi, int &out)
{
    if (v.kind != Value::Kind::Integer)
        return kInvalid;
    if (v.integer < lo || v.integer > hi)
        return QStringLiteral("%1 property out of range").arg(name);
    out = int(v.integer);
    return {};
}

QString readIdent(const Value &v, QString &out)
{
    if (v.kind != Value::Kind::Ident)
        return kInvalid;
    out = v.text;
    return {};
}

QString readString(const Value &v, QString &out)
{
    if (v.kind != Value::Kind::String)
        return kInvalid;
    out = v.text;
    return {};
}

// Positions and sizes a set may carry; beyond them a file is damaged.
constexpr qint64 kMinPos = -32768;
constexpr qint64 kMaxPos = 32767;

QList<PropertyDef> bounds()
{
    auto make = [](const QString &name, auto get, auto set, qint64 lo) {
        PropertyDef p;
        p.name = name;
        p.write = [get](QWidget *w) -> std::optional<Value> { return Value::fromInt(get(w)); };
        p.read = [name, set, lo](QWidget *w, const Value &v) {
            int n = 0;
            QString err = readInt(v, name, lo, kMaxPos, n);
            if (err.isEmpty())
                set(w, n);
            return err;
        };
        return p;
    };
    return {
        make(
            QStringLiteral("Left"), [](QWidget *w) { return StoredBoundsOf(w).x(); },
            [](QWidget *w, int n) { w->move(n, w->y()); }, kMinPos),
        make(
            QStringLiteral("Top"), [](QWidget *w) { return StoredBoundsOf(w).y(); },
            [](QWidget *w, int n) { w->move(w->x(), n); }, kMinPos),
        make(
            QStringLiteral("Width"), [](QWidget *w) { return StoredBoundsOf(w).width(); },
            [](QWidget *w, int n) { w->resize(n, w->height()); }, 0),
        make(
            QStringLiteral("Height"), [](QWidget *w) { return StoredBoundsOf(w).height(); },
            [](QWidget *w, int n) { w->resize(w->width(), n); }, 0),
    };
}

PropertyDef align(bool splitter)
{
    PropertyDef p;
    p.name = QStringLiteral("Align");
    const TAlign def = splitter ? TAlign::alLeft : TAlign::alNone;
    p.write = [def](QWidget *w) -> std::optional<Value> {
        const TAlign a = AlignOf(w);
        if (a == def)
            return std::nullopt;
        return Value::fromIdent(AlignName(a));
    };
    p.read = [splitter](QWidget *w, const Value &v) {
        QString id;
        if (QString err = readIdent(v, id); !err.isEmpty())
            return err;
        const std::optional<TAlign> a = AlignFromName(id);
        if (!a)
            return kInvalid;
        if (splitter)
            static_cast<TSplit *>(w)->SetAlign(*a);
        else
            StoreAlign(w, *a);
        return QString();
    };
    return p;
}

} // namespace props

void RegisterLayoutClasses(ClassRegistry &registry)
{
    {
        ClassDef d;
        d.name = QStringLiteral("TPan");
        d.create = [](QObject *owner) -> QWidget * { return new TPan(owner); };
        d.properties = props::bounds();
        d.properties.append(props::align());
        registry.add(d);
    }
    {
        ClassDef d;
        d.name = QStringLiteral("TSplit");
        d.create = [](QObject *owner) -> QWidget * { return new TSplit(owner); };
        d.properties = props::bounds();
        d.properties.append(props::align(true));
        PropertyDef minSize;
        minSize.name = QStringLiteral("MinSize");
        minSize.write = [](QWidget *w) -> std::optional<Value> {
            const int m = static_cast<TSplit *>(w)->MinSize();
            return m == 149 ? std::nullopt : std::optional<Value>(Value::fromInt(m));
        };
        minSize.read = [](QWidget *w, const Value &v) {
            int n = 0;
            QString err = props::readInt(v, QStringLiteral("MinSize"), 0, 32767, n);
            if (err.isEmpty())
                static_cast<TSplit *>(w)->SetMinSize(n);
            return err;
        };
        d.properties.append(minSize);
        registry.add(d);
    }
    {
        ClassDef d;
        d.name = QStringLiteral("TBook");
        d.create = [](QObject *owner) -> QWidget * { return new TBook(owner); };
        d.properties = props::bounds();
        d.properties.append(props::align());
        PropertyDef tabOrder;
        tabOrder.name = QStringLiteral("TabOrder");
        tabOrder.write = [](QWidget *w) -> std::optional<Value> {
            const QWidget *parent = w->parentWidget();
            return Value::fromInt(parent ? WindowedControlsOf(parent).indexOf(w) : 0);
        };
        // The order of windowed controls is the order of the file; the value is checked only.
        tabOrder.read = [](QWidget *, const Value &v) {
            int n = 0;
            return props::readInt(v, QStringLiteral("TabOrder"), -1, 32767, n);
        };
        d.properties.append(tabOrder);
        PropertyDef tabPos;
        tabPos.name = QStringLiteral("TabPosition");
        tabPos.write = [](QWidget *w) -> std::optional<Value> {
            const TabSide p = static_cast<TBook *>(w)->TabPosition();
            if (p == TabSide::tpTop)
                return std::nullopt;
            return Value::fromIdent(TabPositionName(p));
        };
        tabPos.read = [](QWidget *w, const Value &v) {
            QString id;
            if (QString err = props::readIdent(v, id); !err.isEmpty())
                return err;
            for (TabSide p : {TabSide::tpTop, TabSide::tpBottom, TabSide::tpLeft, TabSide::tpRight})
                if (TabPositionName(p).compare(id, Qt::CaseInsensitive) == 0) {
                    static_cast<TBook *>(w)->SetTabPosition(p);
                    return QString();
                }
            return props::kInvalid;
        };
        d.properties.append(tabPos);
        PropertyDef active;
        active.name = QStringLiteral("ActiveIndex");
        active.write = [](QWidget *w) -> std::optional<Value> {
            const int i = static_cast<TBook *>(w)->ActivePageIndex();
            return i == 0 ? std::nullopt : std::optional<Value>(Value::fromInt(i));
        };
        active.read = [](QWidget *w, const Value &v) {
            int n = 0;
            QString err = props::readInt(v, QStringLiteral("ActiveIndex"), INT_MIN, INT_MAX, n);
            if (err.isEmpty())
                static_cast<TBook *>(w)->SetPendingActiveIndex(n);
            return err;
        };
        d.properties.append(active);
        PropertyDef rotate;
        rotate.name = QStringLiteral("RotateEvery");
        rotate.write = [](QWidget *w) -> std::optional<Value> {
            const int seconds = RotatePeriod(static_cast<TBook *>(w));
            return seconds == 0 ? std::nullopt : std::optional<Value>(Value::fromInt(seconds));
        };
        rotate.read = [](QWidget *w, const Value &v) {
            int n = 0;
            QString err = props::readInt(v, QStringLiteral("RotateEvery"), 0, kMaxRotatePeriod, n);
            if (err.isEmpty())
                SetRotatePeriod(static_cast<TBook *>(w), n);
            return err;
        };
        d.properties.append(rotate);
        registry.add(d);
    }
    {
        ClassDef d;
        d.name = QStringLiteral("TPage");
        d.create = [](QObject *owner) -> QWidget * { return new TPage(owner); };
        PropertyDef caption;
        caption.name = QStringLiteral("Caption");
        caption.write = [](QWidget *w) -> std::optional<Value> {
            const QString c = static_cast<TPage *>(w)->Caption();
            return c.isEmpty() ? std::nullopt : std::optional<Value>(Value::fromString(c));
        };
        caption.read = [](QWidget *w, const Value &v) {
            QString s;
            if (QString err = props::readString(v, s); !err.isEmpty())
                return err;
            static_cast<TPage *>(w)->SetCaption(s);
            return QString();
        };
        d.properties.append(caption);
        registry.add(d);
    }
    {
        ClassDef d;
        d.name = QStringLiteral("TText");
        d.create = [](QObject *owner) -> QWidget * { return new TText(owner); };
        d.properties = props::bounds();
        d.properties.append(props::align());
        PropertyDef caption;
        caption.name = QStringLiteral("Caption");
        caption.write = [](QWidget *w) -> std::optional<Value> {
            const QString c = static_cast<TText *>(w)->text();
            return c.isEmpty() ? std::nullopt : std::optional<Value>(Value::fromString(c));
        };
        caption.read = [](QWidget *w, const Value &v) {
            QString s;
            if (QString err = props::readString(v, s); !err.isEmpty())
                return err;
            static_cast<TText *>(w)->setText(s);
            return QString();
        };
        d.properties.append(caption);
        PropertyDef transparent;
        transparent.name = QStringLiteral("Transparent");
        transparent.write = [](QWidget *w) -> std::optional<Value> {
            if (static_cast<TText *>(w)->Transparent())
                return std::nullopt;
            return Value::fromIdent(QStringLiteral("False"));
        };
        transparent.read = [](QWidget *w, const Value &v) {
            QString id;
            if (QString err = props::readIdent(v, id); !err.isEmpty())
                return err;
            if (id.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
                static_cast<TText *>(w)->SetTransparent(true);
            else if (id.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
                static_cast<TText *>(w)->SetTransparent(false);
            else
                return props::kInvalid;
            return QString();
        };
        d.properties.append(transparent);
        registry.add(d);
    }
}

} // namespace mira
