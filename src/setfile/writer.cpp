#include "setfile/writer.h"

#include <algorithm>
#include <charconv>
#include <cstring>

#include "setfile/encoding.h"

namespace mira::setfile {

namespace {

constexpr int kLineChars = 64;
constexpr int kBinaryRun = 32;

// The rendered text grows by small pieces; appending to a plain buffer with inline
// capacity checks is several times faster than QByteArray's general insert path.
class Output {
public:
    void append(char c)
    {
        if (len == cap)
            grow(1);
        data[len++] = c;
    }
    void append(const char *s, qsizetype n)
    {
        if (n <= 0)
            return; // the buffer may not exist yet, and memcpy wants a real one
        std::memcpy(room(n), s, size_t(n));
        len += n;
    }
    void append(const QByteArray &b) { append(b.constData(), b.size()); }
    // Space for n more bytes; commit(k) adds the k of them that were written.
    char *room(qsizetype n)
    {
        if (cap - len < n)
            grow(n);
        return data + len;
    }
    void commit(qsizetype n) { len += n; }
    QByteArray take()
    {
        bytes.resize(len);
        return std::move(bytes);
    }

private:
    QByteArray bytes;
    char *data = nullptr;
    qsizetype len = 0;
    qsizetype cap = 0;

    void grow(qsizetype n)
    {
        cap = std::max(len + n, cap * 2 + 256);
        bytes.resize(cap);
        data = bytes.data();
    }
};

class Writer {
public:
    Output out;

    void object(const Object &o, int level)
    {
        indent(level);
        text(o.keyword);
        out.append(' ');
        if (!o.name.isEmpty()) {
            text(o.name);
            out.append(": ", 2);
        }
        text(o.className);
        if (o.position) {
            out.append(" [", 2);
            integer(*o.position);
            out.append(']');
        }
        newline();
        for (const Property &prop : o.properties)
            property(prop, level + 1);
        for (const Object &child : o.children)
            object(child, level + 1);
        indent(level);
        out.append("end\r\n", 5);
    }

    void property(const Property &prop, int level)
    {
        indent(level);
        text(prop.name);
        out.append(" = ", 3);
        value(prop.value, level);
        newline();
    }

    void value(const Value &v, int level)
    {
        switch (v.kind) {
        case Value::Kind::Integer: integer(v.integer); return;
        case Value::Kind::Float: floating(v.number); return;
        case Value::Kind::Ident: text(v.text); return;
        case Value::Kind::String: string(v.text, level); return;
        case Value::Kind::Set:
            out.append('[');
            for (qsizetype i = 0; i < v.set.size(); ++i) {
                if (i)
                    out.append(", ", 2);
                text(v.set.at(i));
            }
            out.append(']');
            return;
        case Value::Kind::List:
            out.append('(');
            for (const Value &element : v.list) {
                newline();
                indent(level + 1);
                value(element, level + 1);
            }
            out.append(')');
            return;
        case Value::Kind::Collection:
            out.append('<');
            for (const Item &item : v.items) {
                newline();
                indent(level + 1);
                out.append("item\r\n", 6);
                for (const Property &prop : item.properties)
                    property(prop, level + 2);
                indent(level + 1);
                out.append("end", 3);
            }
            out.append('>');
            return;
        case Value::Kind::Binary: binary(v.binary, level); return;
        }
    }

    void string(const QString &s, int level)
    {
        const char16_t *u = reinterpret_cast<const char16_t *>(s.constData());
        const qsizetype n = s.size();
        if (n == 0) {
            out.append("''", 2);
            return;
        }
        if (n > kLineChars && characterCount(u, n) > kLineChars) {
            newline();
            indent(level + 1);
        }
        bool quoted = false;
        int onLine = 0;
        for (qsizetype i = 0; i < n;) {
            char32_t c = u[i];
            qsizetype len = 1;
            bool code = c < 32 || c == '\'';
            if (c >= 0xD800 && c <= 0xDFFF) {
                if (c <= 0xDBFF && i + 1 < n && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF) {
                    c = 0x10000 + ((c - 0xD800) << 10) + (u[i + 1] - 0xDC00);
                    len = 2;
                } else {
                    code = true; // a lone surrogate has no UTF-8 form
                }
            }
            if (code) {
                if (quoted) {
                    out.append('\'');
                    quoted = false;
                }
                out.append('#');
                integer(c);
            } else {
                if (!quoted) {
                    out.append('\'');
                    quoted = true;
                }
                utf8(c);
            }
            i += len;
            if (++onLine == kLineChars && i < n) {
                if (quoted) {
                    out.append('\'');
                    quoted = false;
                }
                out.append(" +", 2);
                newline();
                indent(level + 1);
                onLine = 0;
            }
        }
        if (quoted)
            out.append('\'');
    }

private:
    void newline() { out.append("\r\n", 2); }

    void indent(int level)
    {
        static constexpr char kBlanks[] =
            "                                                                ";
        qsizetype n = qsizetype(level) * 2;
        for (; n > qsizetype(sizeof kBlanks - 1); n -= qsizetype(sizeof kBlanks - 1))
            out.append(kBlanks, sizeof kBlanks - 1);
        out.append(kBlanks, n);
    }

    void integer(qint64 v)
    {
        char buf[24];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        out.append(buf, r.ptr - buf);
    }

    void floating(double v)
    {
        char buf[40];
        const auto r = std::to_chars(buf, buf + sizeof buf, v);
        const qsizetype len = r.ptr - buf;
        out.append(buf, len);
        // Without a point or exponent the reader would take it for an integer.
        if (!std::memchr(buf, '.', size_t(len)) && !std::memchr(buf, 'e', size_t(len))
            && !std::memchr(buf, 'n', size_t(len)))
            out.append(".0", 2);
    }

    void binary(const QByteArray &bytes, int level)
    {
        static constexpr char kHex[] = "0123456789ABCDEF";
        out.append('{');
        const qsizetype n = bytes.size();
        for (qsizetype i = 0; i < n; ++i) {
            if (n >= kBinaryRun && i % kBinaryRun == 0) {
                newline();
                indent(level + 1);
            }
            const auto b = static_cast<unsigned char>(bytes[i]);
            const char pair[2] = {kHex[b >> 4], kHex[b & 15]};
            out.append(pair, 2);
        }
        out.append('}');
    }

    void utf8(char32_t c)
    {
        char buf[4];
        out.append(buf, encodeUtf8(c, buf));
    }

    // Names and identifiers: ASCII in every file, UTF-8 for anything else.
    void text(const QString &s)
    {
        const char16_t *u = reinterpret_cast<const char16_t *>(s.constData());
        const qsizetype n = s.size();
        qsizetype i = 0;
        while (i < n && u[i] < 0x80)
            ++i;
        if (i == n) {
            char *w = out.room(n);
            for (qsizetype k = 0; k < n; ++k)
                w[k] = char(u[k]);
            out.commit(n);
        } else {
            out.append(s.toUtf8());
        }
    }

    static qsizetype characterCount(const char16_t *u, qsizetype n)
    {
        qsizetype count = n;
        for (qsizetype i = 0; i + 1 < n; ++i) {
            if (u[i] >= 0xD800 && u[i] <= 0xDBFF && u[i + 1] >= 0xDC00 && u[i + 1] <= 0xDFFF) {
                --count;
                ++i;
            }
        }
        return count;
    }
};

} // namespace

QByteArray render(const Object &root)
{
    Writer w;
    w.object(root, 0);
    return w.out.take();
}

QByteArray renderString(const QString &s, int level)
{
    Writer w;
    w.string(s, level);
    return w.out.take();
}

} // namespace mira::setfile
