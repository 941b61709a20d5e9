#pragma once
// The about box's built-in texts. Each starts with an empty line, its title (shown
// centred) and an empty line.
#include <QStringList>

namespace mira {

QStringList AboutMiraText();
QStringList HintsAndTipsText();
QStringList KnownIssuesText();

} // namespace mira
