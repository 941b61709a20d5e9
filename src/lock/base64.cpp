#include "lock/base64.h"

namespace mira {
namespace {

const char kAlphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";

// The value of an alphabet character, 64 for "=", -1 for anything else.
int valueOf(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= 'A' && u <= 'Z')
        return u - 'A';
    if (u >= 'a' && u <= 'z')
        return u - 'a' + 26;
    if (u >= '0' && u <= '9')
        return u - '0' + 52;
    if (u == '+')
        return 62;
    if (u == '/')
        return 63;
    if (u == '=')
        return 64;
    return -1;
}

} // namespace

QString Base64Encode(const QByteArray &bytes)
{
    QString out;
    out.reserve((bytes.size() + 2) / 3 * 4);
    for (qsizetype i = 0; i < bytes.size(); i += 3) {
        const qsizetype n = std::min<qsizetype>(3, bytes.size() - i);
        quint32 group = quint32(quint8(bytes[i])) << 16;
        if (n > 1)
            group |= quint32(quint8(bytes[i + 1])) << 8;
        if (n > 2)
            group |= quint32(quint8(bytes[i + 2]));
        for (int k = 0; k < 4; ++k)
            out += k <= n ? QLatin1Char(kAlphabet[(group >> (18 - 6 * k)) & 63]) : QLatin1Char('=');
    }
    return out;
}

QByteArray Base64Decode(QStringView text)
{
    QByteArray out;
    out.reserve(text.size() / 4 * 3 + 3);
    quint32 group = 0;
    int count = 0, pads = 0;
    auto take = [&](int v) {
        group = group << 6 | quint32(v == 64 ? 0 : v);
        pads += v == 64;
        if (++count < 4)
            return;
        for (int k = 0; k < 3 - pads; ++k)
            out += char(quint8(group >> (16 - 8 * k)));
        group = 0;
        count = pads = 0;
    };
    for (QChar c : text)
        if (const int v = valueOf(c); v >= 0)
            take(v);
    while (count != 0)
        take(64);
    return out;
}

} // namespace mira
