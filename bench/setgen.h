#pragma once
// Generates large, realistic configuration set trees for benchmarks: nested
// containers and books, browser panes with many bookmarks whose names carry
// quotes, tabs, non-ASCII characters and addresses over 64 characters.
#include <QString>
#include <cstdint>

#include "setfile/setsyntax.h"

namespace mira::bench {

class SetGenerator {
public:
    // unique: every pane's bookmark names and addresses are distinct, as in any set
    // the program writes itself (reading asks about each clash otherwise).
    SetGenerator(int bookmarksPerPane, std::uint32_t seed, bool unique = false)
        : bookmarks(bookmarksPerPane), distinct(unique), state(seed)
    {
    }

    // A main window whose layout holds the given number of browser panes.
    setfile::Object make(int panes)
    {
        setfile::Object root = object("TBaseForm");
        prop(root, "Tag", setfile::Value::fromInt(2));
        bounds(root, 0, 0, 1280, 960);
        prop(root, "PixelsPerInch", setfile::Value::fromInt(96));
        prop(root, "TextHeight", setfile::Value::fromInt(13));
        root.children.append(container(panes, "alClient"));
        return root;
    }

private:
    int bookmarks;
    bool distinct;
    std::uint32_t state;

    std::uint32_t random()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state;
    }

    static setfile::Object object(const char *cls)
    {
        setfile::Object o;
        o.className = QString::fromLatin1(cls);
        return o;
    }

    static void prop(setfile::Object &o, const char *name, const setfile::Value &v)
    {
        o.properties.append({QString::fromLatin1(name), v, 0});
    }

    void bounds(setfile::Object &o, int l, int t, int w, int h)
    {
        prop(o, "Left", setfile::Value::fromInt(l));
        prop(o, "Top", setfile::Value::fromInt(t));
        prop(o, "Width", setfile::Value::fromInt(w));
        prop(o, "Height", setfile::Value::fromInt(h));
    }

    void align(setfile::Object &o, const char *a)
    {
        prop(o, "Align", setfile::Value::fromIdent(QString::fromLatin1(a)));
    }

    // A container holding `panes` panes: one control, or two with a splitter.
    setfile::Object container(int panes, const char *alignment)
    {
        setfile::Object pan = object("TPan");
        bounds(pan, 0, 0, 300 + int(random() % 900), 200 + int(random() % 700));
        align(pan, alignment);
        if (panes <= 1) {
            pan.children.append(browser("alClient"));
            return pan;
        }
        const bool sideBySide = random() % 2;
        setfile::Object split = object("TSplit");
        bounds(split, 301, 0, 3, 507);
        if (!sideBySide) {
            align(split, "alTop");
            prop(split, "MinSize", setfile::Value::fromInt(26));
        }
        pan.children.append(split);
        const int first = panes / 2;
        const char *firstAlign = sideBySide ? "alLeft" : "alTop";
        if (first == 1)
            pan.children.append(browser(firstAlign));
        else
            pan.children.append(container(first, firstAlign));
        if (panes - first >= 2 && random() % 3 == 0)
            pan.children.append(book(panes - first));
        else
            pan.children.append(container(panes - first, "alClient"));
        return pan;
    }

    setfile::Object book(int panes)
    {
        setfile::Object b = object("TBook");
        bounds(b, 304, 0, 488, 507);
        align(b, "alClient");
        prop(b, "TabOrder", setfile::Value::fromInt(1));
        if (random() % 2)
            prop(b, "TabPosition", setfile::Value::fromIdent("tpBottom"));
        prop(b, "ActiveIndex", setfile::Value::fromInt(1));
        const int pages = panes < 3 ? panes : 3;
        for (int i = 0; i < pages; ++i) {
            setfile::Object page = object("TPage");
            prop(page, "Caption", setfile::Value::fromString(QStringLiteral("Page %1").arg(i + 1)));
            const int share = panes / pages + (i < panes % pages ? 1 : 0);
            page.children.append(share == 1 ? browser("alClient") : container(share, "alClient"));
            b.children.append(page);
        }
        return b;
    }

    QString name()
    {
        static const char16_t *const words[] = {u"News",           u"Café",    u"Mail",
                                                u"O'Brien's",      u"Straße",  u"Docs\tTab",
                                                u"€ rates",        u"日本語",  u"Search",
                                                u"\U0001F600 fun", u"Weather", u"Rock 'n' Roll"};
        QString s;
        const int n = 1 + int(random() % 4);
        for (int i = 0; i < n; ++i) {
            if (i)
                s += QLatin1Char(' ');
            s += QString::fromUtf16(words[random() % (sizeof words / sizeof *words)]);
        }
        return s;
    }

    QString address()
    {
        QString s = QStringLiteral("https://www.example%1.org/").arg(random() % 1000);
        const int parts = int(random() % 8);
        for (int i = 0; i < parts; ++i)
            s += QStringLiteral("section%1/").arg(random() % 100);
        if (random() % 4 == 0)
            s += QStringLiteral("?q=%1&lang=de&filter='all'").arg(random());
        return s;
    }

    setfile::Object browser(const char *alignment)
    {
        setfile::Object b = object("TBrowser");
        bounds(b, 0, 0, 301, 507);
        align(b, alignment);
        QList<setfile::Item> items;
        items.reserve(bookmarks);
        for (int i = 0; i < bookmarks; ++i) {
            setfile::Item item;
            QString n = name();
            QString a = address();
            if (distinct) {
                n = QStringLiteral("%1 ").arg(i) + n;
                a += (a.contains(QLatin1Char('?')) ? QStringLiteral("&n=%1")
                                                   : QStringLiteral("?n=%1"))
                         .arg(i);
            }
            item.properties.append({QStringLiteral("Name"), setfile::Value::fromString(n), 0});
            item.properties.append({QStringLiteral("Address"), setfile::Value::fromString(a), 0});
            if (random() % 3 == 0)
                item.properties.append(
                    {QStringLiteral("Refresh"), setfile::Value::fromInt(random() % 600), 0});
            if (random() % 2 == 0) {
                item.properties.append(
                    {QStringLiteral("ScrollX"), setfile::Value::fromInt(random() % 2000), 0});
                item.properties.append(
                    {QStringLiteral("ScrollY"), setfile::Value::fromInt(random() % 90000), 0});
            }
            items.append(item);
        }
        prop(b, "URLs", setfile::Value::fromItems(items));
        if (random() % 5 == 0)
            prop(b, "BottomBar", setfile::Value::fromIdent("True"));
        return b;
    }
};

} // namespace mira::bench
