#include <QFile>
#include <gtest/gtest.h>

#include "setfile/setsyntax.h"

using namespace mira::setfile;

namespace {

QByteArray readData(const char *name)
{
    QFile f(QStringLiteral(MIRA_TEST_DATA_DIR "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

// Parses text that must be valid and returns the root.
Object parsed(const QByteArray &text)
{
    const ParseResult r = parse(text);
    EXPECT_TRUE(r.ok()) << r.error.message.toStdString() << "\n" << text.toStdString();
    return r.root.value_or(Object());
}

QByteArray wrap(const QByteArray &properties)
{
    return "object TBaseForm\r\n" + properties + "end\r\n";
}

const Value &firstValue(const Object &o)
{
    static const Value none;
    return o.properties.isEmpty() ? none : o.properties.first().value;
}

void expectRoundTrip(const Object &tree)
{
    const QByteArray text = render(tree);
    const ParseResult again = parse(text);
    ASSERT_TRUE(again.ok()) << again.error.message.toStdString() << "\n" << text.toStdString();
    EXPECT_EQ(*again.root, tree) << text.toStdString();
    EXPECT_EQ(render(*again.root), text);
}

} // namespace

TEST(SetSyntaxExample, ParsesAndRendersBackByteForByte)
{
    const QByteArray bytes = readData("example.set");
    ASSERT_FALSE(bytes.isEmpty());
    ASSERT_TRUE(bytes.startsWith("object TBaseForm\r\n"));
    const Object root = parsed(bytes);

    EXPECT_EQ(root.className, "TBaseForm");
    EXPECT_EQ(root.properties.size(), 7);
    EXPECT_EQ(root.properties.first().name, "Tag");
    EXPECT_EQ(root.properties.first().value, Value::fromInt(2));
    ASSERT_EQ(root.children.size(), 1);
    const Object &pan = root.children.first();
    EXPECT_EQ(pan.className, "TPan");
    ASSERT_EQ(pan.children.size(), 3);
    EXPECT_EQ(pan.children.at(0).className, "TSplit");
    const Object &browser = pan.children.at(1);
    EXPECT_EQ(browser.line, 21);
    const Property &urls = browser.properties.at(5);
    EXPECT_EQ(urls.name, "URLs");
    ASSERT_EQ(urls.value.kind, Value::Kind::Collection);
    ASSERT_EQ(urls.value.items.size(), 1);
    EXPECT_EQ(urls.value.items.first().properties.at(1).value, Value::fromString("about:blank"));
    const Object &book = pan.children.at(2);
    ASSERT_EQ(book.children.size(), 2);
    EXPECT_EQ(book.children.at(1).properties.first().value, Value::fromString("News"));
    EXPECT_TRUE(book.children.at(0).children.first().properties.last().value.items.isEmpty());

    EXPECT_EQ(render(root), bytes);
}

TEST(SetSyntaxStrings, SixtyFourCharactersStayOnThePropertyLine)
{
    const QString s64(64, QLatin1Char('a'));
    EXPECT_EQ(renderString(s64, 1), "'" + s64.toLatin1() + "'");
}

TEST(SetSyntaxStrings, LongerStringsStartDeeperAndBreakEverySixtyFour)
{
    const QByteArray a64(64, 'a');
    EXPECT_EQ(renderString(QString(65, QLatin1Char('a')), 1), "\r\n    '" + a64 + "' +\r\n    'a'");
    EXPECT_EQ(renderString(QString(128, QLatin1Char('a')), 0),
              "\r\n  '" + a64 + "' +\r\n  '" + a64 + "'");

    Object root;
    root.className = "TBaseForm";
    root.properties.append({"Caption", Value::fromString(QString(65, QLatin1Char('a'))), 0});
    EXPECT_EQ(render(root),
              "object TBaseForm\r\n  Caption = \r\n    '" + a64 + "' +\r\n    'a'\r\nend\r\n");
}

TEST(SetSyntaxStrings, CodesForControlsAndQuotesEachCountOne)
{
    EXPECT_EQ(renderString("It's", 0), "'It'#39's'");
    EXPECT_EQ(renderString("'", 0), "#39");
    EXPECT_EQ(renderString("a\tb\r\n", 0), "'a'#9'b'#13#10");
    EXPECT_EQ(renderString("", 3), "''");

    // 63 letters and a tab make 64 characters: no break.
    const QString s = QString(63, QLatin1Char('x')) + QLatin1Char('\t');
    EXPECT_EQ(renderString(s, 0), "'" + QByteArray(63, 'x') + "'#9");
    // 65 characters with the code at the cut: the run closes before " +".
    const QString t = QString(63, QLatin1Char('x')) + "\t\t";
    EXPECT_EQ(renderString(t, 0), "\r\n  '" + QByteArray(63, 'x') + "'#9 +\r\n  #9");
}

TEST(SetSyntaxStrings, NonAsciiIsUtf8AndNeverSplitInsideACharacter)
{
    EXPECT_EQ(renderString(QString::fromUtf8("Grüße €"), 0), QByteArray("'Grüße €'"));

    // 64 characters, one outside the BMP, then one more: the pair counts as one
    // character and stays whole at the cut.
    const QString smile = QString::fromUtf8("\xF0\x9F\x98\x80");
    const QString s = QString(63, QLatin1Char('x')) + smile + QLatin1Char('y');
    EXPECT_EQ(renderString(s, 0), "\r\n  '" + QByteArray(63, 'x') + "\xF0\x9F\x98\x80' +\r\n  'y'");
    EXPECT_EQ(renderString(QString(64, QLatin1Char('x')).left(63) + smile, 0),
              "'" + QByteArray(63, 'x') + "\xF0\x9F\x98\x80'");

    // A lone surrogate has no UTF-8 form; it is written as its code and reads back.
    const QString lone = QString(QChar(0xD83D)) + "a";
    EXPECT_EQ(renderString(lone, 0), "#55357'a'");
    EXPECT_EQ(firstValue(parsed(wrap("  S = #55357'a'\r\n"))).text, lone);
}

TEST(SetSyntaxStrings, ReaderAcceptsEveryStringNotation)
{
    const Object root = parsed(wrap("  A = 'It''s'\r\n"
                                    "  B = 'It'#39's'\r\n"
                                    "  C = #$41#66'c' + \r\n    'd'+\r\n"
                                    "'e'\r\n"
                                    "  D = ''\r\n"
                                    "  E = #8364#128512\r\n"
                                    "  F = ''''\r\n"));
    ASSERT_EQ(root.properties.size(), 6);
    EXPECT_EQ(root.properties[0].value, Value::fromString("It's"));
    EXPECT_EQ(root.properties[1].value, Value::fromString("It's"));
    EXPECT_EQ(root.properties[2].value, Value::fromString("ABcde"));
    EXPECT_EQ(root.properties[2].value.line, 4);
    EXPECT_EQ(root.properties[3].line, 7);
    EXPECT_EQ(root.properties[3].value, Value::fromString(""));
    EXPECT_EQ(root.properties[4].value.text, QString::fromUtf8("€\xF0\x9F\x98\x80"));
    EXPECT_EQ(root.properties[5].value.text, "'");
}

TEST(SetSyntaxCollections, EmptyListIsWrittenOnThePropertyLine)
{
    Object root;
    root.className = "TBrowser";
    root.properties.append({"URLs", Value::fromItems({}), 0});
    EXPECT_EQ(render(root), "object TBrowser\r\n  URLs = <>\r\nend\r\n");
    EXPECT_EQ(firstValue(parsed("object TBrowser\r\n  URLs = <>\r\nend\r\n")),
              Value::fromItems({}));
}

TEST(SetSyntaxCollections, ItemIndexIsIgnored)
{
    const Object root = parsed(wrap("  URLs = <\r\n    item [3]\r\n      Name = 'a'\r\n    end\r\n"
                                    "    ITEM\r\n    END>\r\n"));
    const Value &v = firstValue(root);
    ASSERT_EQ(v.items.size(), 2);
    EXPECT_EQ(v.items[0].line, 3);
    EXPECT_EQ(v.items[0].properties.first().value, Value::fromString("a"));
    EXPECT_TRUE(v.items[1].properties.isEmpty());
}

TEST(SetSyntaxNotation, HandEditedVariantsAreRead)
{
    const QByteArray text = "OBJECT Form1: TBaseForm [2]\r"
                            "  Constraints . MinHeight = $1F\r"
                            "  Owner = Form1.Pan_2\r"
                            "  Scale = -1.5e3\r"
                            "  Anchors = [akLeft,akTop, 3]\n"
                            "  Empty = []\n"
                            "  Data = { 0a 1B\r\n   C 0 }\n"
                            "  Lines = ('a' 1 (x))\n"
                            "  Inherited Pan: TPan\n  eNd\n"
                            "  inline TBook [0]\n  end\n"
                            "End";
    const Object root = parsed(text);
    EXPECT_EQ(root.keyword, "object");
    EXPECT_EQ(root.name, "Form1");
    EXPECT_EQ(root.className, "TBaseForm");
    EXPECT_EQ(root.position, 2);
    ASSERT_EQ(root.properties.size(), 7);
    EXPECT_EQ(root.properties[0].name, "Constraints.MinHeight");
    EXPECT_EQ(root.properties[0].value, Value::fromInt(31));
    EXPECT_EQ(root.properties[1].value, Value::fromIdent("Form1.Pan_2"));
    EXPECT_EQ(root.properties[2].value, Value::fromFloat(-1500));
    EXPECT_EQ(root.properties[3].value, Value::fromSet({"akLeft", "akTop", "3"}));
    EXPECT_EQ(root.properties[4].value, Value::fromSet({}));
    EXPECT_EQ(root.properties[5].value, Value::fromBinary(QByteArray("\x0A\x1B\xC0", 3)));
    EXPECT_EQ(root.properties[6].value.list.size(), 3);
    EXPECT_EQ(root.properties[6].line, 9);
    ASSERT_EQ(root.children.size(), 2);
    EXPECT_EQ(root.children[0].keyword, "inherited");
    EXPECT_EQ(root.children[0].name, "Pan");
    EXPECT_EQ(root.children[0].line, 10);
    EXPECT_EQ(root.children[1].keyword, "inline");
    EXPECT_EQ(root.children[1].position, 0);
}

TEST(SetSyntaxRoundTrip, EveryValueKindReadsBackEqual)
{
    Object root;
    root.keyword = "inherited";
    root.name = "Form";
    root.className = "TBaseForm";
    root.position = -3;
    Item item;
    item.properties.append(
        {"Name", Value::fromString(QString::fromUtf8("O'Brien\t€ \xF0\x9F\x98\x80")), 0});
    item.properties.append({"Notes", Value::fromString(QString(200, QChar(0x00E9))), 0});
    item.properties.append({"Refresh", Value::fromInt(-9223372036854775807LL - 1), 0});
    Item empty;
    root.properties = {
        {"Tag", Value::fromInt(9223372036854775807LL), 0},
        {"Ratio", Value::fromFloat(0.1), 0},
        {"Whole", Value::fromFloat(3), 0},
        {"Huge", Value::fromFloat(-1e300), 0},
        {"Tiny", Value::fromFloat(5e-324), 0},
        {"Align", Value::fromIdent("alClient"), 0},
        {"Anchors", Value::fromSet({"akLeft", "akTop"}), 0},
        {"None", Value::fromSet({}), 0},
        {"URLs", Value::fromItems({item, empty}), 0},
        {"Small", Value::fromBinary(QByteArray("\x00\xFF", 2)), 0},
        {"Big", Value::fromBinary(QByteArray(70, '\x5A')), 0},
        {"Nothing", Value::fromBinary({}), 0},
        {"Lines",
         Value::fromList({Value::fromString(QString(70, 'q')), Value::fromInt(1),
                          Value::fromList({}), Value::fromItems({item})}),
         0},
        {"Caption", Value::fromString(QString(130, '\'')), 0},
    };
    Object child;
    child.className = "TPan";
    child.properties.append({"Font.Style", Value::fromSet({"fsBold"}), 0});
    root.children = {child, child};
    expectRoundTrip(root);

    const QByteArray text = render(root);
    const QByteArray run(64, 'A');
    EXPECT_TRUE(text.startsWith("inherited Form: TBaseForm [-3]\r\n"));
    EXPECT_TRUE(text.contains("  Whole = 3.0\r\n"));
    EXPECT_TRUE(text.contains("  Ratio = 0.1\r\n"));
    EXPECT_TRUE(text.contains("  Anchors = [akLeft, akTop]\r\n  None = []\r\n"));
    EXPECT_TRUE(text.contains("  Small = {00FF}\r\n"));
    EXPECT_TRUE(text.contains("  Big = {\r\n    " + QByteArray(64, '5').replace("55", "5A")
                              + "\r\n    " + QByteArray(64, '5').replace("55", "5A")
                              + "\r\n    5A5A5A5A5A5A}\r\n"));
    EXPECT_TRUE(text.contains("  Nothing = {}\r\n"));
    EXPECT_TRUE(text.contains("  Lines = (\r\n    \r\n      '"));
    EXPECT_TRUE(text.contains("\r\n    1\r\n    ()\r\n    <\r\n      item\r\n        Name = "));
    EXPECT_TRUE(text.contains("    end\r\n    item\r\n    end>\r\n"));
}

TEST(SetSyntaxEncoding, Utf8WhenValidElseWindows1252)
{
    EXPECT_EQ(decodeSetText("caf\xC3\xA9"), QString::fromUtf8("café"));
    EXPECT_EQ(decodeSetText("caf\xE9"), QString::fromUtf8("café"));
    EXPECT_EQ(decodeSetText("\x80\x92\x9F\x81 \xC3\xA9"), QString::fromUtf8("€’Ÿ\xC2\x81 Ã©"));
    // Overlong forms and encoded surrogates are not UTF-8.
    EXPECT_EQ(decodeSetText("\xC0\xAF"), QString::fromUtf8("À¯"));
    EXPECT_EQ(decodeSetText("\xED\xA0\x80").size(), 3);
    EXPECT_EQ(decodeSetText("\xF0\x9F\x98\x80"), QString::fromUtf8("\xF0\x9F\x98\x80"));

    // A file from elsewhere in the 8-bit code page opens with its characters intact.
    const Object root = parsed(wrap("  Caption = 'Caf\xE9 \x93quoted\x94'\r\n"));
    EXPECT_EQ(firstValue(root).text, QString::fromUtf8("Café “quoted”"));
    // One stray byte anywhere makes the whole file 8-bit.
    const Object mixed = parsed(wrap("  A = '\xC3\xA9'\r\n  B = '\xE9'\r\n"));
    EXPECT_EQ(mixed.properties[0].value.text, QString::fromUtf8("Ã©"));
}

namespace {
struct BadInput {
    const char *name;
    QByteArray text;
    const char *message;
};
} // namespace

TEST(SetSyntaxErrors, EachFaultHasItsMessageAndLine)
{
    const QByteArray head = "object TBaseForm\r\n";
    const QList<BadInput> cases = {
        {"empty file", "", "'object' expected on line 1"},
        {"blanks only", " \r\n\r\n", "'object' expected on line 2"},
        {"no keyword", "\r\nTBaseForm\r\nend\r\n", "'object' expected on line 2"},
        {"no class", "object\r\n  = 1\r\nend", "Identifier expected on line 2"},
        {"no class after colon", "object A: 5\r\nend", "Identifier expected on line 1"},
        {"no position number", "object A [x]\r\nend", "Number expected on line 1"},
        {"position too large", "object A [9223372036854775808]\r\nend",
         "Number expected on line 1"},
        {"unclosed position", "object A [1\r\nend", "']' expected on line 2"},
        {"no equals", head + "  Left 1\r\nend\r\n", "'=' expected on line 2"},
        {"property not a name", head + "  5 = 1\r\nend\r\n", "Identifier expected on line 2"},
        {"dotted name cut", head + "  Font. = 1\r\nend\r\n", "Identifier expected on line 2"},
        {"bad value", head + "  Left = ;\r\nend\r\n", "Invalid property value on line 2"},
        {"property after child", head + "  object TPan\r\n  end\r\n  Left = 1\r\nend\r\n",
         "'end' expected on line 4"},
        {"integer overflow", head + "  Left = 9223372036854775808\r\nend\r\n",
         "Invalid property value on line 2"},
        {"negative overflow", head + "  Left = -9223372036854775809\r\nend\r\n",
         "Invalid property value on line 2"},
        {"hex overflow", head + "  Left = $1FFFFFFFFFFFFFFFF\r\nend\r\n",
         "Invalid property value on line 2"},
        {"bare dollar", head + "  Left = $\r\nend\r\n", "Invalid property value on line 2"},
        {"bare minus", head + "  Left = -\r\nend\r\n", "Invalid property value on line 2"},
        {"bad float", head + "  Left = 1.2.3\r\nend\r\n", "Invalid property value on line 2"},
        {"float overflow", head + "  Left = 1e999\r\nend\r\n", "Invalid property value on line 2"},
        {"unterminated string", head + "  Caption = 'abc\r\nend\r\n", "''' expected on line 2"},
        {"hash without digits", head + "  Caption = 'a'#\r\nend\r\n", "Number expected on line 2"},
        {"code too large", head + "  Caption = #1114112\r\nend\r\n",
         "Invalid property value on line 2"},
        {"plus without string", head + "  Caption = 'a' +\r\n  Left = 1\r\nend\r\n",
         "String expected on line 3"},
        {"set member", head + "  Anchors = [akLeft, 'x']\r\nend\r\n",
         "Identifier expected on line 2"},
        {"set separator", head + "  Anchors = [akLeft akTop]\r\nend\r\n", "',' expected on line 2"},
        {"binary digit", head + "  Data = {0G}\r\nend\r\n", "Invalid binary value on line 2"},
        {"binary odd count", head + "  Data = {\r\n    ABC}\r\nend\r\n",
         "Invalid binary value on line 3"},
        {"collection word", head + "  URLs = <\r\n    items\r\n    end>\r\nend\r\n",
         "'item' expected on line 3"},
        {"item index", head + "  URLs = <item [a] end>\r\nend\r\n", "Number expected on line 2"},
        {"child class not a name", head + "  object 'x'\r\n  end\r\nend\r\n",
         "Identifier expected on line 2"},
        {"text after the end", head + "end\r\nobject TBaseForm\r\nend\r\n",
         "End of file expected on line 3"},
        {"NUL byte", head + "  Left = 1\r\n" + QByteArray(1, '\0') + "\r\nend\r\n",
         "Invalid character on line 3"},
        {"control byte", head + "  Left\x01 = 1\r\nend\r\n", "Invalid character on line 2"},
        {"BOM", "\xEF\xBB\xBFobject TBaseForm\r\nend\r\n", "'object' expected on line 1"},
        // Truncated files stop at the last line with the token that was due.
        {"cut after header", head, "'end' expected on line 1"},
        {"cut in object", head + "  Left = 1\r\n  ", "'end' expected on line 3"},
        {"cut after equals", head + "  Left = ", "Invalid property value on line 2"},
        {"cut in set", head + "  Anchors = [akLeft", "']' expected on line 2"},
        {"cut in list", head + "  Lines = (\r\n    'a'\r\n", "')' expected on line 3"},
        {"cut in collection", head + "  URLs = <\r\n    item\r\n    end\r\n",
         "'>' expected on line 4"},
        {"cut in item", head + "  URLs = <\r\n    item\r\n      Name = 'a'\r\n",
         "'end' expected on line 4"},
        {"cut in binary", head + "  Data = {\r\n    00FF", "'}' expected on line 3"},
        {"cut in string", head + "  Caption = 'abc", "''' expected on line 2"},
        {"cut after plus", head + "  Caption = 'abc' +\r\n", "String expected on line 2"},
        {"cut in child", head + "  object TPan\r\n    Left = 1\r\n  end\r\n",
         "'end' expected on line 4"},
    };
    for (const BadInput &c : cases) {
        const ParseResult r = parse(c.text);
        EXPECT_FALSE(r.ok()) << c.name;
        EXPECT_EQ(r.error.message.toStdString(), c.message) << c.name;
        EXPECT_EQ(r.error.message,
                  QStringLiteral("%1 on line %2").arg(r.error.reason).arg(r.error.line))
            << c.name;
    }
}

TEST(SetSyntaxErrors, LineEndsOfEveryKindCountOnce)
{
    for (const char *eol : {"\r\n", "\n", "\r"}) {
        const QByteArray e(eol);
        const ParseResult r = parse("object TBaseForm" + e + "  Left = 1" + e + e + "  Top 2" + e
                                    + "end" + e);
        EXPECT_EQ(r.error.message, "'=' expected on line 4") << e.toHex().toStdString();
    }
}

TEST(SetSyntaxLimits, NestingIsBounded)
{
    auto nested = [](int depth) {
        QByteArray text;
        for (int i = 0; i < depth; ++i)
            text += "object T\r\n";
        for (int i = 0; i < depth; ++i)
            text += "end\r\n";
        return text;
    };
    EXPECT_TRUE(parse(nested(kMaxNesting)).ok());
    const ParseResult deep = parse(nested(kMaxNesting + 1));
    EXPECT_EQ(deep.error.message,
              QStringLiteral("Nesting too deep on line %1").arg(kMaxNesting + 1));

    // Lists and items count with the objects around them.
    QByteArray lists = "object T\r\n  A = " + QByteArray(kMaxNesting - 1, '(')
                       + QByteArray(kMaxNesting - 1, ')') + "\r\nend\r\n";
    EXPECT_TRUE(parse(lists).ok());
    lists = "object T\r\n  A = " + QByteArray(kMaxNesting, '(') + QByteArray(kMaxNesting, ')')
            + "\r\nend\r\n";
    EXPECT_EQ(parse(lists).error.message, "Nesting too deep on line 2");
    const QByteArray items = "object T\r\n  A = " + QByteArray(kMaxNesting - 1, '(') + "<item end>"
                             + QByteArray(kMaxNesting - 1, ')') + "\r\nend\r\n";
    EXPECT_EQ(parse(items).error.message, "Nesting too deep on line 2");

    // A hostile depth far beyond the limit fails fast, without exhausting the stack.
    const QByteArray hostile = "object T\r\n  A = " + QByteArray(1 << 20, '(');
    EXPECT_EQ(parse(hostile).error.reason, "Nesting too deep");
}

TEST(SetSyntaxLimits, OverlongStringsAreRefused)
{
    const QByteArray atLimit = wrap("  S = '" + QByteArray(kMaxStringLength, 'a') + "'\r\n");
    EXPECT_TRUE(parse(atLimit).ok());
    const QByteArray joined = wrap("  S = '" + QByteArray(kMaxStringLength, 'a')
                                   + "' +\r\n    'b'\r\n");
    EXPECT_EQ(parse(joined).error.message, "Line too long on line 3");
    const QByteArray name = wrap("  " + QByteArray(kMaxStringLength + 1, 'n') + " = 1\r\n");
    EXPECT_EQ(parse(name).error.message, "Line too long on line 2");
}

TEST(SetSyntaxFloats, ShortestFormThatReadsBack)
{
    for (double d : {0.1, 1.0, -0.0, 1e20, 123456789.125, 2.5e-8, 1.7976931348623157e308}) {
        Object root;
        root.className = "T";
        root.properties.append({"F", Value::fromFloat(d), 0});
        const QByteArray text = render(root);
        const Value back = firstValue(parsed(text));
        EXPECT_EQ(back.kind, Value::Kind::Float) << text.toStdString();
        EXPECT_EQ(back.number, d) << text.toStdString();
    }
    Object root;
    root.className = "T";
    root.properties.append({"F", Value::fromFloat(0.1), 0});
    EXPECT_EQ(render(root), "object T\r\n  F = 0.1\r\nend\r\n");
}

TEST(SetSyntaxLimits, ElementCountIsBounded)
{
    // Items are the cheapest element to write; one over the budget is refused.
    QByteArray items;
    items.reserve(kMaxElements * 9 + 64);
    for (qsizetype i = 0; i < kMaxElements; ++i)
        items += "item end ";
    const QByteArray over = "object T\r\n  A = <" + items + ">\r\nend\r\n";
    EXPECT_EQ(parse(over).error.message, "Too many values on line 2");
}

// Names are shared through a table sized to the text: in a short text many names meet
// in one slot, in a long one the table is full size; either way every name, identifier
// and class reads back as written, at each length around the longest one shared.
TEST(SetSyntaxNames, DistinctNamesReadBackWhateverTheTextSize)
{
    for (const int count : {3, 40, 2000}) {
        QByteArray text = "object TBaseForm\r\n";
        for (int i = 0; i < count; ++i)
            text += "  P" + QByteArray::number(i) + " = v" + QByteArray::number(i % 7) + "x"
                    + QByteArray::number(i) + "\r\n";
        for (const int length : {47, 48, 49, 200})
            text += "  object " + QByteArray(length, 'C') + "\r\n    " + QByteArray(length, 'N')
                    + " = " + QByteArray(length, 'I') + "\r\n  end\r\n";
        text += "end\r\n";
        SCOPED_TRACE(count);
        const Object root = parsed(text);
        ASSERT_EQ(root.properties.size(), count);
        for (int i = 0; i < count; ++i) {
            EXPECT_EQ(root.properties[i].name, QStringLiteral("P%1").arg(i));
            EXPECT_EQ(root.properties[i].value.text, QStringLiteral("v%1x%2").arg(i % 7).arg(i));
        }
        ASSERT_EQ(root.children.size(), 4);
        for (const Object &child : root.children) {
            const qsizetype length = child.className.size();
            EXPECT_EQ(child.className, QString(length, QLatin1Char('C')));
            ASSERT_EQ(child.properties.size(), 1);
            EXPECT_EQ(child.properties[0].name, QString(length, QLatin1Char('N')));
            EXPECT_EQ(child.properties[0].value.text, QString(length, QLatin1Char('I')));
        }
    }
}
