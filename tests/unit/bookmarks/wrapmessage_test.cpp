#include <QList>
#include <gtest/gtest.h>

#include "bookmarks/wrapmessage.h"

using namespace mira;

namespace {

// A text of `length` letters with the given characters at 1-based positions.
QString textWith(int length, const QList<QPair<int, QChar>> &marks)
{
    QString text(length, u'a');
    for (const auto &[position, c] : marks)
        text[position - 1] = c;
    return text;
}

} // namespace

TEST(WrapMessage, BreaksAfterTheLastFirstChoiceSeparatorBetween30And44)
{
    // The slash at 41 wins over the earlier blank, and over the period after it.
    const QString address = textWith(60, {{33, u' '}, {41, u'/'}, {43, u'.'}});
    EXPECT_EQ(WrapMessage(address), address.left(41) + u'\n' + address.mid(41));
}

TEST(WrapMessage, SecondChoiceSeparatorsOnlyWithoutFirstChoiceOnes)
{
    const QString address = textWith(60, {{35, u'.'}, {38, u'-'}, {20, u'/'}, {45, u'/'}});
    EXPECT_EQ(WrapMessage(address), address.left(38) + u'\n' + address.mid(38));
}

TEST(WrapMessage, WithoutSeparatorsTheLineEndsAfter44)
{
    const QString address = textWith(60, {{29, u'/'}, {45, u'/'}});
    EXPECT_EQ(WrapMessage(address), address.left(44) + u'\n' + address.mid(44));
    // A long run is cut into 44-character lines.
    const QString run(100, u'x');
    EXPECT_EQ(WrapMessage(run), run.left(44) + u'\n' + run.mid(44, 44) + u'\n' + run.mid(88));
}

TEST(WrapMessage, KeepsShortTextsAndLineFeedsOfItsOwn)
{
    EXPECT_EQ(WrapMessage(QString(44, u'x')), QString(44, u'x'));
    EXPECT_EQ(WrapMessage(QString()), QString());
    const QString address = textWith(60, {{41, u'/'}});
    const QString prompt = QStringLiteral("Enter a name for the address\n") + address;
    EXPECT_EQ(WrapMessage(prompt), QStringLiteral("Enter a name for the address\n")
                                       + address.left(41) + u'\n' + address.mid(41));
    // A line feed among the first 45 characters ends the line there.
    const QString feedAt45 = QString(44, u'x') + u'\n' + QString(10, u'y');
    EXPECT_EQ(WrapMessage(feedAt45), feedAt45);
}
