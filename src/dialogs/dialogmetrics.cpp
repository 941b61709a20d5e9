#include "dialogs/dialogmetrics.h"

#include <QApplication>
#include <QFontMetrics>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace mira {

namespace {

constexpr int kDesignPixelSize = 11;
// Icon, iconify, maximize and close buttons, and the bar's margins.
constexpr int kTitleDecorations = 5;

} // namespace

QFont DesignFont(qreal logicalDpi)
{
    // Not on this desktop: fontconfig's substitute is the default sans face.
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setPixelSize(
        std::max(kDesignPixelSize, int(std::lround(kDesignPixelSize * logicalDpi / 96.0))));
    return font;
}

QFont DesignFont(const QWidget *widget)
{
    const QScreen *screen = widget && widget->screen() ? widget->screen()
                                                       : QGuiApplication::primaryScreen();
    return DesignFont(screen ? screen->logicalDotsPerInchY() : 96.0);
}

qreal DesignScale(int lineHeight)
{
    return std::max(1.0, qreal(lineHeight) / kDesignLineHeight);
}

qreal DesignScale(const QFont &font)
{
    return DesignScale(QFontMetrics(font).height());
}

int Scaled(int designPixels, qreal scale)
{
    return int(std::lround(designPixels * scale));
}

QRect Scaled(const QRect &design, qreal scale)
{
    return {Scaled(design.x(), scale), Scaled(design.y(), scale), Scaled(design.width(), scale),
            Scaled(design.height(), scale)};
}

int CaptionFitWidth(int captionAdvance, int titleBarHeight, int minimum, int limit)
{
    const int wanted = captionAdvance + kTitleDecorations * titleBarHeight;
    return std::max(minimum, std::min(wanted, limit));
}

int CaptionFitWidth(const QString &caption, int minimum)
{
    // The window manager draws the title in a face of its own, usually about the size
    // of the program's and bold. (The platform's title font is no better guide: the
    // generic desktop gives a 12-point face that no window manager here uses.)
    QFont title = QApplication::font();
    title.setBold(true);
    const QFontMetrics fm(title);
    const QScreen *screen = QGuiApplication::primaryScreen();
    const int limit = screen ? screen->availableGeometry().width() * 3 / 4 : 768;
    return CaptionFitWidth(fm.horizontalAdvance(caption), fm.height() + 8, minimum,
                           std::max(minimum, limit));
}

} // namespace mira
