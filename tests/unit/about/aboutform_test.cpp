#include <QCoreApplication>
#include <QEnterEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QTest>
#include <QTextEdit>
#include <gtest/gtest.h>

#include "about/aboutform.h"
#include "about/versionlist.h"
#include "platform/shell.h"
#include "platform/versioninfo.h"
#include "support/scriptedmodal.h"

using namespace mira;

namespace {

QStringList boxLines(const QTextEdit *box)
{
    return box->toPlainText().split(QLatin1Char('\n'));
}

void hover(QWidget *label)
{
    QEnterEvent enter(QPointF(1, 1), QPointF(1, 1), QPointF(1, 1));
    QCoreApplication::sendEvent(label, &enter);
    QEvent leave(QEvent::Leave);
    QCoreApplication::sendEvent(label, &leave);
}

QList<QPair<QString, QString>> sixteenKeys()
{
    QList<QPair<QString, QString>> table;
    for (const char *key :
         {"ProductName", "ProductVersion", "Product Home Page", "FileDescription", "FileVersion",
          "InternalName", "LegalCopyright", "LegalTradeMarks", "OriginalFilename", "CompanyName",
          "Author", "Author E-mail", "Started", "Continued", "Location", "Comments"})
        table.append({QString::fromLatin1(key), QStringLiteral("v")});
    return table;
}

} // namespace

TEST(VersionList, KeysAreSpacedAndTheBuildIsTheLastPart)
{
    EXPECT_EQ(SpacedKey(QStringLiteral("ProductName")), QStringLiteral("Product Name"));
    EXPECT_EQ(SpacedKey(QStringLiteral("LegalTradeMarks")), QStringLiteral("Legal Trade Marks"));
    EXPECT_EQ(SpacedKey(QStringLiteral("Author E-mail")), QStringLiteral("Author E-mail"));
    EXPECT_EQ(SpacedKey(QStringLiteral("aBc")), QStringLiteral("aBc")); // from the third on
    EXPECT_EQ(SpacedKey(QStringLiteral("abCd")), QStringLiteral("ab Cd"));
    EXPECT_EQ(BuildOf(QStringLiteral("1.0.0.123")), QStringLiteral("123"));
    EXPECT_EQ(BuildOf(QStringLiteral("1.0.0.1234567")), QStringLiteral("12345"));
    EXPECT_EQ(BuildOf(QStringLiteral("7")), QStringLiteral("7"));
}

TEST(VersionList, SixteenKeysGiveSixteenLinesAndTheLanguageAfterTheHeading)
{
    const VersionInfo info = ReadVersionInfo(sixteenKeys(), QStringLiteral("/opt/mira/mira"),
                                             QStringLiteral("English (United States)"));
    ASSERT_EQ(info.lines.size(), 3 + 16 + 1);
    EXPECT_EQ(info.lines.mid(0, 3), QStringList({"", "Version Information", ""}));
    EXPECT_EQ(info.lines[3], QStringLiteral("Product Name: v"));
    EXPECT_EQ(info.lines[17], QStringLiteral("Location: v"));
    EXPECT_EQ(info.lines[18], QStringLiteral("Language: English (United States)"));
    EXPECT_EQ(info.lines[19], QStringLiteral("Comments: v"));

    const VersionInfo none = ReadVersionInfo({}, QStringLiteral("/opt/mira/mira"), QString());
    EXPECT_EQ(none.lines.last(), QStringLiteral("/opt/mira/mira contains no version info."));
    EXPECT_EQ(none.lines.size(), 4);
}

TEST(AboutBox, FieldsComeFromTheCompiledVersionTableAndTheEngine)
{
    const auto table = platform::ProgramVersionTable();
    ASSERT_EQ(table.size(), 16);
    QString fileVersion;
    for (const auto &[key, value] : table)
        if (key == QLatin1String("FileVersion"))
            fileVersion = value;
    EXPECT_TRUE(fileVersion.startsWith(QStringLiteral(MIRA_VERSION_TEXT ".")));

    TAboutForm form;
    EXPECT_EQ(form.windowTitle(), QStringLiteral("About Mira"));
    EXPECT_EQ(form.size(), QSize(362, 540));
    EXPECT_EQ(form.txProductName->text(), QStringLiteral("Mira"));
    EXPECT_EQ(form.txVersion->text(), QStringLiteral("Version " MIRA_VERSION_TEXT));
    EXPECT_EQ(form.txBuild->text(), QStringLiteral("Build ") + BuildOf(fileVersion));
    const QStringList lines = boxLines(form.meVersion);
    ASSERT_EQ(lines.size(), 20);
    EXPECT_EQ(lines[4], QStringLiteral("Product Version: " MIRA_VERSION_TEXT));
    EXPECT_EQ(lines[7], QStringLiteral("File Version: ") + fileVersion);

    const QString engine = platform::EngineVersion();
    EXPECT_FALSE(engine.isEmpty());
    EXPECT_EQ(form.txIE->text(), QStringLiteral("Qt WebEngine Chromium Version ") + engine);
    EXPECT_TRUE(form.txWin->text().endsWith(platform::OperatingSystemVersion()));
    EXPECT_TRUE(form.txWin->text().startsWith(QStringLiteral("Linux Version ")));

    // Each built-in text opens with an empty line, its title and an empty line.
    for (QTextEdit *box : {form.meMira, form.meHints, form.meIssues}) {
        const QStringList text = boxLines(box);
        ASSERT_GT(text.size(), 4);
        EXPECT_TRUE(text[0].isEmpty() && !text[1].isEmpty() && text[2].isEmpty());
    }
    EXPECT_EQ(boxLines(form.meHints)[1], QStringLiteral("Hints & Tips"));
}

TEST(AboutBox, WithoutVersionInfoTheLabelsKeepTheirPlaceholders)
{
    TAboutForm form({}, nullptr);
    EXPECT_EQ(form.txVersion->text(), QStringLiteral("Version 0.0"));
    EXPECT_EQ(form.txBuild->text(), QStringLiteral("Build 0000"));
    EXPECT_TRUE(
        boxLines(form.meVersion).last().endsWith(QStringLiteral(" contains no version info.")));
}

TEST(AboutBox, OneTextBoxAtATimeShowsWhileItsTitleIsHovered)
{
    TAboutForm form;
    form.show();
    for (QTextEdit *box : {form.meVersion, form.meMira, form.meHints, form.meIssues})
        EXPECT_FALSE(box->isVisible());

    hover(form.txHints);
    EXPECT_TRUE(form.meHints->isVisible()); // leaving the title keeps it
    hover(form.txIssues);
    EXPECT_TRUE(form.meIssues->isVisible());
    EXPECT_FALSE(form.meHints->isVisible());

    hover(form.txHome); // a link hides them all
    EXPECT_FALSE(form.meIssues->isVisible());

    hover(form.txVersionInfo);
    EXPECT_TRUE(form.meVersion->isVisible());
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(5, 5), Qt::LeftButton,
                      Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&form, &press); // a click on the background hides them
    EXPECT_FALSE(form.meVersion->isVisible());
}

TEST(AboutBox, TheLinksOpenTheHomePageAndAMailToTheAuthor)
{
    TAboutForm form;
    QStringList opened;
    form.OpenLink = [&](const QString &address) {
        opened << address;
        return true;
    };
    for (AboutText *link : {form.txHome, form.txMail}) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &press);
    }
    QString home, mail;
    for (const auto &[key, value] : platform::ProgramVersionTable()) {
        if (key == QLatin1String("Product Home Page"))
            home = value;
        if (key == QLatin1String("Author E-mail"))
            mail = value;
    }
    EXPECT_EQ(opened, QStringList({home, QStringLiteral("mailto:") + mail}));
    EXPECT_EQ(form.txMail->toolTip(), mail);
}

TEST(AboutBox, ALinkNothingOpensSaysSoNamingTheAddress)
{
    test::ScriptedModal modal;
    TAboutForm form;
    bool opens = false;
    form.OpenLink = [&](const QString &) { return opens; };
    const auto click = [](QWidget *link) {
        QMouseEvent press(QEvent::MouseButtonPress, QPointF(2, 2), QPointF(2, 2), Qt::LeftButton,
                          Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(link, &press);
    };
    click(form.txHome);
    click(form.txMail);
    ASSERT_EQ(modal.asked.size(), 2);
    for (const ModalRecord &r : modal.asked) {
        EXPECT_EQ(r.kind, ModalRecord::Kind::MessageBox);
        EXPECT_EQ(r.caption, QStringLiteral("Link Failure"));
        EXPECT_EQ(r.owner, &form);
    }
    EXPECT_TRUE(modal.asked[0].text.contains(form.txHome->toolTip()))
        << modal.asked[0].text.toStdString();
    EXPECT_TRUE(modal.asked[1].text.contains(QStringLiteral("mailto:") + form.txMail->toolTip()));

    // A link that opens says nothing.
    opens = true;
    click(form.txHome);
    EXPECT_EQ(modal.asked.size(), 2);
}

TEST(AboutBox, TheOpaqueFreewareLabelIsPaintedInTheWindow)
{
    TAboutForm form;
    form.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&form));
    QCoreApplication::processEvents();
    // What the window shows, not a fresh rendering of the widgets.
    const QImage shown = form.screen()->grabWindow(form.winId()).toImage();
    const QRect label(form.txStatus->mapTo(&form, QPoint(0, 0)), form.txStatus->size());
    int dark = 0;
    for (int y = label.top(); y <= label.bottom(); ++y)
        for (int x = label.left(); x <= label.right(); ++x)
            dark += qGray(shown.pixel(x, y)) < 64;
    // The letters are dark; the label's background is not.
    EXPECT_LT(dark, label.width() * label.height() / 3);
}

TEST(ShellOpen, AnEmptyAddressIsAFailureNotASilentSuccess)
{
    EXPECT_FALSE(platform::ShellOpen(QString()));
}

// Remakes docs/about.png (scripts/about-screenshot): the box as it opens, and with
// the mouse on "About MIRA".
TEST(AboutBox, DISABLED_MakesTheReadmePicture)
{
    const QString path = qEnvironmentVariable("MIRA_SCREENSHOT");
    ASSERT_FALSE(path.isEmpty()) << "MIRA_SCREENSHOT names the picture to write";
    TAboutForm form;
    form.show();
    QCoreApplication::processEvents();
    const QPixmap plain = form.grab();
    hover(form.txMira);
    QCoreApplication::processEvents();
    const QPixmap hovered = form.grab();
    QPixmap both(plain.width() * 2 + 16, plain.height());
    both.fill(Qt::transparent);
    QPainter p(&both);
    p.drawPixmap(0, 0, plain);
    p.drawPixmap(plain.width() + 16, 0, hovered);
    p.end();
    ASSERT_TRUE(both.save(path, "PNG"));
}
