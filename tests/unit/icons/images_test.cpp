#include <QColor>
#include <QDir>
#include <QFont>
#include <QImage>
#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

#include "icons/images.h"

using namespace mira;

namespace {

const QList<int> UsedIndexes{0,  1,  2,  3,  9,  12, 14, 15, 16, 17, 18,
                             19, 21, 22, 23, 24, 25, 26, 28, 30, 33};

int VisiblePixels(const QImage &image)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += qAlpha(image.pixel(x, y)) > 32 ? 1 : 0;
    return n;
}

// Mean HSV saturation of the opaque enough pixels, 0..255.
double MeanSaturation(const QImage &image)
{
    double sum = 0;
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            const QColor c = image.pixelColor(x, y);
            if (c.alpha() > 128) {
                sum += c.hsvSaturation();
                ++n;
            }
        }
    return n ? sum / n : 0;
}

QImage ImageOf(const QPixmap &pixmap)
{
    return pixmap.toImage().convertToFormat(QImage::Format_ARGB32);
}

} // namespace

TEST(Images, UsedIndexesHaveVisibleDrawingsOfTwentyPixels)
{
    ASSERT_EQ(ImageCount(), 34);
    for (int index : UsedIndexes) {
        SCOPED_TRACE(index);
        EXPECT_TRUE(HasImage(index));
        for (const QPixmap &pixmap : {ImagePixmap(index), ColdImagePixmap(index)}) {
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(20, 20));
            EXPECT_GT(VisiblePixels(ImageOf(pixmap)), 60);
        }
    }
}

TEST(Images, UnusedIndexesAreTransparentAndOutsideIsNull)
{
    for (int index = 0; index < ImageCount(); ++index) {
        if (UsedIndexes.contains(index))
            continue;
        SCOPED_TRACE(index);
        EXPECT_FALSE(HasImage(index));
        for (const QPixmap &pixmap : {ImagePixmap(index), ColdImagePixmap(index)}) {
            ASSERT_FALSE(pixmap.isNull());
            EXPECT_EQ(pixmap.deviceIndependentSize().toSize(), QSize(20, 20));
            EXPECT_EQ(VisiblePixels(ImageOf(pixmap)), 0);
        }
    }
    for (int index : {-1, ImageCount(), 1000}) {
        EXPECT_TRUE(ImagePixmap(index).isNull());
        EXPECT_TRUE(ColdImagePixmap(index).isNull());
        EXPECT_TRUE(ImageIcon(index).isNull());
    }
}

TEST(Images, ColdKeepsTheShapeButIsGreyer)
{
    for (int index : UsedIndexes) {
        SCOPED_TRACE(index);
        const QImage normal = ImageOf(ImagePixmap(index));
        const QImage cold = ImageOf(ColdImagePixmap(index));
        ASSERT_EQ(normal.size(), cold.size());
        EXPECT_NE(normal, cold);
        bool sameShape = true;
        for (int y = 0; y < normal.height(); ++y)
            for (int x = 0; x < normal.width(); ++x)
                sameShape = sameShape && qAlpha(normal.pixel(x, y)) == qAlpha(cold.pixel(x, y));
        EXPECT_TRUE(sameShape);
        EXPECT_LT(MeanSaturation(cold), 20.0);
        EXPECT_LT(MeanSaturation(cold), MeanSaturation(normal));
    }
}

TEST(Images, EveryDrawingIsDistinct)
{
    // Catches an index wired to the wrong drawing or two entries sharing one.
    QSet<QByteArray> seen;
    for (int index : UsedIndexes) {
        const QImage image = ImageOf(ImagePixmap(index));
        const QByteArray bytes(reinterpret_cast<const char *>(image.constBits()),
                               image.sizeInBytes());
        EXPECT_FALSE(seen.contains(bytes)) << "index " << index;
        seen.insert(bytes);
    }
}

TEST(Images, PixmapsAreCached)
{
    EXPECT_EQ(ImagePixmap(ImgBack).cacheKey(), ImagePixmap(ImgBack).cacheKey());
    EXPECT_NE(ImagePixmap(ImgBack).cacheKey(), ColdImagePixmap(ImgBack).cacheKey());
}

TEST(Images, IconDisabledModeIsTheColdLook)
{
    const QIcon icon = ImageIcon(ImgSave);
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(20, 20)));
    const QImage normal = ImageOf(icon.pixmap(QSize(20, 20), 1.0, QIcon::Normal));
    const QImage disabled = ImageOf(icon.pixmap(QSize(20, 20), 1.0, QIcon::Disabled));
    EXPECT_EQ(normal, ImageOf(RenderImage(ImgSave, 20, false)));
    EXPECT_EQ(disabled, ImageOf(RenderImage(ImgSave, 20, true)));
}

TEST(Images, FavouritesAreSixteenPixels)
{
    for (int index : {FavFolder, FavShortcut}) {
        SCOPED_TRACE(index);
        const QIcon icon = FavImageIcon(index);
        ASSERT_FALSE(icon.isNull());
        EXPECT_TRUE(icon.availableSizes().contains(QSize(16, 16)));
        const QImage image = ImageOf(icon.pixmap(QSize(16, 16), 1.0));
        EXPECT_EQ(image.size(), QSize(16, 16));
        EXPECT_GT(VisiblePixels(image), 40);
    }
    EXPECT_NE(ImageOf(FavImageIcon(FavFolder).pixmap(16, 16)),
              ImageOf(FavImageIcon(FavShortcut).pixmap(16, 16)));
    EXPECT_TRUE(FavImageIcon(2).isNull());
    EXPECT_TRUE(FavImageIcon(-1).isNull());
}

TEST(Images, ApplicationIconHasEverySize)
{
    const QIcon icon = ApplicationIcon();
    const QList<QSize> sizes = icon.availableSizes();
    for (int size : {16, 32, 48, 256}) {
        SCOPED_TRACE(size);
        EXPECT_TRUE(sizes.contains(QSize(size, size)));
        EXPECT_GT(VisiblePixels(ImageOf(icon.pixmap(QSize(size, size), 1.0))), size * size / 2);
    }
}

TEST(Images, MakeColdKeepsAlphaAndTransparency)
{
    QImage image(2, 1, QImage::Format_ARGB32);
    image.setPixel(0, 0, qRgba(220, 30, 30, 255));
    image.setPixel(1, 0, qRgba(0, 0, 0, 0));
    const QImage cold = MakeCold(image);
    const QColor c = cold.pixelColor(0, 0);
    EXPECT_EQ(c.alpha(), 255);
    EXPECT_LT(c.hsvSaturation(), 20);
    EXPECT_EQ(qAlpha(cold.pixel(1, 0)), 0);
}

// Not a check: writes a contact sheet of every drawing for a person to look at,
// when MIRA_ICON_SHEET names a folder.
TEST(Images, ContactSheet)
{
    const QString folder = qEnvironmentVariable("MIRA_ICON_SHEET");
    if (folder.isEmpty())
        GTEST_SKIP() << "set MIRA_ICON_SHEET to a folder to write icons.png";

    constexpr int scale = 3;
    constexpr int columns = 6;
    constexpr int cellW = 2 * 20 * scale + 3 * 10 + 20;
    constexpr int cellH = 20 * scale + 34;
    const int rows = (ImageCount() + columns - 1) / columns;
    const int extraH = 300;
    QImage sheet(columns * cellW + 10, rows * cellH + extraH, QImage::Format_ARGB32);
    sheet.fill(QColor(0xf3, 0xf3, 0xf3));
    QPainter p(&sheet);
    QFont font = p.font();
    font.setPixelSize(11);
    p.setFont(font);
    const auto big = [&](const QPixmap &pm) {
        return pm.toImage().scaled(pm.width() * scale, pm.height() * scale, Qt::KeepAspectRatio,
                                   Qt::FastTransformation);
    };
    for (int index = 0; index < ImageCount(); ++index) {
        const int x = 10 + (index % columns) * cellW;
        const int y = 10 + (index / columns) * cellH;
        p.setPen(Qt::black);
        p.drawText(x, y + 10, QString::number(index));
        p.drawImage(x, y + 16, big(ImagePixmap(index)));
        p.drawImage(x + 20 * scale + 10, y + 16, big(ColdImagePixmap(index)));
        // Actual size, as tool bars and menus show them.
        p.drawPixmap(x + 2 * 20 * scale + 20, y + 16, ImagePixmap(index));
        p.drawPixmap(x + 2 * 20 * scale + 20, y + 40, ColdImagePixmap(index));
    }
    int y = rows * cellH + 20;
    p.drawText(10, y, QStringLiteral("FavImages 0, 1"));
    for (int index : {FavFolder, FavShortcut}) {
        const QPixmap pm = FavImageIcon(index).pixmap(16, 16);
        p.drawImage(10 + index * 70, y + 6, big(pm));
        p.drawPixmap(10 + index * 70 + 52, y + 6, pm);
    }
    y += 80;
    p.drawText(10, y, QStringLiteral("Application"));
    int x = 10;
    for (int size : {16, 24, 32, 48, 64, 128}) {
        p.drawPixmap(x, y + 6, ApplicationIcon().pixmap(size, size));
        x += size + 10;
    }
    p.drawImage(x, y + 6, big(ApplicationIcon().pixmap(16, 16)));
    x += 16 * scale + 10;
    p.drawImage(x, y + 6, big(ApplicationIcon().pixmap(32, 32)));
    p.end();
    const QString path = QDir(folder).filePath(QStringLiteral("icons.png"));
    ASSERT_TRUE(sheet.save(path));
    std::printf("contact sheet: %s\n", qPrintable(path));
}
