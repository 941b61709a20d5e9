// Internet Shortcut files: whatever the bytes, reading the address neither crashes
// nor hangs; an address without line breaks written as a shortcut reads back as
// itself; a name made safe has no "/", no NUL and no leading dot.
#include <cstdint>
#include <cstdlib>

#include "bookmarks/shortcutfile.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes(reinterpret_cast<const char *>(data), qsizetype(size));
    const QString address = mira::ShortcutURLFromBytes(bytes);
    if (address.contains(QLatin1Char('\n')))
        std::abort();

    const QString text = QString::fromUtf8(bytes);
    if (!text.contains(QLatin1Char('\n')) && !text.contains(QLatin1Char('\r'))
        && text.trimmed() == text && !text.contains(QChar(0xFFFD)) && !text.contains(QChar(0))
        && mira::ShortcutURLFromBytes(mira::ShortcutFileBytes(text)) != text)
        std::abort();

    const QString name = mira::SafeFavoriteName(text);
    if (name.isEmpty() || name.contains(QLatin1Char('/')) || name.contains(QChar(0))
        || name.startsWith(QLatin1Char('.')))
        std::abort();
    return 0;
}
