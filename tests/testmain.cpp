// Test entry: one offscreen QApplication for the whole run, created the way the
// program creates its own, so widgets and the engine behave as in Mira.
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/program.h"
#include "platform/useengine.h"

int main(int argc, char **argv)
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
    // Engine data (zoom level, online state, cache) goes to a folder of this run only.
    QTemporaryDir dataHome;
    qputenv("XDG_DATA_HOME", dataHome.path().toLocal8Bit());
    qputenv("XDG_CACHE_HOME", (dataHome.path() + "/cache").toLocal8Bit());
    qputenv("XDG_CONFIG_HOME", (dataHome.path() + "/config").toLocal8Bit());
    // Qt's test mode is left off: it would send data to a fixed folder in the home
    // directory that outlives the run.

    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::platform::UseEngine();
    mira::initProgram(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
