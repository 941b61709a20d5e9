#include "setfile/encoding.h"

#include <cstring>

namespace mira::setfile {

namespace {

// Windows-1252 code points for bytes 0x80-0x9F; the five bytes the code page leaves
// undefined map to the C1 controls of the same value, as the system converter does.
// clang-format off: eight to a row, as code page tables are read
constexpr char16_t kCp1252High[32] = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178,
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

} // namespace

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

QString decodeSetText(const QByteArray &bytes)
{
    std::u16string text;
    text.reserve(size_t(bytes.size()));
    appendDecoded(text, bytes.constData(), bytes.size(),
                  isValidUtf8(bytes.constData(), bytes.size()));
    return toQString(text);
}

} // namespace mira::setfile
