#pragma once
// Reads the text notation of set files into the neutral tree, with the line of
// every object, property and value, and a reason and line when the text is wrong.
#include <QByteArray>
#include <QString>
#include <optional>

#include "setfile/tree.h"

namespace mira::setfile {

struct ParseError {
    QString message; // full text, e.g. "Identifier expected on line 3"
    QString reason;  // e.g. "Identifier expected"
    int line = 0;
};

struct ParseResult {
    std::optional<Object> root;
    ParseError error; // meaningful when root is empty
    bool ok() const { return root.has_value(); }
};

// Limits that keep hostile files from exhausting the program.
inline constexpr int kMaxNesting = 256;                // objects, items, lists together
inline constexpr qsizetype kMaxStringLength = 1 << 20; // characters of one string value
// Objects, properties, collection items and list elements of one file together: keeps
// the tree (up to ~190 bytes per element) within a few hundred MB whatever the input.
inline constexpr qsizetype kMaxElements = 1 << 21;

// Parses the whole text of a set file (bytes as read from disk).
ParseResult parse(const QByteArray &bytes);

} // namespace mira::setfile
