// Entry of a layer's unit tests: the layer and those below it, without the program. The
// application object is a plain one named as the program names its own (settings and
// data folders follow the name); a binary built with MIRA_TEST_ENGINE chooses the engine
// as the program does at start-up, the others make web views only from a test's factory.
#include <QApplication>
#include <gtest/gtest.h>

#include "support/testenvironment.h"
#ifdef MIRA_TEST_ENGINE
#include "platform/useengine.h"
#endif

int main(int argc, char **argv)
{
    const mira::test::TestEnvironment environment;
    QCoreApplication::setAttribute(Qt::AA_ShareOpenGLContexts);
    QCoreApplication::setOrganizationName(QStringLiteral("mira"));
    QCoreApplication::setApplicationName(QStringLiteral("mira"));
    QApplication app(argc, argv);
#ifdef MIRA_TEST_ENGINE
    mira::platform::UseEngine();
#endif
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
