#include "icons/glyphs.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>

#include "icons/glyphshapes.h"
#include "icons/images.h"

namespace mira::glyphs {

namespace {

// --- the 20x20 drawings -----------------------------------------------------

void DrawPrinter(QPainter &p)
{
    // Paper waiting at the back.
    Page(p, QRectF(5.5, 1.5, 9, 7), 0);
    // Body.
    QPainterPath body;
    body.addRoundedRect(QRectF(1.5, 7.5, 17, 8), 1.5, 1.5);
    Fill(p, body, Vertical(Steel, 7.5, 15.5), Steel.dark);
    // Slot and the printed sheet coming out.
    p.setPen(Qt::NoPen);
    p.setBrush(Steel.dark);
    p.drawRect(QRectF(4, 12, 12, 1.5));
    Page(p, QRectF(5.5, 12.5, 9, 6), 0);
    TextLines(p, 7, 13, 14.5, 2, 2);
    // Power light.
    p.setPen(Qt::NoPen);
    p.setBrush(Green.base);
    p.drawEllipse(QPointF(15.5, 10), 1, 1);
}

void DrawBack(QPainter &p)
{
    const QPainterPath a = BlockArrow(QPointF(18.5, 10), 8, 7.5, 3.5, 2.5);
    QTransform mirror(-1, 0, 0, 1, 20, 0);
    Fill(p, mirror.map(a), Vertical(Blue, 2.5, 17.5), Blue.dark);
}

void DrawForward(QPainter &p)
{
    Fill(p, BlockArrow(QPointF(18.5, 10), 8, 7.5, 3.5, 2.5), Vertical(Blue, 2.5, 17.5), Blue.dark);
}

void DrawStop(QPainter &p)
{
    QPainterPath oct;
    const QPointF c(10, 10);
    const qreal r = 8.9;
    for (int i = 0; i < 8; ++i) {
        const qreal a = qDegreesToRadians(22.5 + 45.0 * i);
        const QPointF pt(c.x() + r * qCos(a), c.y() + r * qSin(a));
        if (i == 0)
            oct.moveTo(pt);
        else
            oct.lineTo(pt);
    }
    oct.closeSubpath();
    Fill(p, oct, Vertical(Red, 1, 19), Red.dark);
    p.setPen(QPen(Qt::white, 2.4, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(6.8, 6.8), QPointF(13.2, 13.2));
    p.drawLine(QPointF(13.2, 6.8), QPointF(6.8, 13.2));
}

void DrawRefresh(QPainter &p)
{
    ArcArrow(p, QPointF(10, 10.5), 6, 330, -270, Green, 2.6, 3.6);
}

void DrawGo(QPainter &p)
{
    Page(p, QRectF(6.5, 1.5, 11, 17), 4);
    TextLines(p, 12, 15.5, 7.5, 5, 2);
    Fill(p, BlockArrow(QPointF(13.5, 10), 5.5, 5.5, 2.5, 0.5), Vertical(Green, 4.5, 15.5),
         Green.dark);
}

void DrawOnline(QPainter &p)
{
    DrawGlobe(p, QPointF(9, 9), 7.5, Blue, Green);
    const QPointF c(15, 15);
    DrawBadge(p, c, 4.2, Green);
    p.setPen(QPen(Qt::white, 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    QPainterPath tick;
    tick.moveTo(13, 15.1);
    tick.lineTo(14.5, 16.6);
    tick.lineTo(17.1, 13.6);
    p.drawPath(tick);
}

void DrawOffline(QPainter &p)
{
    const Tone sea{QColor(0xd6, 0xdb, 0xe1), QColor(0x9b, 0xa3, 0xad), QColor(0x5b, 0x63, 0x6d)};
    const Tone land{QColor(0xb0, 0xb6, 0xbd), QColor(0x7d, 0x85, 0x8f), QColor(0x5b, 0x63, 0x6d)};
    DrawGlobe(p, QPointF(9, 9), 7.5, sea, land);
    const QPointF c(15, 15);
    DrawBadge(p, c, 4.2, Red);
    // A bar rather than a cross: at this size a cross blurs into a blot.
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(12.6, 14, 4.8, 2));
}

void DrawCut(QPainter &p)
{
    // Blades first, crossing at the pivot, then the handles over their ends.
    const auto blade = [&](QPointF tip, QPointF root) {
        p.setPen(QPen(Steel.dark, 2.8, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(tip, root);
        p.setPen(QPen(Steel.light, 1.2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(tip, root);
    };
    blade(QPointF(6, 1.5), QPointF(12.6, 12.5));
    blade(QPointF(14, 1.5), QPointF(7.4, 12.5));
    p.setPen(Qt::NoPen);
    p.setBrush(Steel.dark);
    p.drawEllipse(QPointF(10, 8.2), 1, 1);
    const auto ring = [&](QPointF c) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(Red.dark, 3.2));
        p.drawEllipse(c, 2.9, 2.9);
        p.setPen(QPen(Red.base, 1.6));
        p.drawEllipse(c, 2.9, 2.9);
    };
    ring(QPointF(5.5, 15.3));
    ring(QPointF(14.5, 15.3));
}

void DrawCopy(QPainter &p)
{
    Page(p, QRectF(2.5, 1.5, 10, 12), 3);
    TextLines(p, 4.5, 9.5, 5.5, 3, 2);
    Page(p, QRectF(7.5, 6.5, 10, 12), 3);
    TextLines(p, 9.5, 15.5, 10.5, 4, 2);
}

void DrawPaste(QPainter &p)
{
    QPainterPath board;
    board.addRoundedRect(QRectF(2.5, 2.5, 12, 15), 1.5, 1.5);
    Fill(p, board, Diagonal(Wood, QRectF(2.5, 2.5, 12, 15)), Wood.dark);
    QPainterPath clip;
    clip.addRoundedRect(QRectF(5.5, 1.5, 6, 3), 1, 1);
    Fill(p, clip, Vertical(Steel, 1.5, 4.5), Steel.dark);
    Page(p, QRectF(8.5, 7.5, 10, 11), 3);
    TextLines(p, 10.5, 16.5, 11.5, 3, 2);
}

void DrawUndo(QPainter &p)
{
    ArcArrow(p, QPointF(10.5, 11), 5.5, -40, 215, Blue, 2.6, 3.6);
}

void DrawDelete(QPainter &p)
{
    const QLineF a(QPointF(4.5, 4.5), QPointF(15.5, 15.5));
    const QLineF b(QPointF(15.5, 4.5), QPointF(4.5, 15.5));
    p.setPen(QPen(Red.dark, 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a);
    p.drawLine(b);
    QLinearGradient g(0, 3, 0, 17);
    g.setColorAt(0, QColor(0xf0, 0x5a, 0x4e));
    g.setColorAt(1, Red.base);
    p.setPen(QPen(QBrush(g), 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(a);
    p.drawLine(b);
}

void DrawSparkle(QPainter &p, QPointF c, qreal r)
{
    QPainterPath s;
    const qreal w = r * 0.3;
    s.moveTo(c.x(), c.y() - r);
    s.quadTo(c.x() + w * 0.3, c.y() - w * 0.3, c.x() + r, c.y());
    s.quadTo(c.x() + w * 0.3, c.y() + w * 0.3, c.x(), c.y() + r);
    s.quadTo(c.x() - w * 0.3, c.y() + w * 0.3, c.x() - r, c.y());
    s.quadTo(c.x() - w * 0.3, c.y() - w * 0.3, c.x(), c.y() - r);
    Fill(p, s, Gold.base, Gold.dark);
}

void DrawNew(QPainter &p)
{
    Page(p, QRectF(3.5, 1.5, 12, 17), 4);
    TextLines(p, 5.5, 12.5, 8.5, 4, 2);
    DrawSparkle(p, QPointF(15, 5), 4.5);
}

void DrawOpen(QPainter &p)
{
    DrawFolder(p, QRectF(1.5, 3.5, 17, 13), true);
}

void DrawSave(QPainter &p)
{
    QPainterPath disk;
    disk.moveTo(2.5, 3.5);
    disk.quadTo(2.5, 2.5, 3.5, 2.5);
    disk.lineTo(15, 2.5);
    disk.lineTo(17.5, 5);
    disk.lineTo(17.5, 16.5);
    disk.quadTo(17.5, 17.5, 16.5, 17.5);
    disk.lineTo(3.5, 17.5);
    disk.quadTo(2.5, 17.5, 2.5, 16.5);
    disk.closeSubpath();
    Fill(p, disk, Vertical(Blue, 2.5, 17.5), Blue.dark);
    // Shutter with its window.
    QPainterPath shutter;
    shutter.addRect(QRectF(5.5, 2.5, 8, 5));
    Fill(p, shutter, Vertical(Steel, 2.5, 7.5), Steel.dark);
    p.setPen(Qt::NoPen);
    p.setBrush(Steel.dark);
    p.drawRect(QRectF(10, 3.5, 2, 3));
    // Label.
    QPainterPath label;
    label.addRect(QRectF(4.5, 10.5, 11, 7));
    Fill(p, label, QColor(0xf7, 0xf9, 0xfc), Blue.dark);
    TextLines(p, 6, 14, 12.5, 3, 2);
}

void DrawPrintPreview(QPainter &p)
{
    Page(p, QRectF(2.5, 1.5, 11, 16), 3.5);
    TextLines(p, 4.5, 11.5, 5.5, 6, 2);
    DrawMagnifier(p, QPointF(12.2, 11.2), 4, 4.6, 2.2);
}

void DrawProperties(QPainter &p)
{
    DrawGear(p, QPointF(10, 10), 8.6, 6.4, 2.6, 8);
}

void DrawFind(QPainter &p)
{
    DrawMagnifier(p, QPointF(8, 8), 5.8, 6.2, 2.8);
}

void DrawPrintSetup(QPainter &p)
{
    p.save();
    p.translate(-1, -1);
    DrawPrinter(p);
    p.restore();
    // The gear marks the settings, cut out from the printer behind it.
    p.setPen(QPen(Qt::white, 1.6));
    p.setBrush(Qt::white);
    p.drawPath(Gear(QPointF(14.8, 14.8), 4.9, 3.7, 7));
    DrawGear(p, QPointF(14.8, 14.8), 4.9, 3.6, 1.4, 7);
}

void DrawKey(QPainter &p)
{
    // Drawn upright, tilted so it fills the square diagonally.
    p.save();
    p.translate(10, 10);
    p.rotate(-45);
    p.translate(-10, -10);
    QPainterPath key;
    key.addEllipse(QPointF(10, 3.2), 4.6, 4.6);
    QPainterPath shaft;
    shaft.moveTo(8.8, 7);
    shaft.lineTo(11.2, 7);
    shaft.lineTo(11.2, 19.5);
    shaft.lineTo(10, 20.8);
    shaft.lineTo(8.8, 19.5);
    shaft.closeSubpath();
    QPainterPath bit;
    bit.addRect(QRectF(11, 15.2, 3.4, 1.8));
    bit.addRect(QRectF(11, 18.2, 2.6, 1.6));
    key = key.united(shaft).united(bit);
    QPainterPath hole;
    hole.addEllipse(QPointF(10, 2.6), 1.9, 1.9);
    key = key.subtracted(hole);
    QLinearGradient g(6, 0, 14, 0);
    g.setColorAt(0, Gold.light);
    g.setColorAt(1, Gold.base);
    Fill(p, key, g, Gold.dark);
    p.restore();
}

} // namespace

Drawing DrawingFor(int index)
{
    switch (index) {
    case ImgBack: return DrawBack;
    case ImgForward: return DrawForward;
    case ImgStop: return DrawStop;
    case ImgRefresh: return DrawRefresh;
    case ImgPrint: return DrawPrinter;
    case ImgGo: return DrawGo;
    case ImgOnline: return DrawOnline;
    case ImgOffline: return DrawOffline;
    case ImgCut: return DrawCut;
    case ImgCopy: return DrawCopy;
    case ImgPaste: return DrawPaste;
    case ImgUndo: return DrawUndo;
    case ImgDelete: return DrawDelete;
    case ImgNew: return DrawNew;
    case ImgOpen: return DrawOpen;
    case ImgSave: return DrawSave;
    case ImgPrintPreview: return DrawPrintPreview;
    case ImgProperties: return DrawProperties;
    case ImgFind: return DrawFind;
    case ImgPrintSetup: return DrawPrintSetup;
    case ImgKey: return DrawKey;
    default: return nullptr;
    }
}

// --- the 16x16 favourites ---------------------------------------------------

void DrawFavFolder(QPainter &p)
{
    DrawFolder(p, QRectF(1.5, 2.5, 13, 11), false);
}

void DrawFavShortcut(QPainter &p)
{
    DrawGlobe(p, QPointF(8.5, 7.5), 6.5, Blue, Green);
    // The shortcut mark, bottom left: a small white box with an arrow leaving it.
    QPainterPath box;
    box.addRect(QRectF(0.5, 9.5, 6, 6));
    Fill(p, box, Qt::white, Ink);
    p.setPen(QPen(Qt::black, 1.2, Qt::SolidLine, Qt::FlatCap));
    p.drawLine(QPointF(2.2, 13.8), QPointF(4.6, 11.4));
    QPainterPath head;
    head.moveTo(5.5, 10.5);
    head.lineTo(5.5, 13.2);
    head.lineTo(2.8, 10.5);
    head.closeSubpath();
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(head);
}

// --- the application mark ---------------------------------------------------

// A window whose inside is divided into panes by splitters, as the user builds
// Mira's window: one tall pane on the left, two stacked on the right. Drawn in a
// 32 unit square; the smallest size drops the details that would turn to mush.
void DrawApplication(QPainter &p, int pixelSize)
{
    const bool tiny = pixelSize < 24;
    const QRectF frame(1.5, 2.5, 29, 27);
    QPainterPath outer;
    outer.addRoundedRect(frame, 3.5, 3.5);
    QLinearGradient fg(0, frame.top(), 0, frame.bottom());
    fg.setColorAt(0, QColor(0x3d, 0x86, 0xe8));
    fg.setColorAt(1, QColor(0x1f, 0x55, 0xb0));
    p.setPen(QPen(Blue.dark, tiny ? 1.6 : 1.2));
    p.setBrush(fg);
    p.drawPath(outer);

    const qreal top = tiny ? 8.5 : 8;
    const QRectF left(4, top, 10.5, 29.5 - 3 - top + 0.5);
    const QRectF rightTop(17.5, top, 10.5, 8);
    const QRectF rightBottom(17.5, top + 11, 10.5, left.bottom() - top - 11);
    const auto pane = [&](QRectF r, const QColor &c1, const QColor &c2) {
        QLinearGradient g(r.topLeft(), r.bottomRight());
        g.setColorAt(0, c1);
        g.setColorAt(1, c2);
        p.setPen(Qt::NoPen);
        p.setBrush(g);
        p.drawRoundedRect(r, 1.2, 1.2);
    };
    pane(left, QColor(0xff, 0xff, 0xff), QColor(0xdc, 0xea, 0xfa));
    pane(rightTop, QColor(0xff, 0xf4, 0xcf), QColor(0xf6, 0xcb, 0x55));
    pane(rightBottom, QColor(0xe2, 0xf7, 0xd6), QColor(0x8f, 0xd6, 0x73));

    if (!tiny) {
        // Title bar buttons and the left pane's navigation strip and lines.
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(255, 255, 255, 200));
        for (int i = 0; i < 3; ++i)
            p.drawEllipse(QPointF(19.5 + i * 3.5, 5.3), 1.1, 1.1);
        p.setBrush(QColor(0x2f, 0x74, 0xd6, 150));
        p.drawRect(QRectF(left.left(), left.top(), left.width(), 2.6));
        p.setBrush(QColor(0x9a, 0xa8, 0xb8));
        for (int i = 0; i < 4; ++i) {
            const qreal w = (i % 2) ? 5.5 : 7.5;
            p.drawRect(QRectF(left.left() + 1.5, left.top() + 5 + i * 3, w, 1.2));
        }
    }
}

} // namespace mira::glyphs
