#include <QFile>
#include <gtest/gtest.h>

#include "app/formstream.h"
#include "layout/book.h"
#include "layout/pan.h"
#include "layout/setstream.h"
#include "layout/split.h"
#include "support/programfixture.h"
#include "support/testdata.h"

using namespace mira;

namespace {

using mira::test::crlf;
using mira::test::testData;

class SetStream : public test::ProgramTest {
protected:
    void SetUp() override
    {
        ProgramTest::SetUp();
        start();
    }
};

} // namespace

TEST_F(SetStream, ContainersBooksPagesAndSplittersRoundTripByteForByte)
{
    const QByteArray text = testData("containers.set");
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    TPan *root = form()->RootContainer();
    ASSERT_NE(root, nullptr);
    auto *book = root->findChild<TBook *>();
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->PageCount(), 3);
    EXPECT_EQ(book->ActivePageIndex(), 2);
    EXPECT_EQ(book->Page(1)->Caption(), QStringLiteral("It's #2"));
    EXPECT_EQ(form()->Tag(), 2);
    EXPECT_EQ(WriteConfigSet(form()), text);
}

TEST_F(SetStream, BookWithoutActiveIndexShowsFirstPageAndWritesNone)
{
    const QByteArray text = crlf(
        "object TBaseForm\n  Left = 0\n  Top = 0\n  Width = 600\n  Height = 400\n"
        "  object TBook\n    Left = 0\n    Top = 0\n    Width = 300\n"
        "    Height = 200\n    TabOrder = 0\n"
        "    object TPage\n      Caption = 'A'\n    end\n"
        "    object TPage\n      Caption = 'B'\n    end\n  end\nend\n");
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    auto *book = form()->ClientArea()->findChild<TBook *>();
    ASSERT_NE(book, nullptr);
    EXPECT_EQ(book->PageCount(), 2);
    EXPECT_EQ(book->ActivePageIndex(), 0);
    EXPECT_FALSE(WriteConfigSet(form()).contains("ActiveIndex"));
}

TEST_F(SetStream, LargeFontSetIsScaledDown13To16KeepingTheWindowBounds)
{
    const QByteArray text = crlf(
        "object TBaseForm\n  Left = 10\n  Top = 20\n  Width = 800\n  Height = 600\n"
        "  PixelsPerInch = 120\n  TextHeight = 16\n"
        "  object TPan\n    Left = 8\n    Top = 0\n    Width = 400\n"
        "    Height = 160\n  end\nend\n");
    ASSERT_EQ(form()->TextHeight(), 13);
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    TPan *pan = form()->RootContainer();
    ASSERT_NE(pan, nullptr);
    EXPECT_EQ(pan->geometry(), QRect(7, 0, 325, 130)); // 8*13/16 = 6.5 rounds to 7
    EXPECT_EQ(form()->StoredBounds(), QRect(10, 20, 800, 600));
}

TEST_F(SetStream, FileWithoutTextHeightIsNotScaled)
{
    const QByteArray text = crlf("object TBaseForm\n  PixelsPerInch = 120\n"
                                 "  object TPan\n    Width = 400\n    Height = 160\n  end\nend\n");
    ASSERT_EQ(ReadConfigSet(form(), text), QString());
    EXPECT_EQ(form()->RootContainer()->size(), QSize(400, 160));
}

TEST(MulDiv, RoundsHalfAwayFromZero)
{
    EXPECT_EQ(MulDiv(8, 13, 16), 7);
    EXPECT_EQ(MulDiv(-8, 13, 16), -7);
    EXPECT_EQ(MulDiv(400, 13, 16), 325);
    EXPECT_EQ(MulDiv(3, 13, 16), 2);
}

struct BadSet {
    const char *text;
    const char *message;
};

class SetStreamFaults : public SetStream, public ::testing::WithParamInterface<BadSet> {};

TEST_P(SetStreamFaults, ReportsTheFaultAndCreatesNothing)
{
    form()->SetTag(5);
    const int before = form()->ClientArea()->findChildren<QWidget *>().size();
    EXPECT_EQ(ReadConfigSet(form(), crlf(GetParam().text)),
              QString::fromLatin1(GetParam().message));
    EXPECT_EQ(form()->ClientArea()->findChildren<QWidget *>().size(), before);
    EXPECT_EQ(form()->Tag(), 5);
}

INSTANTIATE_TEST_SUITE_P(
    Table, SetStreamFaults,
    ::testing::Values(
        BadSet{"object TBaseForm\n  object TButton\n  end\nend\n", "Class TButton not found"},
        BadSet{"object TBaseForm\n  object TPan\n    Colour = 3\n  end\nend\n",
               "Error reading TPan.Colour: Property does not exist"},
        BadSet{"object TBaseForm\n  object TPan\n    Constraints.MinHeight = 3\n  end\nend\n",
               "Error reading TPan.Constraints.MinHeight: Invalid property path"},
        BadSet{"object TBaseForm\n  object TPan\n    Width = 'wide'\n  end\nend\n",
               "Error reading TPan.Width: Invalid property value"},
        BadSet{"object TBaseForm\n  object TPan\n    Width = 99999999\n  end\nend\n",
               "Error reading TPan.Width: Width property out of range"},
        BadSet{"object TBaseForm\n  object TPan\n    Align = alMiddle\n  end\nend\n",
               "Error reading TPan.Align: Invalid property value"},
        BadSet{"object TBaseForm\n  Tag = 'x'\n  object TPan\n  end\nend\n",
               "Error reading TBaseForm.Tag: Invalid property value"},
        BadSet{"object TBaseForm\n  object A: TPan\n  end\n  object a: TPan\n  end\nend\n",
               "A component named a already exists"},
        BadSet{"object TBaseForm\n  object TPan\n    object TBook\n      object TPan\n      end\n"
               "    end\n  end\nend\n",
               "Error reading TBook: TPan can not be placed there"},
        BadSet{"object TBaseForm\n  object TPan\n  end\n  object TPan\n    Left = 1\n"
               "  end\n  object TWhat\n  end\nend\n",
               "Class TWhat not found"},
        BadSet{"object TBaseForm\n  Left = \nend\n", "'end' expected on line 3"}));
