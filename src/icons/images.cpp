#include "icons/images.h"

#include <QGuiApplication>
#include <QHash>
#include <QPainter>
#include <functional>

#include "icons/glyphs.h"

namespace mira {

namespace {

using glyphs::Drawing;
using glyphs::DrawingFor;

constexpr int Count = 34;

QPixmap Render(int pixelSize, int gridSize, const std::function<void(QPainter &)> &draw)
{
    QImage image(pixelSize, pixelSize, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    {
        QPainter p(&image);
        p.setRenderHint(QPainter::Antialiasing);
        p.scale(qreal(pixelSize) / gridSize, qreal(pixelSize) / gridSize);
        draw(p);
    }
    return QPixmap::fromImage(image);
}

qreal AppPixelRatio()
{
    const qreal ratio = qGuiApp ? qGuiApp->devicePixelRatio() : 1.0;
    return ratio > 1.0 ? ratio : 1.0;
}

// Pixmaps must not outlive the application object, so the caches are emptied
// when it goes and refilled should another one be made.
struct Caches {
    QHash<QPair<int, int>, QPixmap> pixmaps;
    QHash<int, QIcon> icons;
    QHash<int, QIcon> favourites;
    QIcon application;
    bool registered = false;
};

Caches &TheCaches()
{
    static Caches caches;
    if (!caches.registered && QCoreApplication::instance()) {
        caches.registered = true;
        qAddPostRoutine([] {
            Caches &c = TheCaches();
            c.pixmaps.clear();
            c.icons.clear();
            c.favourites.clear();
            c.application = QIcon();
            c.registered = false;
        });
    }
    return caches;
}

QPixmap Cached(int index, bool cold)
{
    if (index < 0 || index >= Count)
        return {};
    const qreal ratio = AppPixelRatio();
    auto &cache = TheCaches().pixmaps;
    const QPair<int, int> key(index * 2 + (cold ? 1 : 0), qRound(ratio * 100));
    auto it = cache.constFind(key);
    if (it != cache.constEnd())
        return *it;
    QPixmap pixmap = RenderImage(index, qRound(ImageSize * ratio), cold);
    pixmap.setDevicePixelRatio(ratio);
    cache.insert(key, pixmap);
    return pixmap;
}

} // namespace

int ImageCount()
{
    return Count;
}

bool HasImage(int index)
{
    return DrawingFor(index) != nullptr;
}

QImage MakeCold(const QImage &image)
{
    QImage out = image.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb c = line[x];
            const int a = qAlpha(c);
            if (a == 0)
                continue;
            // Luminance, lifted and flattened so the drawing recedes but keeps
            // its shapes readable; a trace of blue keeps it from looking dead.
            const int lum = (qRed(c) * 299 + qGreen(c) * 587 + qBlue(c) * 114) / 1000;
            const int g = 84 + lum * 160 / 255;
            line[x] = qRgba(qMin(255, g - 2), qMin(255, g), qMin(255, g + 4), a);
        }
    }
    return out;
}

QPixmap RenderImage(int index, int pixelSize, bool cold)
{
    if (index < 0 || index >= Count || pixelSize <= 0)
        return {};
    const Drawing draw = DrawingFor(index);
    QPixmap pixmap = Render(pixelSize, ImageSize, [draw](QPainter &p) {
        if (draw)
            draw(p);
    });
    if (cold && draw)
        pixmap = QPixmap::fromImage(MakeCold(pixmap.toImage()));
    return pixmap;
}

QPixmap RenderFavImage(int index, int pixelSize)
{
    if (pixelSize <= 0)
        return {};
    if (index == FavFolder)
        return Render(pixelSize, FavImageSize, glyphs::DrawFavFolder);
    if (index == FavShortcut)
        return Render(pixelSize, FavImageSize, glyphs::DrawFavShortcut);
    return {};
}

QPixmap RenderApplicationIcon(int pixelSize)
{
    if (pixelSize <= 0)
        return {};
    return Render(pixelSize, 32,
                  [pixelSize](QPainter &p) { glyphs::DrawApplication(p, pixelSize); });
}

QPixmap ImagePixmap(int index)
{
    return Cached(index, false);
}

QPixmap ColdImagePixmap(int index)
{
    return Cached(index, true);
}

QIcon ColdButtonIcon(int index)
{
    QIcon icon;
    icon.addPixmap(ColdImagePixmap(index), QIcon::Normal);
    icon.addPixmap(ImagePixmap(index), QIcon::Active);
    icon.addPixmap(ColdImagePixmap(index), QIcon::Disabled);
    return icon;
}

QIcon ImageIcon(int index)
{
    if (index < 0 || index >= Count)
        return {};
    auto &cache = TheCaches().icons;
    auto it = cache.constFind(index);
    if (it != cache.constEnd())
        return *it;
    QIcon icon;
    // Plain and double resolution, so menus and tool bars stay sharp on any screen.
    for (int size : {ImageSize, ImageSize * 2}) {
        icon.addPixmap(RenderImage(index, size, false), QIcon::Normal);
        icon.addPixmap(RenderImage(index, size, true), QIcon::Disabled);
    }
    cache.insert(index, icon);
    return icon;
}

QIcon FavImageIcon(int index)
{
    if (index != FavFolder && index != FavShortcut)
        return {};
    auto &cache = TheCaches().favourites;
    auto it = cache.constFind(index);
    if (it != cache.constEnd())
        return *it;
    QIcon icon;
    for (int size : {FavImageSize, FavImageSize * 2}) {
        const QPixmap normal = RenderFavImage(index, size);
        icon.addPixmap(normal, QIcon::Normal);
        icon.addPixmap(QPixmap::fromImage(MakeCold(normal.toImage())), QIcon::Disabled);
    }
    cache.insert(index, icon);
    return icon;
}

QIcon ApplicationIcon()
{
    QIcon &icon = TheCaches().application;
    if (icon.isNull()) {
        for (int size : {16, 24, 32, 48, 64, 128, 256})
            icon.addPixmap(RenderApplicationIcon(size));
    }
    return icon;
}

} // namespace mira
