// Set file syntax: whatever the bytes, parsing neither crashes nor hangs, an error
// names a line of the input, and every accepted tree renders to text that parses
// back to the same tree and renders again to the same text.
#include <cstdint>
#include <cstdlib>

#include "setfile/setsyntax.h"

using namespace mira::setfile;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char *>(data),
                                                     qsizetype(size));
    (void)decodeSetText(bytes);

    const ParseResult first = parse(bytes);
    if (!first.ok()) {
        const qsizetype lines = bytes.count('\n') + bytes.count('\r') + 1;
        if (first.error.line < 1 || first.error.line > lines || first.error.reason.isEmpty())
            std::abort();
        return 0;
    }
    const QByteArray text = render(*first.root);
    const ParseResult second = parse(text);
    if (!second.ok() || !(*second.root == *first.root))
        std::abort();
    if (render(*second.root) != text)
        std::abort();
    return 0;
}
