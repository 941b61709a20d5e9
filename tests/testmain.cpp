// Entry of the tests that drive the whole program (the program's units, integration and
// end-to-end tests): one offscreen application for the whole run, created the way the
// program creates its own, so widgets and the engine behave as in Mira.
#include <gtest/gtest.h>

#include "app/application.h"
#include "app/program.h"
#include "platform/useengine.h"
#include "support/testenvironment.h"

int main(int argc, char **argv)
{
    const mira::test::TestEnvironment environment;
    mira::prepareApplication();
    mira::MiraApplication app(argc, argv);
    mira::platform::UseEngine();
    mira::initProgram(app);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
