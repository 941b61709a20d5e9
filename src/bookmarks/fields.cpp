#include "bookmarks/fields.h"

namespace mira {

QString GetField(const QString &text, QChar separator, int n)
{
    qsizetype start = 0;
    for (int field = 1; field < n; ++field) {
        const qsizetype next = text.indexOf(separator, start);
        if (next < 0)
            break; // past the last field: the last one (the rest) it is
        start = next + 1;
    }
    // The last field runs to the end; fields before it stop at their separator.
    const qsizetype end = text.indexOf(separator, start);
    return end < 0 ? text.mid(start) : text.mid(start, end - start);
}

} // namespace mira
