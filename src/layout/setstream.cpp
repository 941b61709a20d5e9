#include "layout/setstream.h"

#include <QHash>
#include <QSet>
#include <QWidget>
#include <cmath>
#include <memory>

#include "layout/align.h"
#include "layout/book.h"
#include "layout/boundsatsize.h"
#include "layout/classregistry.h"
#include "layout/setform.h"

namespace mira {

using setfile::Object;
using setfile::Property;
using setfile::Value;

int MulDiv(int number, int numerator, int denominator)
{
    if (denominator == 0)
        return -1;
    const long double exact = (long double)number * numerator / denominator;
    return int(std::llround(exact));
}

namespace {

const QString kInvalid = QStringLiteral("Invalid property value");

QString className(QWidget *w)
{
    Component *c = AsComponent(w);
    return c ? c->ClassName() : QString::fromLatin1(w->metaObject()->className());
}

// The children a set stores for a widget: those the main window owns, in control
// order (a book's pages in page order).
QList<QWidget *> storedChildren(QWidget *w, QObject *owner)
{
    QList<QWidget *> result;
    if (auto *book = qobject_cast<TBook *>(w)) {
        for (int i = 0; i < book->PageCount(); ++i)
            if (TPage *page = book->Page(i); page && IsOwnedBy(page, owner))
                result.append(page);
        return result;
    }
    for (QWidget *c : ControlsOf(w))
        if (IsOwnedBy(c, owner))
            result.append(c);
    return result;
}

Object streamComponent(QWidget *w, QObject *owner, const ClassRegistry &classes)
{
    Object o;
    o.className = className(w);
    if (const ClassDef *def = classes.find(o.className)) {
        for (const PropertyDef &p : def->properties) {
            if (!p.write)
                continue;
            if (std::optional<Value> v = p.write(w))
                o.properties.append({p.name, *v, 0});
        }
    }
    for (QWidget *c : storedChildren(w, owner))
        o.children.append(streamComponent(c, owner, classes));
    return o;
}

QString propertyError(const QString &cls, const QString &prop, const QString &reason)
{
    return QStringLiteral("Error reading %1%2%3: %4").arg(cls, QStringLiteral("."), prop, reason);
}

QString readFormProperty(FormValues &f, const Property &p)
{
    auto integer = [&](qint64 lo, qint64 hi, int &out) {
        return props::readInt(p.value, p.name, lo, hi, out);
    };
    auto ident = [&](const QStringList &allowed, QString &out) -> QString {
        if (p.value.kind != Value::Kind::Ident)
            return kInvalid;
        for (const QString &a : allowed)
            if (a.compare(p.value.text, Qt::CaseInsensitive) == 0) {
                out = a;
                return {};
            }
        return kInvalid;
    };
    const QString n = p.name;
    auto is = [&](const char *name) {
        return n.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    int v = 0;
    QString err;
    if (is("Tag")) {
        err = integer(INT_MIN, UINT_MAX, v);
        if (err.isEmpty())
            f.tag = v;
    } else if (is("Left") || is("Top")) {
        err = integer(-32768, 32767, v);
        if (err.isEmpty())
            is("Left") ? f.bounds.moveLeft(v) : f.bounds.moveTop(v);
    } else if (is("Width") || is("Height")) {
        err = integer(0, 32767, v);
        if (err.isEmpty())
            is("Width") ? f.bounds.setWidth(v) : f.bounds.setHeight(v);
    } else if (is("BorderStyle")) {
        QString s;
        err = ident({QStringLiteral("bsNone"), QStringLiteral("bsSingle"),
                     QStringLiteral("bsSizeable"), QStringLiteral("bsDialog"),
                     QStringLiteral("bsToolWindow"), QStringLiteral("bsSizeToolWin")},
                    s);
        if (err.isEmpty())
            f.borderStyle = s;
    } else if (is("WindowState")) {
        QString s;
        err = ident({QStringLiteral("wsNormal"), QStringLiteral("wsMinimized"),
                     QStringLiteral("wsMaximized")},
                    s);
        if (err.isEmpty())
            f.windowState = s;
    } else if (is("Key")) {
        if (p.value.kind != Value::Kind::String)
            err = kInvalid;
        else
            f.key = p.value.text;
    } else if (is("PixelsPerInch")) {
        err = integer(1, 32767, v);
        if (err.isEmpty())
            f.pixelsPerInch = v;
    } else if (is("TextHeight")) {
        err = integer(1, 32767, v);
        if (err.isEmpty())
            f.textHeight = v;
    } else {
        err = n.contains(QLatin1Char('.')) ? QStringLiteral("Invalid property path")
                                           : QStringLiteral("Property does not exist");
    }
    return err.isEmpty() ? QString() : propertyError(QStringLiteral("TBaseForm"), n, err);
}

class Builder {
public:
    Builder(SetForm &setForm, const ClassRegistry &registry) : form(setForm), classes(registry) {}

    // Creates o as a child of parent; returns an error message or empty.
    QString build(const Object &o, QWidget *parent)
    {
        if (!o.name.isEmpty()) {
            if (names.contains(o.name.toCaseFolded()))
                return QStringLiteral("A component named %1 already exists").arg(o.name);
            names.insert(o.name.toCaseFolded());
        }
        const ClassDef *def = classes.find(o.className);
        if (!def || !def->create)
            return QStringLiteral("Class %1 not found").arg(o.className);
        const QString cls = def->name;
        auto *book = qobject_cast<TBook *>(parent);
        const bool isPage = cls == QLatin1String("TPage");
        if (isPage != (book != nullptr))
            return QStringLiteral("Error reading %1: %2 can not be placed there")
                .arg(parentClass(parent), cls);

        QWidget *w = def->create(form.layoutOwner());
        created.append(w);
        if (book)
            book->AddPage(static_cast<TPage *>(w));
        else
            PutInto(w, parent);

        for (const Property &p : o.properties) {
            const PropertyDef *pd = def->find(p.name);
            QString reason;
            if (!pd || !pd->read)
                reason = p.name.contains(QLatin1Char('.'))
                             ? QStringLiteral("Invalid property path")
                             : QStringLiteral("Property does not exist");
            else
                reason = pd->read(w, p.value);
            if (!reason.isEmpty())
                return propertyError(cls, p.name, reason);
        }
        for (const Object &child : o.children)
            if (QString err = build(child, w); !err.isEmpty())
                return err;
        return {};
    }

    void rollback()
    {
        // Newest first, so children go before their parents.
        QList<QPointer<QWidget>> guarded;
        for (QWidget *w : created)
            guarded.append(w);
        for (auto it = guarded.rbegin(); it != guarded.rend(); ++it)
            delete it->data();
        created.clear();
    }

    QList<QWidget *> created;

private:
    QString parentClass(QWidget *parent) const
    {
        if (parent == form.layoutArea())
            return QStringLiteral("TBaseForm");
        return className(parent);
    }

    SetForm &form;
    const ClassRegistry &classes;
    QSet<QString> names;
};

} // namespace

Object StreamOut(SetForm &form, const ClassRegistry &classes)
{
    Object root;
    root.className = QStringLiteral("TBaseForm");
    auto add = [&root](const char *name, const Value &v) {
        root.properties.append({QString::fromLatin1(name), v, 0});
    };
    const FormValues values = form.storedValues();
    if (values.tag.value_or(0) != 0)
        add("Tag", Value::fromInt(*values.tag));
    const QRect b = values.bounds;
    add("Left", Value::fromInt(b.left()));
    add("Top", Value::fromInt(b.top()));
    add("Width", Value::fromInt(b.width()));
    add("Height", Value::fromInt(b.height()));
    if (const QString bs = values.borderStyle.value_or(QString());
        bs != QLatin1String("bsSizeable"))
        add("BorderStyle", Value::fromIdent(bs));
    if (const QString ws = values.windowState.value_or(QString()); ws != QLatin1String("wsNormal"))
        add("WindowState", Value::fromIdent(ws));
    if (const QString key = values.key.value_or(QString()); !key.isEmpty())
        add("Key", Value::fromString(key));
    add("PixelsPerInch", Value::fromInt(values.pixelsPerInch.value_or(96)));
    add("TextHeight", Value::fromInt(values.textHeight.value_or(form.textHeight())));
    // A full-screen window's layout is stored as it is in the window the set describes.
    QWidget *area = form.layoutArea();
    const StoredBoundsScope normalLayout(BoundsAtSize(area, form.storedLayoutSize()));
    for (QWidget *c : storedChildren(area, form.layoutOwner()))
        root.children.append(streamComponent(c, form.layoutOwner(), classes));
    return root;
}

QByteArray WriteConfigSet(SetForm &form, const ClassRegistry &classes)
{
    form.layoutOwner()->setObjectName(QString());
    return setfile::render(StreamOut(form, classes));
}

QString StreamIn(SetForm &form, const ClassRegistry &classes, const Object &root)
{
    FormValues values;
    values.bounds = form.storedValues().bounds;
    for (const Property &p : root.properties)
        if (QString err = readFormProperty(values, p); !err.isEmpty())
            return err;

    // The engine starts with the set's first pane: it takes the set's process model.
    form.flagsRead(values.tag.value_or(0));
    Builder builder(form, classes);
    {
        ReadingGuard reading;
        AlignSuspender suspended;
        for (const Object &child : root.children) {
            if (QString err = builder.build(child, form.layoutArea()); !err.isEmpty()) {
                builder.rollback();
                return err;
            }
        }
    }

    // A set saved with another font size keeps its proportions.
    if (values.textHeight && values.pixelsPerInch && *values.textHeight != form.textHeight()) {
        const int cur = form.textHeight();
        const int was = *values.textHeight;
        for (QWidget *w : builder.created) {
            if (qobject_cast<TPage *>(w))
                continue;
            const QRect g = w->geometry();
            w->setGeometry(MulDiv(g.x(), cur, was), MulDiv(g.y(), cur, was),
                           MulDiv(g.width(), cur, was), MulDiv(g.height(), cur, was));
        }
    }

    form.applyValues(values);
    for (QWidget *w : builder.created)
        if (Component *c = AsComponent(w))
            c->Loaded();
    form.layoutOwner()->setObjectName(QString());
    if (form.layoutArea()->isVisible())
        RealignTree(form.layoutArea());
    return {};
}

QString ReadConfigSet(SetForm &form, const ClassRegistry &classes, const QByteArray &text)
{
    const setfile::ParseResult parsed = setfile::parse(text);
    if (!parsed.ok())
        return parsed.error.message;
    return StreamIn(form, classes, *parsed.root);
}

} // namespace mira
