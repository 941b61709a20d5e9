#include "support/testenvironment.h"

#include <QByteArray>

namespace mira::test {

TestEnvironment::TestEnvironment()
{
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    // The engine runs as root in CI: no sandbox, no GPU, no calls home.
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_DISABLE_SANDBOX"))
        qputenv("QTWEBENGINE_DISABLE_SANDBOX", "1");
    if (qEnvironmentVariableIsEmpty("QTWEBENGINE_CHROMIUM_FLAGS"))
        qputenv("QTWEBENGINE_CHROMIUM_FLAGS",
                "--disable-gpu --disable-background-networking --disable-component-update");
    if (qEnvironmentVariableIsEmpty("QT_LOGGING_RULES"))
        qputenv("QT_LOGGING_RULES", "qt.webenginecontext.debug=false");
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (dataHome.path() + "/cache").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dataHome.path() + "/config").toLocal8Bit());
    // Qt's test mode is left off: it would send data to a fixed folder in the home
    // directory that outlives the run.
}

} // namespace mira::test
