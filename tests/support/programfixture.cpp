#include "support/programfixture.h"

#include <QFile>

#include "dialogs/messagebox.h"
#include "support/testdata.h"

namespace mira::test {

void ProgramTest::SetUp()
{
    savedValues = programValues();
    programValues().programFolder = dir.path() + QLatin1Char('/');
    SetWorkArea(QRect(0, 0, 1024, 740));
}

void ProgramTest::TearDown()
{
    program.reset();
    programValues() = savedValues;
}

void ProgramTest::start(const QStringList &arguments)
{
    program = CreateProgram(arguments);
    // No engine in unit tests: the text size reads as Medium.
    module()->AllPanes().ReadTextSize = [] { return 2; };
}

QString ProgramTest::writeFile(const QString &name, const QByteArray &content)
{
    const QString path = folder() + name;
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly)) << path.toStdString();
    f.write(content);
    return path;
}

QByteArray ProgramTest::readFile(const QString &path) const
{
    return mira::test::readFile(path);
}

} // namespace mira::test
