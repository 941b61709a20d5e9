#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include "app/setfilecheck.h"
#include "support/scriptedmodal.h"

using namespace mira;

namespace {

class SetFileCheck : public ::testing::Test {
protected:
    QTemporaryDir dir;
    test::ScriptedModal modal;

    QString write(const QString &name, const QByteArray &bytes)
    {
        const QString path = dir.filePath(name);
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
        return path;
    }

    // Checks with messages and returns the one message shown ("" when none).
    QString refusal(const QString &path)
    {
        modal.asked.clear();
        const bool ok = IsConfigFile(path, true);
        EXPECT_EQ(ok, modal.asked.isEmpty());
        if (modal.asked.isEmpty())
            return {};
        EXPECT_EQ(modal.asked.size(), 1);
        const ModalRecord &r = modal.asked.first();
        EXPECT_EQ(r.kind, ModalRecord::Kind::MessageBox);
        EXPECT_EQ(r.caption, "Illegal Configuration File");
        EXPECT_EQ(r.type, MsgType::Information);
        EXPECT_EQ(r.buttons, mbOK);
        EXPECT_EQ(r.owner, nullptr);
        return r.text;
    }
};

} // namespace

TEST(SetExtension, ComparesTheLastSuffixIgnoringCase)
{
    EXPECT_TRUE(HasSetExtension("/home/u/Work.set"));
    EXPECT_TRUE(HasSetExtension("Work.SET"));
    EXPECT_TRUE(HasSetExtension("my.layout.Set"));
    EXPECT_FALSE(HasSetExtension("Work.set.bak"));
    EXPECT_FALSE(HasSetExtension("Work.sets"));
    EXPECT_FALSE(HasSetExtension("Work"));
    EXPECT_FALSE(HasSetExtension("/home/u/sets.set/Work"));
    EXPECT_FALSE(HasSetExtension(""));
}

TEST_F(SetFileCheck, PathChecksComeFirstInOrder)
{
    EXPECT_EQ(refusal(""), "The file  has no name.");
    EXPECT_EQ(refusal("layout.txt"), "The file layout.txt has wrong extension.");
    EXPECT_EQ(refusal("/no/such/layout.txt"), "The file /no/such/layout.txt has wrong extension.");
    EXPECT_EQ(refusal("layout.set"), "The file layout.set has no path specified.");
    EXPECT_EQ(refusal("sets/layout.set"), "The file sets/layout.set has no path specified.");
    EXPECT_EQ(refusal("\\\\server\\share\\layout.set"),
              "The file \\\\server\\share\\layout.set has no path specified.");
    const QString missing = dir.filePath("missing.set");
    EXPECT_EQ(refusal(missing), "The file " + missing + " not found.");
}

TEST_F(SetFileCheck, FirstLineMustBeTheExactRootHeader)
{
    for (const QByteArray &text :
         {QByteArray("object TBaseForm\r\n  Left = 0\r\nend\r\n"),
          QByteArray("object TBaseForm\nend\n"), QByteArray("object TBaseForm\rend\r"),
          QByteArray("object TBaseForm")}) {
        EXPECT_EQ(refusal(write("good.set", text)), "") << text.toStdString();
    }
    const QByteArray refused[] = {
        "object BaseForm: TBaseForm\r\nend\r\n",
        "OBJECT TBaseForm\r\nend\r\n",
        "\r\nobject TBaseForm\r\nend\r\n",
        " object TBaseForm\r\nend\r\n",
        "object TBaseForm \r\nend\r\n",
        "object TBaseForms\r\nend\r\n",
        "object TPan\r\nend\r\n",
        "\xEF\xBB\xBFobject TBaseForm\r\nend\r\n",
        "",
    };
    for (const QByteArray &text : refused) {
        const QString path = write("bad.set", text);
        EXPECT_EQ(refusal(path), "The file " + path + " is not a configuration file.")
            << text.toStdString();
    }
    // A folder with the extension exists but is no configuration file either.
    ASSERT_TRUE(QDir(dir.path()).mkdir("folder.set"));
    EXPECT_FALSE(IsConfigFile(dir.filePath("folder.set"), false));
}

TEST_F(SetFileCheck, SilentCheckOnlyAnswers)
{
    EXPECT_FALSE(IsConfigFile("", false));
    EXPECT_FALSE(IsConfigFile("layout.set", false));
    EXPECT_TRUE(IsConfigFile(write("ok.set", "object TBaseForm\r\nend\r\n"), false));
    EXPECT_TRUE(modal.asked.isEmpty());
}

TEST_F(SetFileCheck, PathIsShownAsItIs)
{
    const QString path = write("100%1 %2 done.set", "object TPan\r\nend\r\n");
    EXPECT_EQ(refusal(path), "The file " + path + " is not a configuration file.");
}
