#include "setfile/scanner.h"

#include <charconv>

#include "setfile/encoding.h"
#include "setfile/reader.h"

namespace mira::setfile {

NameCache::NameCache(qsizetype textBytes)
{
    size_t size = kMinSize;
    while (size < kMaxSize && qsizetype(size) * kBytesPerSlot < textBytes)
        size *= 2;
    entries.resize(size);
}

Scanner::Scanner(const QByteArray &bytes)
    : begin(bytes.constData()),
      p(bytes.constData()),
      end(bytes.constData() + bytes.size()),
      utf8(isValidUtf8(bytes.constData(), bytes.size())),
      names(bytes.size())
{
}

int Scanner::lastLine()
{
    if (eofLine < 0) {
        // At the end the line count has stepped past the final line end; errors
        // there belong to the last line of the file.
        const char last = end > begin ? end[-1] : 0;
        eofLine = (last == '\n' || last == '\r') && line > 1 ? line - 1 : line;
    }
    return eofLine;
}

void Scanner::next(bool keepText)
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

void Scanner::scanString()
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

bool Scanner::tokenInteger(qint64 &out) const
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

bool Scanner::tokenFloat(double &out) const
{
    const auto r = std::from_chars(tokStart, tokStart + tokLen, out);
    return r.ec == std::errc() && r.ptr == tokStart + tokLen;
}

} // namespace mira::setfile
