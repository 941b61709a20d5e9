#pragma once
// Character encoding of set files. Set files are bytes; strings inside are UTF-8,
// and a file that is not valid UTF-8 is read as Windows-1252 so sets made elsewhere
// open. The reader and writer build on the pieces below.
#include <QByteArray>
#include <QString>
#include <string>

namespace mira::setfile {

// Decodes file bytes: UTF-8 when the bytes are valid UTF-8, else Windows-1252.
QString decodeSetText(const QByteArray &bytes);

// Strict UTF-8: no overlong forms, no encoded surrogates, nothing above U+10FFFF.
bool isValidUtf8(const char *data, qsizetype size);

// Appends bytes already known to be valid UTF-8 (utf8) or Windows-1252 text.
void appendDecoded(std::u16string &out, const char *data, qsizetype size, bool utf8);

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

inline QString toQString(const std::u16string &s)
{
    return QString(reinterpret_cast<const QChar *>(s.data()), qsizetype(s.size()));
}

// Writes the UTF-8 form of a code point (not a surrogate) into buf; returns its length.
inline int encodeUtf8(char32_t c, char *buf)
{
    if (c < 0x80) {
        buf[0] = char(c);
        return 1;
    }
    if (c < 0x800) {
        buf[0] = char(0xC0 | (c >> 6));
        buf[1] = char(0x80 | (c & 0x3F));
        return 2;
    }
    if (c < 0x10000) {
        buf[0] = char(0xE0 | (c >> 12));
        buf[1] = char(0x80 | ((c >> 6) & 0x3F));
        buf[2] = char(0x80 | (c & 0x3F));
        return 3;
    }
    buf[0] = char(0xF0 | (c >> 18));
    buf[1] = char(0x80 | ((c >> 12) & 0x3F));
    buf[2] = char(0x80 | ((c >> 6) & 0x3F));
    buf[3] = char(0x80 | (c & 0x3F));
    return 4;
}

} // namespace mira::setfile
