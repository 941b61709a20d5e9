#include <gtest/gtest.h>

#include "platform/scenegraph.h"

using mira::platform::DrawViewsInSoftware;

TEST(SceneGraph, ViewsAreDrawnInSoftwareOnlyWhenTheEnginesGpuIsOffAndNoBackendIsChosen)
{
    struct Row {
        const char *flags;
        const char *chosen;
        bool software;
    };
    const Row rows[] = {
        {"", "", false},
        {"--disable-gpu", "", true},
        {"  --process-per-site \t  --disable-gpu  ", "", true},
        // Flags that merely start like it leave the GPU on.
        {"--disable-gpu-compositing", "", false},
        {"--disable-gpu-rasterization --enable-gpu", "", false},
        // A backend the user named wins, whatever it is.
        {"--disable-gpu", "opengl", false},
        {"--disable-gpu", "software", false},
        {"--disable-gpu", "  ", true},
    };
    for (const Row &row : rows)
        EXPECT_EQ(DrawViewsInSoftware(row.flags, row.chosen), row.software)
            << row.flags << " | " << row.chosen;
}
