#pragma once
// Line breaking for the prompts that show a location address: an address has no
// blanks, so the box's own word wrap would not break it at all.
#include <QString>

namespace mira {

// Breaks text into lines of at most 44 characters, each ending (with a line feed
// added) at the last separator among its characters 30 to 44: first / : ; ? + | = &
// or a blank, else \ . % # - $ @ ! ~, else after character 44. Line feeds already in
// the text are kept as breaks.
QString WrapMessage(const QString &text);

} // namespace mira
