// TBrowser in set files: bounds, Align, the bookmark list and the bar position.
#include <QWidget>
#include <climits>

#include "bookmarks/urls.h"
#include "bookmarks/zoomsteps.h"
#include "browser/browser.h"
#include "layout/classregistry.h"

namespace mira {

using setfile::Item;
using setfile::Property;
using setfile::Value;

namespace {

const QString kInvalid = QStringLiteral("Invalid property value");

TBrowser *pane(QWidget *w)
{
    return static_cast<TBrowser *>(w);
}

DesignablePane *designable(QWidget *w)
{
    return pane(w);
}

Item writeURL(const TURL &url)
{
    Item item;
    auto add = [&item](const char *name, const Value &v) {
        item.properties.append({QString::fromLatin1(name), v, 0});
    };
    if (!url.Name().isEmpty())
        add("Name", Value::fromString(url.Name()));
    if (!url.Address().isEmpty())
        add("Address", Value::fromString(url.Address()));
    if (url.Refresh() != 0)
        add("Refresh", Value::fromInt(url.Refresh()));
    if (url.ScrollX() != 0)
        add("ScrollX", Value::fromInt(url.ScrollX()));
    if (url.ScrollY() != 0)
        add("ScrollY", Value::fromInt(url.ScrollY()));
    // Only a zoomed bookmark writes it, so sets without zoom stay as they were.
    if (url.Zoom() != ZoomDefault)
        add("Zoom", Value::fromInt(url.Zoom()));
    return item;
}

// Applies one stored property to a bookmark through its setters; returns the reason
// of a fault, or an empty text.
QString readURLProperty(TURL &url, const Property &p)
{
    auto is = [&p](const char *name) {
        return p.name.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
    };
    if (is("Name") || is("Address")) {
        QString s;
        if (QString err = props::readString(p.value, s); !err.isEmpty())
            return err;
        is("Name") ? url.SetName(s) : url.SetAddress(s);
        return {};
    }
    if (is("Refresh") || is("ScrollX") || is("ScrollY") || is("Zoom")) {
        int n = 0;
        if (QString err = props::readInt(p.value, p.name, INT_MIN, INT_MAX, n); !err.isEmpty())
            return err;
        if (is("Refresh"))
            url.SetRefresh(n);
        else if (is("ScrollX"))
            url.SetScrollX(n);
        else if (is("Zoom"))
            url.SetZoom(n); // a hand-edited value out of range is brought into it
        else
            url.SetScrollY(n);
        return {};
    }
    return p.name.contains(QLatin1Char('.')) ? QStringLiteral("Invalid property path")
                                             : QStringLiteral("Property does not exist");
}

// Reads the items into the pane's own list, as the setters would be called by hand:
// a clash of names or addresses asks its question while the set is read.
QString readURLs(TURLs &urls, const Value &v)
{
    if (v.kind != Value::Kind::Collection)
        return kInvalid;
    urls.BeginUpdate();
    QString error;
    if (!v.items.isEmpty())
        urls.Clear();
    urls.Reserve(urls.Count() + int(v.items.size()));
    for (const Item &item : v.items) {
        TURL *url = urls.Add();
        for (const Property &p : item.properties) {
            if (QString reason = readURLProperty(*url, p); !reason.isEmpty()) {
                error = QStringLiteral("Error reading TURL.%1: %2").arg(p.name, reason);
                break;
            }
        }
        if (!error.isEmpty())
            break;
    }
    urls.EndUpdate();
    return error;
}

} // namespace

void RegisterBrowserClasses(ClassRegistry &registry)
{
    ClassDef d;
    d.name = QStringLiteral("TBrowser");
    d.create = [](QObject *owner) -> QWidget * { return new TBrowser(owner); };
    d.properties = props::bounds();
    d.properties.append(props::align());

    PropertyDef urls;
    urls.name = QStringLiteral("URLs");
    urls.write = [](QWidget *w) -> std::optional<Value> {
        QList<Item> items;
        const TURLs *list = pane(w)->URLs();
        for (int i = 0; i < list->Count(); ++i)
            items.append(writeURL(*list->Items(i)));
        return Value::fromItems(items);
    };
    urls.read = [](QWidget *w, const Value &v) { return readURLs(*pane(w)->URLs(), v); };
    d.properties.append(urls);

    PropertyDef bottomBar;
    bottomBar.name = QStringLiteral("BottomBar");
    bottomBar.write = [](QWidget *w) -> std::optional<Value> {
        if (!designable(w)->BottomBar())
            return std::nullopt;
        return Value::fromIdent(QStringLiteral("True"));
    };
    bottomBar.read = [](QWidget *w, const Value &v) {
        QString id;
        if (QString err = props::readIdent(v, id); !err.isEmpty())
            return err;
        if (id.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
            designable(w)->SetBottomBar(true);
        else if (id.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
            designable(w)->SetBottomBar(false);
        else
            return kInvalid;
        return QString();
    };
    d.properties.append(bottomBar);
    registry.add(d);
}

} // namespace mira
