#pragma once
// The environment every test binary runs in, set before its application object exists.
#include <QTemporaryDir>

namespace mira::test {

// Offscreen unless the caller asks for a display; the engine without sandbox, GPU or
// calls home; engine data (zoom level, online state, cache) and settings in a folder of
// this run only, removed with this object.
class TestEnvironment {
public:
    TestEnvironment();

private:
    QTemporaryDir dataHome;
};

} // namespace mira::test
