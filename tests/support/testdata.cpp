#include "support/testdata.h"

#include <QFile>
#include <gtest/gtest.h>

namespace mira::test {

QByteArray testData(const char *name)
{
    QFile f(QStringLiteral(MIRA_TEST_DATA_DIR "/") + QString::fromLatin1(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name;
    return f.readAll();
}

QByteArray crlf(QByteArray text)
{
    return text.replace("\r\n", "\n").replace("\n", "\r\n");
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool copyProgramInto(const QString &folder)
{
    return QFile::copy(QStringLiteral(MIRA_BINARY_DIR "/mira"), folder + QStringLiteral("/mira"));
}

} // namespace mira::test
