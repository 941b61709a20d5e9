// A save killed at any moment leaves either the old or the new whole set on disk.
#include <QFile>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QThread>
#include <csignal>
#include <gtest/gtest.h>

#include "setfile/setsyntax.h"
#include "support/testdata.h"

namespace {

QByteArray largeSet()
{
    QByteArray t =
        "object TBaseForm\r\n  Left = 0\r\n  Top = 0\r\n  Width = 800\r\n  Height = 600\r\n"
        "  PixelsPerInch = 96\r\n  TextHeight = 13\r\n"
        "  object TPan\r\n    Left = 0\r\n    Top = 0\r\n    Width = 792\r\n    Height = 535\r\n"
        "    Align = alClient\r\n    object TBook\r\n      Left = 0\r\n      Top = 0\r\n"
        "      Width = 792\r\n      Height = 535\r\n      Align = alClient\r\n"
        "      TabOrder = 0\r\n";
    for (int i = 0; i < 300; ++i) {
        t += "      object TPage\r\n        Caption = '";
        t += QByteArray::number(i) + QByteArray(1000, 'x');
        t += "'\r\n      end\r\n";
    }
    t += "    end\r\n  end\r\nend\r\n";
    return t;
}

} // namespace

TEST(SaveCrash, KilledSavesLeaveTheOldOrTheNewWholeSet)
{
    QTemporaryDir dir;
    const QString path = dir.path() + QStringLiteral("/Big.set");
    {
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(largeSet());
    }
    const QString child = QStringLiteral(MIRA_BINARY_DIR "/mira_save_child");
    const int rounds = 200;
    int killedMidSave = 0;
    for (int round = 0; round < rounds; ++round) {
        // A child killed before its first save leaves the set as it found it: that too
        // is a whole set (on a busy machine it often is).
        const QByteArray before = mira::test::readFile(path);
        QProcess p;
        p.start(child, {path});
        ASSERT_TRUE(p.waitForStarted(10000));
        ASSERT_TRUE(p.waitForReadyRead(20000))
            << "round " << round << ": " << p.readAllStandardError().toStdString();
        const QByteArray a = mira::test::readFile(path + QStringLiteral(".a"));
        const QByteArray b = mira::test::readFile(path + QStringLiteral(".b"));
        ASSERT_FALSE(a.isEmpty());
        ASSERT_NE(a, b);
        QThread::usleep(QRandomGenerator::global()->bounded(20000));
        ::kill(pid_t(p.processId()), SIGKILL);
        p.waitForFinished(10000);
        const QByteArray now = mira::test::readFile(path);
        const bool whole = now == a || now == b || now == before;
        if (!whole)
            ++killedMidSave;
        ASSERT_TRUE(whole) << "round " << round << ": " << now.size() << " bytes";
        ASSERT_TRUE(mira::setfile::parse(now).ok()) << "round " << round;
    }
    EXPECT_EQ(killedMidSave, 0);
}
