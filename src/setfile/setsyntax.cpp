#include "setfile/setsyntax.h"

#include <algorithm>
#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace mira::setfile {

// ---------------------------------------------------------------------------
// Values

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

// ---------------------------------------------------------------------------
// Encoding

namespace {

// Windows-1252 code points for bytes 0x80-0x9F; the five bytes the code page leaves
// undefined map to the C1 controls of the same value, as the system converter does.
// clang-format off: eight to a row, as code page tables are read
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
};
// clang-format on

inline char16_t cp1252(unsigned char b)
{
    return (b >= 0x80 && b < 0xA0) ? kCp1252High[b - 0x80] : char16_t(b);
}

inline bool allAscii8(const unsigned char *p)
{
    quint64 w;
    std::memcpy(&w, p, 8);
    return (w & 0x8080808080808080ULL) == 0;
}

// Strict UTF-8: no overlong forms, no encoded surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char *data, qsizetype size)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    const auto *end = p + size;
    while (p < end) {
        if (end - p >= 8 && allAscii8(p)) {
            p += 8;
            continue;
        }
        const unsigned char b = *p;
        if (b < 0x80) {
            ++p;
            continue;
        }
        int extra;
        unsigned char lo = 0x80, hi = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            extra = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            extra = 2;
            if (b == 0xE0)
                lo = 0xA0;
            else if (b == 0xED)
                hi = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            extra = 3;
            if (b == 0xF0)
                lo = 0x90;
            else if (b == 0xF4)
                hi = 0x8F;
        } else {
            return false;
        }
        if (end - p <= extra)
            return false;
        if (p[1] < lo || p[1] > hi)
            return false;
        for (int i = 2; i <= extra; ++i) {
            if ((p[i] & 0xC0) != 0x80)
                return false;
        }
        p += extra + 1;
    }
    return true;
}

inline void appendCodePoint(std::u16string &out, char32_t c)
{
    if (c < 0x10000) {
        out.push_back(char16_t(c));
    } else {
        c -= 0x10000;
        out.push_back(char16_t(0xD800 + (c >> 10)));
        out.push_back(char16_t(0xDC00 + (c & 0x3FF)));
    }
}

// Appends bytes already known to be valid UTF-8 (utf8) or Windows-1252 text.
void appendDecoded(std::u16string &out, const char *data, qsizetype size, bool utf8)
{
    const auto *p = reinterpret_cast<const unsigned char *>(data);
    const auto *end = p + size;
    const size_t base = out.size();
    out.resize(base + size_t(size)); // never more units than bytes
    char16_t *w = out.data() + base;
    if (!utf8) {
        while (p < end)
            *w++ = cp1252(*p++);
    } else {
        while (p < end) {
            const unsigned char b = *p;
            if (b < 0x80) {
                *w++ = b;
                ++p;
            } else if (b < 0xE0) {
                *w++ = char16_t(((b & 0x1F) << 6) | (p[1] & 0x3F));
                p += 2;
            } else if (b < 0xF0) {
                *w++ = char16_t(((b & 0x0F) << 12) | ((p[1] & 0x3F) << 6) | (p[2] & 0x3F));
                p += 3;
            } else {
                char32_t c = ((b & 0x07) << 18) | ((p[1] & 0x3F) << 12) | ((p[2] & 0x3F) << 6)
                    | (p[3] & 0x3F);
                c -= 0x10000;
                *w++ = char16_t(0xD800 + (c >> 10));
                *w++ = char16_t(0xDC00 + (c & 0x3FF));
                p += 4;
            }
        }
    }
    out.resize(size_t(w - out.data()));
}

inline QString toQString(const std::u16string &s)
{
    return QString(reinterpret_cast<const QChar *>(s.data()), qsizetype(s.size()));
}

} // namespace

QString decodeSetText(const QByteArray &bytes)
{
    std::u16string text;
    text.reserve(size_t(bytes.size()));
    appendDecoded(text, bytes.constData(), bytes.size(), isValidUtf8(bytes.constData(), bytes.size()));
    return toQString(text);
}

// ---------------------------------------------------------------------------
// Parsing

namespace {

struct SyntaxError {
    const char *reason;
    int line;
};

inline bool isIdentStart(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_';
}

inline bool isIdentChar(char c)
{
    return isIdentStart(c) || (c >= '0' && c <= '9');
}

inline bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// Case-insensitive comparison of a token with a lower-case keyword.
inline bool keywordIs(const char *s, qsizetype n, const char *kw, qsizetype kwLen)
{
    if (n != kwLen)
        return false;
    for (qsizetype i = 0; i < n; ++i) {
        if ((s[i] | 0x20) != kw[i])
            return false;
    }
    return true;
}

// Property, class and identifier names repeat all over a set file; sharing one
// QString per distinct name saves an allocation for nearly every token.
class NameCache {
public:
    NameCache() : entries(kSize) {}

    QString get(const char *s, qsizetype n)
    {
        if (n > kMaxCached)
            return QString::fromLatin1(s, n);
        quint32 h = 2166136261u;
        for (qsizetype i = 0; i < n; ++i)
            h = (h ^ quint8(s[i])) * 16777619u;
        Entry &e = entries[(h ^ (h >> 15)) & (kSize - 1)];
        if (e.key.size() != size_t(n) || std::memcmp(e.key.data(), s, size_t(n)) != 0) {
            e.key.assign(s, size_t(n));
            e.value = QString::fromLatin1(s, n);
        }
        return e.value;
    }

private:
    static constexpr size_t kSize = 1024;
    static constexpr qsizetype kMaxCached = 48;
    struct Entry {
        std::string key;
        QString value;
    };
    std::vector<Entry> entries;
};

class Parser {
public:
    explicit Parser(const QByteArray &bytes)
        : begin(bytes.constData()), p(bytes.constData()), end(bytes.constData() + bytes.size()),
          utf8(isValidUtf8(bytes.constData(), bytes.size()))
    {
    }

    Object parseRoot()
    {
        next();
        if (tok != Tok::Symbol || !isObjectKeyword())
            fail("'object' expected");
        Object root;
        parseObject(root, 1);
        if (tok != Tok::Eof)
            fail("End of file expected");
        return root;
    }

private:
    enum class Tok { Eof, Symbol, Number, String, Char };

    const char *const begin;
    const char *p;
    const char *const end;
    const bool utf8;
    int line = 1;
    int eofLine = -1;

    Tok tok = Tok::Eof;
    const char *tokStart = nullptr;
    qsizetype tokLen = 0;
    int tokLine = 1;
    bool tokFloat = false;
    char tokChar = 0;
    std::u16string text; // decoded string token(s)
    std::string nameBuf;
    NameCache names;

    [[noreturn]] void fail(const char *reason) { throw SyntaxError{reason, tokLine}; }
    [[noreturn]] void failAt(const char *reason, int at) { throw SyntaxError{reason, at}; }

    int lastLine()
    {
        if (eofLine < 0) {
            // At the end the line count has stepped past the final line end; errors
            // there belong to the last line of the file.
            const char last = end > begin ? end[-1] : 0;
            eofLine = (last == '\n' || last == '\r') && line > 1 ? line - 1 : line;
        }
        return eofLine;
    }

    // Saturates rather than overflows on files of more than 2^31 lines.
    void newLine()
    {
        if (line < std::numeric_limits<int>::max())
            ++line;
    }

    void skipBlanks()
    {
        while (p < end) {
            const char c = *p;
            if (c == ' ' || c == '\t') {
                ++p;
            } else if (c == '\n') {
                newLine();
                ++p;
            } else if (c == '\r') {
                newLine();
                ++p;
                if (p < end && *p == '\n')
                    ++p;
            } else {
                break;
            }
        }
    }

    void next(bool keepText = false)
    {
        skipBlanks();
        tokLine = line;
        tokStart = p;
        if (p == end) {
            tok = Tok::Eof;
            tokLen = 0;
            tokLine = lastLine();
            return;
        }
        const char c = *p;
        if (isIdentStart(c)) {
            ++p;
            while (p < end && isIdentChar(*p))
                ++p;
            tok = Tok::Symbol;
            if (p - tokStart > kMaxStringLength)
                fail("Line too long");
        } else if (c == '$') {
            ++p;
            while (p < end && hexValue(*p) >= 0)
                ++p;
            tok = Tok::Number;
            tokFloat = false;
        } else if (c == '-' || isDigit(c)) {
            ++p;
            while (p < end && isDigit(*p))
                ++p;
            tokFloat = false;
            while (p < end
                   && (isDigit(*p) || *p == '.' || *p == 'e' || *p == 'E' || *p == '+' || *p == '-')) {
                tokFloat = true;
                ++p;
            }
            tok = Tok::Number;
        } else if (c == '\'' || c == '#') {
            if (!keepText)
                text.clear();
            scanString();
            tok = Tok::String;
        } else {
            const auto u = static_cast<unsigned char>(c);
            if (u < 32 || u == 127)
                fail("Invalid character");
            tok = Tok::Char;
            tokChar = c;
            ++p;
        }
        tokLen = p - tokStart;
    }

    void scanString()
    {
        while (p < end) {
            if (*p == '\'') {
                ++p;
                for (;;) {
                    const char *run = p;
                    while (p < end && *p != '\'' && *p != '\r' && *p != '\n')
                        ++p;
                    appendDecoded(text, run, p - run, utf8);
                    if (p == end)
                        failAt("''' expected", lastLine());
                    if (*p != '\'')
                        fail("''' expected");
                    ++p;
                    if (p < end && *p == '\'') {
                        text.push_back(u'\'');
                        ++p;
                        continue;
                    }
                    break;
                }
            } else if (*p == '#') {
                ++p;
                char32_t code = 0;
                const char *digits = p;
                if (p < end && *p == '$') {
                    digits = ++p;
                    int d;
                    while (p < end && (d = hexValue(*p)) >= 0) {
                        code = code * 16 + char32_t(d);
                        if (code > 0x10FFFF)
                            fail("Invalid property value");
                        ++p;
                    }
                } else {
                    while (p < end && isDigit(*p)) {
                        code = code * 10 + char32_t(*p - '0');
                        if (code > 0x10FFFF)
                            fail("Invalid property value");
                        ++p;
                    }
                }
                if (p == digits)
                    fail("Number expected");
                appendCodePoint(text, code);
            } else {
                break;
            }
            if (qsizetype(text.size()) > kMaxStringLength)
                fail("Line too long");
        }
    }

    bool isChar(char c) const { return tok == Tok::Char && tokChar == c; }

    bool symbolIs(const char *kw, qsizetype len) const
    {
        return tok == Tok::Symbol && keywordIs(tokStart, tokLen, kw, len);
    }

    bool isEnd() const { return symbolIs("end", 3); }

    bool isObjectKeyword() const
    {
        return symbolIs("object", 6) || symbolIs("inherited", 9) || symbolIs("inline", 6);
    }

    QString symbol() { return names.get(tokStart, tokLen); }

    bool tokenInteger(qint64 &out) const
    {
        if (tok != Tok::Number || tokFloat)
            return false;
        if (*tokStart == '$') {
            if (tokLen < 2)
                return false;
            quint64 v = 0;
            for (qsizetype i = 1; i < tokLen; ++i) {
                if (v >> 60)
                    return false;
                v = v * 16 + quint64(hexValue(tokStart[i]));
            }
            out = qint64(v);
            return true;
        }
        const auto r = std::from_chars(tokStart, tokStart + tokLen, out);
        return r.ec == std::errc() && r.ptr == tokStart + tokLen;
    }

    bool tokenFloat(double &out) const
    {
        const auto r = std::from_chars(tokStart, tokStart + tokLen, out);
        return r.ec == std::errc() && r.ptr == tokStart + tokLen;
    }

    qsizetype elements = 0;

    // Lists under construction, one per nesting level: elements collect here and move
    // into a list of the exact size, instead of growing each QList step by step.
    template<typename T>
    struct Scratch {
        std::vector<std::vector<T>> levels = std::vector<std::vector<T>>(size_t(kMaxNesting) + 2);
        std::vector<T> &at(int depth)
        {
            std::vector<T> &v = levels[size_t(depth)];
            v.clear();
            return v;
        }
        static void moveInto(std::vector<T> &from, QList<T> &to)
        {
            to.reserve(qsizetype(from.size()));
            for (T &t : from)
                to.append(std::move(t));
            from.clear();
        }
    };
    Scratch<Property> propertyScratch;
    Scratch<Object> childScratch;
    Scratch<Value> listScratch;
    Scratch<Item> itemScratch;

    static void enter(int depth, int at)
    {
        if (depth > kMaxNesting)
            throw SyntaxError{"Nesting too deep", at};
    }

    void count()
    {
        if (++elements > kMaxElements)
            fail("Too many values");
    }

    // "[n]" after a class name or "item"; the current token is the one after "[".
    qint64 parseIndex()
    {
        qint64 v = 0;
        if (!tokenInteger(v))
            fail("Number expected");
        next();
        if (!isChar(']'))
            fail("']' expected");
        next();
        return v;
    }

    void parseObject(Object &o, int depth)
    {
        enter(depth, tokLine);
        count();
        o.line = tokLine;
        if (symbolIs("object", 6))
            o.keyword = QStringLiteral("object");
        else if (symbolIs("inherited", 9))
            o.keyword = QStringLiteral("inherited");
        else
            o.keyword = QStringLiteral("inline");
        next();
        if (tok != Tok::Symbol)
            fail("Identifier expected");
        QString first = symbol();
        next();
        if (isChar(':')) {
            next();
            if (tok != Tok::Symbol)
                fail("Identifier expected");
            o.name = first;
            o.className = symbol();
            next();
        } else {
            o.className = first;
        }
        if (isChar('[')) {
            next();
            o.position = parseIndex();
        }
        std::vector<Property> &properties = propertyScratch.at(depth);
        while (!isEnd() && !isObjectKeyword()) {
            if (tok == Tok::Eof)
                fail("'end' expected");
            parseProperty(properties.emplace_back(), depth);
        }
        propertyScratch.moveInto(properties, o.properties);
        std::vector<Object> &children = childScratch.at(depth);
        while (!isEnd()) {
            if (!isObjectKeyword())
                fail("'end' expected");
            parseObject(children.emplace_back(), depth + 1);
        }
        childScratch.moveInto(children, o.children);
        next();
    }

    void parseProperty(Property &prop, int depth)
    {
        if (tok != Tok::Symbol)
            fail("Identifier expected");
        count();
        prop.line = tokLine;
        const char *nameStart = tokStart;
        const char *nameEnd = tokStart + tokLen;
        next();
        if (!isChar('.')) {
            prop.name = names.get(nameStart, nameEnd - nameStart);
        } else {
            nameBuf.assign(nameStart, nameEnd);
            while (isChar('.')) {
                next();
                if (tok != Tok::Symbol)
                    fail("Identifier expected");
                nameBuf += '.';
                nameBuf.append(tokStart, size_t(tokLen));
                if (qsizetype(nameBuf.size()) > kMaxStringLength)
                    fail("Line too long");
                next();
            }
            prop.name = names.get(nameBuf.data(), qsizetype(nameBuf.size()));
        }
        if (!isChar('='))
            fail("'=' expected");
        next();
        parseValue(prop.value, depth);
    }

    void parseValue(Value &v, int depth)
    {
        v.line = tokLine;
        switch (tok) {
        case Tok::Symbol: {
            // A component reference may be dotted (Form.Control), written without blanks.
            const char *s = tokStart;
            while (end - p >= 2 && *p == '.' && isIdentStart(p[1])) {
                p += 2;
                while (p < end && isIdentChar(*p))
                    ++p;
            }
            if (p - s > kMaxStringLength)
                fail("Line too long");
            v.kind = Value::Kind::Ident;
            v.text = names.get(s, p - s);
            next();
            return;
        }
        case Tok::Number:
            if (tokFloat) {
                v.kind = Value::Kind::Float;
                if (!tokenFloat(v.number))
                    fail("Invalid property value");
            } else {
                v.kind = Value::Kind::Integer;
                if (!tokenInteger(v.integer))
                    fail("Invalid property value");
            }
            next();
            return;
        case Tok::String:
            v.kind = Value::Kind::String;
            // Segments joined by "+", possibly across lines.
            for (;;) {
                skipBlanks();
                if (p == end || *p != '+')
                    break;
                ++p;
                next(true);
                if (tok != Tok::String)
                    fail("String expected");
            }
            v.text = toQString(text);
            next();
            return;
        case Tok::Char:
            break;
        case Tok::Eof:
            fail("Invalid property value");
        }
        switch (tokChar) {
        case '[':
            v.kind = Value::Kind::Set;
            next();
            if (isChar(']')) {
                next();
                return;
            }
            for (;;) {
                if (tok == Tok::Symbol) {
                    v.set.append(symbol());
                } else if (tok == Tok::Number) {
                    qint64 member;
                    if (!tokenInteger(member))
                        fail("Invalid property value");
                    v.set.append(QString::fromLatin1(tokStart, tokLen));
                } else {
                    fail("Identifier expected");
                }
                next();
                if (isChar(']'))
                    break;
                if (!isChar(','))
                    fail(tok == Tok::Eof ? "']' expected" : "',' expected");
                next();
            }
            next();
            return;
        case '(': {
            enter(depth + 1, tokLine);
            v.kind = Value::Kind::List;
            next();
            std::vector<Value> &members = listScratch.at(depth + 1);
            while (!isChar(')')) {
                if (tok == Tok::Eof)
                    fail("')' expected");
                count();
                parseValue(members.emplace_back(), depth + 1);
            }
            listScratch.moveInto(members, v.list);
            next();
            return;
        }
        case '{':
            v.kind = Value::Kind::Binary;
            parseBinary(v.binary);
            next();
            return;
        case '<': {
            v.kind = Value::Kind::Collection;
            next();
            std::vector<Item> &items = itemScratch.at(depth + 1);
            while (!isChar('>')) {
                if (tok == Tok::Eof)
                    fail("'>' expected");
                if (!symbolIs("item", 4))
                    fail("'item' expected");
                enter(depth + 1, tokLine);
                count();
                Item &item = items.emplace_back();
                item.line = tokLine;
                next();
                if (isChar('[')) {
                    next();
                    parseIndex(); // written by older writers; the order is what counts
                }
                std::vector<Property> &properties = propertyScratch.at(depth + 1);
                while (!isEnd()) {
                    if (tok == Tok::Eof)
                        fail("'end' expected");
                    parseProperty(properties.emplace_back(), depth + 1);
                }
                propertyScratch.moveInto(properties, item.properties);
                next();
            }
            itemScratch.moveInto(items, v.items);
            next();
            return;
        }
        default:
            fail("Invalid property value");
        }
    }

    // Hexadecimal digits up to "}", blanks and line ends allowed anywhere between them.
    void parseBinary(QByteArray &out)
    {
        qsizetype digits = 0;
        int pending = 0;
        for (;;) {
            skipBlanks();
            if (p == end)
                failAt("'}' expected", lastLine());
            const char c = *p;
            if (c == '}') {
                if (digits % 2)
                    failAt("Invalid binary value", line);
                ++p;
                return;
            }
            const int d = hexValue(c);
            if (d < 0)
                failAt("Invalid binary value", line);
            ++p;
            if (++digits % 2)
                pending = d;
            else
                out.append(char(pending * 16 + d));
        }
    }
};

} // namespace

ParseResult parse(const QByteArray &bytes)
{
    ParseResult result;
    try {
        Parser parser(bytes);
        result.root = parser.parseRoot();
    } catch (const SyntaxError &e) {
        result.root.reset();
        result.error.reason = QString::fromLatin1(e.reason);
        result.error.line = e.line;
        result.error.message = QStringLiteral("%1 on line %2").arg(result.error.reason).arg(e.line);
    }
    return result;
}

// ---------------------------------------------------------------------------
// Rendering

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
        case Value::Kind::Integer:
            integer(v.integer);
            return;
        case Value::Kind::Float:
            floating(v.number);
            return;
        case Value::Kind::Ident:
            text(v.text);
            return;
        case Value::Kind::String:
            string(v.text, level);
            return;
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
        case Value::Kind::Binary:
            binary(v.binary, level);
            return;
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
        static constexpr char kBlanks[] = "                                                                ";
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
        int len;
        if (c < 0x80) {
            buf[0] = char(c);
            len = 1;
        } else if (c < 0x800) {
            buf[0] = char(0xC0 | (c >> 6));
            buf[1] = char(0x80 | (c & 0x3F));
            len = 2;
        } else if (c < 0x10000) {
            buf[0] = char(0xE0 | (c >> 12));
            buf[1] = char(0x80 | ((c >> 6) & 0x3F));
            buf[2] = char(0x80 | (c & 0x3F));
            len = 3;
        } else {
            buf[0] = char(0xF0 | (c >> 18));
            buf[1] = char(0x80 | ((c >> 12) & 0x3F));
            buf[2] = char(0x80 | ((c >> 6) & 0x3F));
            buf[3] = char(0x80 | (c & 0x3F));
            len = 4;
        }
        out.append(buf, len);
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
