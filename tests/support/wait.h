#pragma once
#include <functional>

namespace mira::test {

constexpr int kWaitTimeoutMs = 15000;

// Runs the event loop until done() holds or the time is up; true when it holds.
// Not QTest::qWaitFor: its sleeps between event batches starve the engine, and a
// load takes seconds instead of milliseconds.
bool waitUntil(const std::function<bool()> &done, int ms = kWaitTimeoutMs);

} // namespace mira::test
