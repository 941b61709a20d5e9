#include "setfile/reader.h"

#include <charconv>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

#include "setfile/encoding.h"

namespace mira::setfile {

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
// QString per distinct name saves an allocation for nearly every token. The table
// grows with the text: a short text has few names, and a full table for it would
// cost more than its whole parse.
class NameCache {
public:
    explicit NameCache(qsizetype textBytes)
    {
        size_t size = kMinSize;
        while (size < kMaxSize && qsizetype(size) * kBytesPerSlot < textBytes)
            size *= 2;
        entries.resize(size);
    }

    QString get(const char *s, qsizetype n)
    {
        if (n > kMaxCached)
            return QString::fromLatin1(s, n);
        quint32 h = 2166136261u;
        for (qsizetype i = 0; i < n; ++i)
            h = (h ^ quint8(s[i])) * 16777619u;
        Entry &e = entries[(h ^ (h >> 15)) & (entries.size() - 1)];
        if (e.key.size() != size_t(n) || std::memcmp(e.key.data(), s, size_t(n)) != 0) {
            e.key.assign(s, size_t(n));
            e.value = QString::fromLatin1(s, n);
        }
        return e.value;
    }

private:
    static constexpr size_t kMinSize = 16;
    static constexpr size_t kMaxSize = 1024;
    static constexpr qsizetype kBytesPerSlot = 32;
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
        : begin(bytes.constData()),
          p(bytes.constData()),
          end(bytes.constData() + bytes.size()),
          utf8(isValidUtf8(bytes.constData(), bytes.size())),
          names(bytes.size())
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
            while (
                p < end
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
        case Tok::Char: break;
        case Tok::Eof: fail("Invalid property value");
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
        default: fail("Invalid property value");
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

} // namespace mira::setfile
