#include <QApplication>
#include <QProxyStyle>
#include <QStyleFactory>
#include <QToolBar>
#include <gtest/gtest.h>

#include "icons/styleicons.h"

using namespace mira;

namespace {

// Counts what the style is asked to draw.
class CountingStyle : public QProxyStyle {
public:
    CountingStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}
    QIcon standardIcon(StandardPixmap icon, const QStyleOption *option,
                       const QWidget *widget) const override
    {
        ++drawn[icon];
        return QProxyStyle::standardIcon(icon, option, widget);
    }
    mutable QHash<int, int> drawn;
};

} // namespace

TEST(StyleIcons, ToolBarsShareOneExtensionIconPerDirectionAndOtherIconsAreAskedFor)
{
    auto *counting = new CountingStyle;
    KeptIconsStyle kept(counting);
    const auto ext = QStyle::SP_ToolBarHorizontalExtensionButton;
    const QIcon first = kept.standardIcon(ext);
    EXPECT_FALSE(first.isNull());
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(kept.standardIcon(ext).cacheKey(), first.cacheKey());
    EXPECT_EQ(counting->drawn.value(ext), 1);

    QStyleOption rightToLeft;
    rightToLeft.direction = Qt::RightToLeft;
    EXPECT_NE(kept.standardIcon(ext, &rightToLeft).cacheKey(), first.cacheKey());
    EXPECT_EQ(counting->drawn.value(ext), 2);

    kept.standardIcon(QStyle::SP_DialogOkButton);
    kept.standardIcon(QStyle::SP_DialogOkButton);
    EXPECT_EQ(counting->drawn.value(QStyle::SP_DialogOkButton), 2);
}

TEST(StyleIcons, TheApplicationsStyleIsKeptOnceAndToolBarsTakeTheirIconFromIt)
{
    const QString name = QApplication::style()->name();
    KeepStyleIcons();
    KeepStyleIcons();
    auto *style = qobject_cast<KeptIconsStyle *>(QApplication::style());
    ASSERT_NE(style, nullptr);
    ASSERT_NE(style->baseStyle(), nullptr);
    EXPECT_EQ(style->baseStyle()->name(), name);
    EXPECT_EQ(qobject_cast<KeptIconsStyle *>(style->baseStyle()), nullptr);

    QToolBar one, two;
    const QIcon icon = style->standardIcon(QStyle::SP_ToolBarHorizontalExtensionButton);
    for (QToolBar *bar : {&one, &two}) {
        const auto buttons = bar->findChildren<QToolButton *>();
        ASSERT_EQ(buttons.size(), 1);
        EXPECT_EQ(buttons.front()->icon().cacheKey(), icon.cacheKey());
    }
}
