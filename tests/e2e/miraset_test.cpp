// The mira-set companion on real files.
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct ToolRun {
    int code;
    QByteArray out;
    QByteArray err;
};

ToolRun miraSet(const QStringList &args)
{
    QProcess p;
    p.start(QStringLiteral(MIRA_BINARY_DIR "/mira-set"), args);
    p.waitForFinished(60000);
    return {p.exitCode(), p.readAllStandardOutput(), p.readAllStandardError()};
}

QString write(const QTemporaryDir &dir, const char *name, const QByteArray &text)
{
    const QString path = dir.path() + QLatin1Char('/') + QLatin1String(name);
    QFile f(path);
    f.open(QIODevice::WriteOnly);
    f.write(text);
    return path;
}

} // namespace

TEST(MiraSet, CheckReportsEachFileAndFailsWhenAnyFails)
{
    QTemporaryDir dir;
    const QString good = QStringLiteral(MIRA_TEST_DATA_DIR "/containers.set");
    const QString broken = write(dir, "broken.set", "object TBaseForm\r\n  Left = \r\n");
    const QString unknown = write(dir, "unknown.set",
                                  "object TBaseForm\r\n  object TGadget\r\n  end\r\nend\r\n");
    ToolRun r = miraSet({QStringLiteral("check"), good});
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, (good + QStringLiteral(": ok\n")).toUtf8());
    r = miraSet({QStringLiteral("check"), good, broken, unknown});
    EXPECT_NE(r.code, 0);
    const QList<QByteArray> lines = r.out.split('\n');
    ASSERT_GE(lines.size(), 3);
    EXPECT_TRUE(lines[1].startsWith((broken + QStringLiteral(": ")).toUtf8()));
    EXPECT_TRUE(lines[1].contains("on line"));
    EXPECT_EQ(lines[2], (unknown + QStringLiteral(": Class TGadget not found")).toUtf8());
}

TEST(MiraSet, FormatPrintsWhatSavingWouldWriteAndNeverWrites)
{
    QTemporaryDir dir;
    // Hand-edited: LF line ends, odd case, a long caption, a doubled quote.
    const QByteArray edited =
        "OBJECT TBaseForm\n  left = 0\n  top = 0\n  width = 640\n  height = 480\n"
        "  object TBook\n    Left = 0\n    Top = 0\n    Width = 300\n    Height = 200\n"
        "    object TPage\n      Caption = 'Bob''s' + ' page'\n    end\n  end\nend\n";
    const QString path = write(dir, "edited.set",
                               "object TBaseForm\n" + edited.mid(edited.indexOf('\n') + 1));
    const ToolRun r = miraSet({QStringLiteral("format"), path});
    EXPECT_EQ(r.code, 0) << r.err.toStdString();
    EXPECT_TRUE(r.out.startsWith("object TBaseForm\r\n  Left = 0\r\n"));
    EXPECT_TRUE(r.out.contains("      Caption = 'Bob'#39's page'\r\n"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    EXPECT_FALSE(f.readAll().contains('\r'));
}

TEST(MiraSet, UsageErrorsExitWithTwo)
{
    EXPECT_EQ(miraSet({}).code, 2);
    EXPECT_EQ(miraSet({QStringLiteral("explode"), QStringLiteral("x.set")}).code, 2);
}
