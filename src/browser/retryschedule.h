#pragma once
// When a pane whose bookmark failed to load tries again: pauses that double from
// FirstRetryMs to LastRetryMs, each shortened by up to a fifth by a number that
// differs between panes, so a wall of panes does not knock on a server all at once.
#include <QtGlobal>

namespace mira {

constexpr qint64 FirstRetryMs = 5000;
constexpr qint64 LastRetryMs = 300000;

// The pause after the failures-th failure in a row (1 or more).
qint64 RetryDelayMs(int failures, quint32 spread);

} // namespace mira
