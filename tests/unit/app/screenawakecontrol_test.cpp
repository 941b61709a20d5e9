#include <QAction>
#include <QCoreApplication>
#include <gtest/gtest.h>

#include "app/screenawakecontrol.h"
#include "support/programfixture.h"

using namespace mira;

namespace {

class FakeAwake : public platform::ScreenAwake {
public:
    explicit FakeAwake(QList<bool> &log) : calls(log) {}
    void SetAwake(bool on) override
    {
        if (on != awake)
            calls << on;
        awake = on;
    }
    bool Awake() const override { return awake; }
    bool awake = false;
    QList<bool> &calls;
};

class ScreenAwakeWall : public test::ProgramTest {
protected:
    void openSet(int tag) { ASSERT_NO_FATAL_FAILURE(load(tag)); }
    void load(int tag)
    {
        writeFile(QStringLiteral("Wall.set"),
                  "object TBaseForm\r\n  Tag = " + QByteArray::number(tag)
                      + "\r\n  Left = 10\r\n  Top = 20\r\n  Width = 640\r\n  Height = 480\r\n"
                        "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
                        "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 632\r\n"
                        "    Height = 415\r\n    Align = alClient\r\n  end\r\nend\r\n");
        start({QStringLiteral("Wall")});
        ASSERT_TRUE(module()->File().Sets().IsSetOpen());
        // Stands in for the desktop's service.
        control = new ScreenAwakeControl(*module(), std::make_unique<FakeAwake>(calls));
        control->Update();
    }
    bool awake() const { return control->Awake().Awake(); }

    QList<bool> calls;
    ScreenAwakeControl *control = nullptr;
};

} // namespace

TEST_F(ScreenAwakeWall, AwakeWhileTheWallIsShownAndNotMinimized)
{
    ASSERT_NO_FATAL_FAILURE(openSet(256));
    EXPECT_FALSE(awake()); // not shown yet
    form()->show();
    EXPECT_TRUE(awake());
    form()->showMinimized();
    QCoreApplication::processEvents();
    EXPECT_FALSE(awake());
    form()->showNormal();
    QCoreApplication::processEvents();
    EXPECT_TRUE(awake());
    form()->hide();
    EXPECT_FALSE(awake());
    EXPECT_EQ(calls, (QList<bool>{true, false, true, false}));
}

TEST_F(ScreenAwakeWall, FollowsGoAllOnOpen)
{
    ASSERT_NO_FATAL_FAILURE(openSet(0));
    form()->show();
    EXPECT_FALSE(awake());
    module()->Action("GoAllOnOpenAction")->trigger();
    EXPECT_TRUE(awake());
    module()->Action("GoAllOnOpenAction")->trigger();
    EXPECT_FALSE(awake());
}

TEST_F(ScreenAwakeWall, ReleasedWhenTheSetCloses)
{
    ASSERT_NO_FATAL_FAILURE(openSet(256));
    form()->show();
    ASSERT_TRUE(awake());
    module()->File().Sets().CloseConfigFile();
    EXPECT_FALSE(awake());
}
