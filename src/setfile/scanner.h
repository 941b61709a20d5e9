#pragma once
// The tokens of the set file notation: names, numbers, strings and single
// characters, with the line each starts on. The reader's grammar sits on top.
#include <QByteArray>
#include <QString>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace mira::setfile {

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
    explicit NameCache(qsizetype textBytes);

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

// Reads one token at a time from the text; an error throws SyntaxError with the
// line it belongs to.
class Scanner {
protected:
    explicit Scanner(const QByteArray &bytes);

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

    int lastLine();

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

    // keepText: a string token adds to the text of the one before ("+" joins them).
    void next(bool keepText = false);

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

    bool tokenInteger(qint64 &out) const;
    bool tokenFloat(double &out) const;

private:
    void scanString();
};

} // namespace mira::setfile
