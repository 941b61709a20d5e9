#include "icons/glyphshapes.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QtMath>
#include <array>

namespace mira::glyphs {

QBrush Vertical(const Tone &t, qreal top, qreal bottom)
{
    QLinearGradient g(0, top, 0, bottom);
    g.setColorAt(0, t.light);
    g.setColorAt(1, t.base);
    return g;
}

QBrush Diagonal(const Tone &t, QRectF r)
{
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, t.light);
    g.setColorAt(1, t.base);
    return g;
}

QPen Outline(const QColor &c, qreal width)
{
    return QPen(c, width, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
}

void Fill(QPainter &p, const QPainterPath &path, const QBrush &brush, const QColor &edge)
{
    p.setPen(Outline(edge));
    p.setBrush(brush);
    p.drawPath(path);
}

void Page(QPainter &p, QRectF r, qreal fold)
{
    QPainterPath sheet;
    sheet.moveTo(r.left(), r.top());
    sheet.lineTo(r.right() - fold, r.top());
    sheet.lineTo(r.right(), r.top() + fold);
    sheet.lineTo(r.right(), r.bottom());
    sheet.lineTo(r.left(), r.bottom());
    sheet.closeSubpath();
    QLinearGradient g(r.topLeft(), r.bottomRight());
    g.setColorAt(0, Qt::white);
    g.setColorAt(1, QColor(0xe2, 0xe8, 0xf0));
    Fill(p, sheet, g, PaperEdge);
    if (fold > 0) {
        QPainterPath corner;
        corner.moveTo(r.right() - fold, r.top());
        corner.lineTo(r.right() - fold, r.top() + fold);
        corner.lineTo(r.right(), r.top() + fold);
        corner.closeSubpath();
        Fill(p, corner, QColor(0xc9, 0xd3, 0xdf), PaperEdge);
    }
}

void TextLines(QPainter &p, qreal left, qreal right, qreal top, int count, qreal step)
{
    p.setPen(QPen(TextLine, 1, Qt::SolidLine, Qt::FlatCap));
    for (int i = 0; i < count; ++i) {
        const qreal y = top + i * step;
        // Ragged right edges read as text rather than as a grid.
        const qreal end = (i % 3 == 2) ? left + (right - left) * 0.6 : right;
        p.drawLine(QPointF(left, y), QPointF(end, y));
    }
}

QPainterPath BlockArrow(QPointF tip, qreal headLength, qreal headHalf, qreal shaftHalf, qreal tail)
{
    const qreal neck = tip.x() - headLength;
    QPainterPath a;
    a.moveTo(tip);
    a.lineTo(neck, tip.y() - headHalf);
    a.lineTo(neck, tip.y() - shaftHalf);
    a.lineTo(tail, tip.y() - shaftHalf);
    a.lineTo(tail, tip.y() + shaftHalf);
    a.lineTo(neck, tip.y() + shaftHalf);
    a.lineTo(neck, tip.y() + headHalf);
    a.closeSubpath();
    return a;
}

void ArcArrow(QPainter &p, QPointF c, qreal r, qreal startDeg, qreal sweepDeg, const Tone &t,
              qreal width, qreal head)
{
    const QRectF box(c.x() - r, c.y() - r, 2 * r, 2 * r);
    QPainterPath arc;
    arc.arcMoveTo(box, startDeg);
    arc.arcTo(box, startDeg, sweepDeg);

    const qreal end = qDegreesToRadians(startDeg + sweepDeg);
    const QPointF endPoint(c.x() + r * qCos(end), c.y() - r * qSin(end));
    const QPointF radial(qCos(end), -qSin(end));
    // Direction of travel at the end of the arc.
    const qreal sign = sweepDeg < 0 ? -1 : 1;
    const QPointF along(-qSin(end) * sign, -qCos(end) * sign);
    QPainterPath tip;
    tip.moveTo(endPoint + along * head * 1.05);
    tip.lineTo(endPoint + radial * head - along * 0.2);
    tip.lineTo(endPoint - radial * head - along * 0.2);
    tip.closeSubpath();

    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(t.dark, width + 2, Qt::SolidLine, Qt::FlatCap));
    p.drawPath(arc);
    p.setPen(Outline(t.dark, 2));
    p.setBrush(t.dark);
    p.drawPath(tip);
    p.setPen(QPen(t.base, width, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    p.drawPath(arc);
    p.setPen(Qt::NoPen);
    p.setBrush(t.base);
    p.drawPath(tip);
    // A light streak along the arc gives the same relief as the filled shapes.
    p.setPen(QPen(QColor(255, 255, 255, 90), 1, Qt::SolidLine, Qt::FlatCap));
    p.setBrush(Qt::NoBrush);
    const qreal inner = r - width / 4;
    QPainterPath shine;
    const QRectF ibox(c.x() - inner, c.y() - inner, 2 * inner, 2 * inner);
    shine.arcMoveTo(ibox, startDeg + sweepDeg * 0.1);
    shine.arcTo(ibox, startDeg + sweepDeg * 0.1, sweepDeg * 0.8);
    p.drawPath(shine);
}

QPainterPath Gear(QPointF c, qreal outer, qreal inner, int teeth)
{
    QPainterPath g;
    const qreal step = 2 * M_PI / teeth;
    for (int i = 0; i < teeth; ++i) {
        const qreal a = i * step;
        // Each tooth: a flat top on the outer circle, flanks down to the inner one.
        const std::array<std::pair<qreal, qreal>, 4> pts{{{a - step * 0.30, inner},
                                                          {a - step * 0.17, outer},
                                                          {a + step * 0.17, outer},
                                                          {a + step * 0.30, inner}}};
        for (const auto &[ang, rad] : pts) {
            const QPointF pt(c.x() + rad * qCos(ang), c.y() + rad * qSin(ang));
            if (g.elementCount() == 0)
                g.moveTo(pt);
            else
                g.lineTo(pt);
        }
    }
    g.closeSubpath();
    return g;
}

void DrawGear(QPainter &p, QPointF c, qreal outer, qreal inner, qreal hole, int teeth)
{
    QPainterPath g = Gear(c, outer, inner, teeth);
    QPainterPath h;
    h.addEllipse(c, hole, hole);
    g = g.subtracted(h);
    Fill(p, g, Diagonal(Steel, QRectF(c.x() - outer, c.y() - outer, 2 * outer, 2 * outer)),
         Steel.dark);
}

void DrawGlobe(QPainter &p, QPointF c, qreal r, const Tone &sea, const Tone &land)
{
    QRadialGradient g(c.x() - r * 0.4, c.y() - r * 0.4, r * 1.6);
    g.setColorAt(0, sea.light);
    g.setColorAt(1, sea.base);
    p.setPen(Outline(sea.dark));
    p.setBrush(g);
    p.drawEllipse(c, r, r);

    // Two land masses, clipped to the sphere.
    QPainterPath sphere;
    sphere.addEllipse(c, r - 0.5, r - 0.5);
    p.save();
    p.setClipPath(sphere);
    QPainterPath west;
    west.moveTo(c.x() - r * 0.75, c.y() - r * 0.55);
    west.cubicTo(c.x() - r * 0.2, c.y() - r * 0.95, c.x() + r * 0.05, c.y() - r * 0.45,
                 c.x() - r * 0.25, c.y() - r * 0.05);
    west.cubicTo(c.x() - r * 0.45, c.y() + r * 0.25, c.x() - r * 0.2, c.y() + r * 0.7,
                 c.x() - r * 0.5, c.y() + r * 0.85);
    west.cubicTo(c.x() - r * 1.1, c.y() + r * 0.4, c.x() - r * 1.1, c.y() - r * 0.2,
                 c.x() - r * 0.75, c.y() - r * 0.55);
    QPainterPath east;
    east.moveTo(c.x() + r * 0.25, c.y() - r * 0.35);
    east.cubicTo(c.x() + r * 0.7, c.y() - r * 0.6, c.x() + r * 1.1, c.y() - r * 0.1,
                 c.x() + r * 0.75, c.y() + r * 0.25);
    east.cubicTo(c.x() + r * 0.55, c.y() + r * 0.5, c.x() + r * 0.35, c.y() + r * 0.75,
                 c.x() + r * 0.2, c.y() + r * 0.45);
    east.cubicTo(c.x() + r * 0.35, c.y() + r * 0.1, c.x() + r * 0.05, c.y() - r * 0.1,
                 c.x() + r * 0.25, c.y() - r * 0.35);
    p.setPen(Qt::NoPen);
    p.setBrush(land.base);
    p.drawPath(west);
    p.drawPath(east);
    // Meridian and equator, faint, for the sphere's shape.
    p.setPen(QPen(QColor(255, 255, 255, 110), 0.9));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r * 0.45, r);
    p.drawLine(QPointF(c.x() - r, c.y()), QPointF(c.x() + r, c.y()));
    p.restore();
}

void DrawBadge(QPainter &p, QPointF c, qreal r, const Tone &t)
{
    p.setPen(Outline(Qt::white, 1.2));
    p.setBrush(Vertical(t, c.y() - r, c.y() + r));
    p.drawEllipse(c, r, r);
    p.setPen(Outline(t.dark));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 0.1, r - 0.1);
}

void DrawMagnifier(QPainter &p, QPointF c, qreal r, qreal handle, qreal handleWidth)
{
    const QPointF dir(M_SQRT1_2, M_SQRT1_2);
    const QPointF from = c + dir * (r + 0.5);
    const QPointF to = c + dir * (r + handle);
    p.setPen(QPen(Wood.dark, handleWidth + 1.6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(Wood.base, handleWidth, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from + dir * 0.8, to);

    QRadialGradient glass(c.x() - r * 0.35, c.y() - r * 0.35, r * 1.4);
    glass.setColorAt(0, QColor(255, 255, 255, 235));
    glass.setColorAt(1, QColor(0xa8, 0xd4, 0xf5, 215));
    p.setPen(QPen(Steel.dark, 1.6));
    p.setBrush(glass);
    p.drawEllipse(c, r, r);
    p.setPen(QPen(Steel.base, 0.8));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(c, r - 0.9, r - 0.9);
    // Glint.
    p.setPen(QPen(Qt::white, 1.1, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(c.x() - r * 0.6, c.y() - r * 0.6, r * 1.2, r * 1.2), 100 * 16, 60 * 16);
}

void DrawFolder(QPainter &p, QRectF r, bool open)
{
    const qreal tab = r.width() * 0.38;
    QPainterPath back;
    back.moveTo(r.left(), r.top());
    back.lineTo(r.left() + tab, r.top());
    back.lineTo(r.left() + tab + 1.5, r.top() + 1.5);
    back.lineTo(r.right() - (open ? 2.5 : 0), r.top() + 1.5);
    back.lineTo(r.right() - (open ? 2.5 : 0), r.bottom());
    back.lineTo(r.left(), r.bottom());
    back.closeSubpath();
    Fill(p, back, QColor(0xd9, 0x9a, 0x1e), Gold.dark);

    QPainterPath front;
    if (open) {
        // A sheet peeking out, then the flap tilted towards the viewer.
        Page(p, QRectF(r.left() + 2, r.top() + 2.5, r.width() - 6, r.height() - 4), 0);
        const qreal y = r.top() + r.height() * 0.42;
        front.moveTo(r.left() + 3, y);
        front.lineTo(r.right(), y);
        front.lineTo(r.right() - 3, r.bottom());
        front.lineTo(r.left(), r.bottom());
    } else {
        const qreal y = r.top() + 3.5;
        front.moveTo(r.left(), y);
        front.lineTo(r.right(), y);
        front.lineTo(r.right(), r.bottom());
        front.lineTo(r.left(), r.bottom());
    }
    front.closeSubpath();
    Fill(p, front, Vertical(Gold, front.boundingRect().top(), r.bottom()), Gold.dark);
}

} // namespace mira::glyphs
