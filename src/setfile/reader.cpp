#include "setfile/reader.h"

#include <vector>

#include "setfile/encoding.h"
#include "setfile/scanner.h"

namespace mira::setfile {

namespace {

class Parser : Scanner {
public:
    explicit Parser(const QByteArray &bytes) : Scanner(bytes) {}

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
