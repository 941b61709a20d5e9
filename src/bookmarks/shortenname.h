#pragma once
// Shortening of page titles into bookmark names and menu captions: cut at a break
// character near the width, so that words are not split where it can be helped.
#include <QString>

namespace mira {

// The text unchanged when it has at most width characters; otherwise cut before the
// latest break character (tab, space, , - . / : ; \) met at or before position
// width - 1 outside a quoted stretch, or after the first width characters when there
// is none, with trailing break characters removed. *cut tells whether it was cut.
QString CutAtBreak(const QString &text, int width, bool *cut = nullptr);

// The proposed name of a bookmark: CutAtBreak with width 25.
QString ShortenName(const QString &text);

// CutAtBreak followed by "..." when the text was cut.
QString Abbreviate(const QString &text, int width);

bool IsBreakChar(QChar c);

} // namespace mira
