#include "about/aboutpictures.h"

#include <QFont>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace mira {
namespace {

// A browser pane: a navigation bar with a box, and a page with a few lines of text.
void drawPane(QPainter &p, const QRectF &r, const QColor &accent)
{
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1));
    p.setBrush(Qt::white);
    p.drawRect(r);
    const QRectF bar(r.left(), r.top(), r.width(), 14);
    p.setBrush(QColor(0xe8, 0xee, 0xf4));
    p.drawRect(bar);
    p.setPen(Qt::NoPen);
    p.setBrush(accent);
    for (int i = 0; i < 3; ++i)
        p.drawEllipse(QPointF(bar.left() + 6 + i * 8, bar.center().y()), 2.5, 2.5);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(0xb8, 0xc4, 0xd0), 1));
    p.drawRect(QRectF(bar.left() + 30, bar.top() + 3, bar.width() - 36, 8));
    p.setPen(Qt::NoPen);
    p.setBrush(accent.lighter(150));
    const qreal top = bar.bottom() + 6;
    p.drawRect(QRectF(r.left() + 6, top, r.width() * 0.5, 6));
    p.setBrush(QColor(0xd8, 0xde, 0xe6));
    for (qreal y = top + 12; y + 4 < r.bottom() - 4; y += 8)
        p.drawRect(
            QRectF(r.left() + 6, y, (r.width() - 12) * (0.6 + 0.4 * std::fmod(y, 3) / 3), 3));
}

} // namespace

QPixmap AboutBackgroundPicture(int width, int height)
{
    QPixmap pixmap(width, height);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient sky(0, 0, 0, height);
    sky.setColorAt(0, QColor(0xf6, 0xf0, 0xe8));
    sky.setColorAt(1, QColor(0xe4, 0xec, 0xf4));
    p.fillRect(pixmap.rect(), sky);

    const QRectF window(14, 22, width - 28, height - 44);
    p.setPen(QPen(QColor(0x80, 0x20, 0x20), 1.5));
    p.setBrush(QColor(0xf0, 0xf2, 0xf5));
    p.drawRoundedRect(window, 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x80, 0x20, 0x20));
    p.drawRect(QRectF(window.left(), window.top(), window.width(), 10));

    const qreal inner = window.top() + 16;
    const qreal half = window.left() + window.width() * 0.48;
    // Left: two panes one above the other with a splitter between.
    drawPane(p, QRectF(window.left() + 6, inner, half - window.left() - 10, 100),
             QColor(0x4a, 0x7a, 0xb0));
    drawPane(p,
             QRectF(window.left() + 6, inner + 106, half - window.left() - 10,
                    window.bottom() - inner - 112),
             QColor(0x5a, 0x9a, 0x60));
    // Right: a tabbed book with a pane on its page.
    const QRectF book(half + 2, inner, window.right() - half - 8, window.bottom() - inner - 6);
    p.setPen(QPen(QColor(0x9a, 0xa8, 0xb8), 1));
    p.setBrush(QColor(0xfa, 0xfa, 0xfc));
    for (int i = 2; i >= 0; --i) {
        p.setBrush(i == 0 ? QColor(0xfa, 0xfa, 0xfc) : QColor(0xe0, 0xe4, 0xea));
        p.drawRect(QRectF(book.left() + i * 34, book.top(), 32, 12));
    }
    p.setBrush(QColor(0xfa, 0xfa, 0xfc));
    p.drawRect(QRectF(book.left(), book.top() + 12, book.width(), book.height() - 12));
    drawPane(p, book.adjusted(5, 18, -5, -5), QColor(0xb0, 0x6a, 0x30));
    return pixmap;
}

QPixmap AboutAuthorPicture(int size)
{
    QPixmap pixmap(size, size);
    pixmap.fill(Qt::white);
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF ring = QRectF(pixmap.rect()).adjusted(4, 4, -4, -4);
    QRadialGradient fill(ring.center(), ring.width() / 2);
    fill.setColorAt(0, QColor(0xfc, 0xf4, 0xec));
    fill.setColorAt(1, QColor(0xf0, 0xd8, 0xc8));
    p.setBrush(fill);
    p.setPen(QPen(QColor(0x80, 0x00, 0x00), 3));
    p.drawEllipse(ring);
    QFont font(QStringLiteral("Serif"));
    font.setPixelSize(size / 2);
    font.setBold(true);
    p.setFont(font);
    p.setPen(QColor(0x80, 0x00, 0x00));
    p.drawText(ring, Qt::AlignCenter, QStringLiteral("M"));
    return pixmap;
}

} // namespace mira
