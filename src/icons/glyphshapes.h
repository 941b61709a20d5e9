#pragma once
// The palette and the shapes Mira's icon drawings are built from (icons/ only).
#include <QColor>
#include <QPainterPath>
#include <QPen>

class QPainter;

namespace mira::glyphs {

// One palette for every drawing: a light and a dark tone per colour, the dark
// one for outlines so shapes stay separate from any background.
struct Tone {
    QColor light;
    QColor base;
    QColor dark;
};
inline constexpr Tone Blue{QColor(0x8f, 0xc3, 0xff), QColor(0x2f, 0x74, 0xd6),
                           QColor(0x1a, 0x47, 0x8f)};
inline constexpr Tone Green{QColor(0x9b, 0xe0, 0x7e), QColor(0x3a, 0xa5, 0x3e),
                            QColor(0x1f, 0x6b, 0x26)};
inline constexpr Tone Red{QColor(0xff, 0x9a, 0x8c), QColor(0xdc, 0x3b, 0x32),
                          QColor(0x94, 0x1e, 0x18)};
inline constexpr Tone Gold{QColor(0xff, 0xe4, 0x8a), QColor(0xf0, 0xb2, 0x2e),
                           QColor(0x9c, 0x6a, 0x0c)};
inline constexpr Tone Steel{QColor(0xe4, 0xe9, 0xef), QColor(0x9a, 0xa6, 0xb4),
                            QColor(0x48, 0x53, 0x60)};
inline constexpr Tone Wood{QColor(0xe8, 0xb8, 0x72), QColor(0xb9, 0x7a, 0x32),
                           QColor(0x6e, 0x43, 0x14)};
inline constexpr QColor Ink(0x3d, 0x47, 0x54);
inline constexpr QColor PaperEdge(0x5d, 0x69, 0x78);
inline constexpr QColor TextLine(0x9a, 0xa8, 0xb8);

QBrush Vertical(const Tone &t, qreal top, qreal bottom);
QBrush Diagonal(const Tone &t, QRectF r);
QPen Outline(const QColor &c, qreal width = 1.0);
void Fill(QPainter &p, const QPainterPath &path, const QBrush &brush, const QColor &edge);

// A sheet of paper with a folded top right corner; coordinates on half pixels so
// the 1 px edge lands on whole pixels.
void Page(QPainter &p, QRectF r, qreal fold);
void TextLines(QPainter &p, qreal left, qreal right, qreal top, int count, qreal step = 2);
// A straight block arrow pointing right, tip at tip; mirrored by the caller.
QPainterPath BlockArrow(QPointF tip, qreal headLength, qreal headHalf, qreal shaftHalf, qreal tail);
// A thick circular arrow: an arc stroked with an outline and a head at its end.
// Angles in degrees, counter-clockwise, as Qt counts them.
void ArcArrow(QPainter &p, QPointF c, qreal r, qreal startDeg, qreal sweepDeg, const Tone &t,
              qreal width, qreal head);
QPainterPath Gear(QPointF c, qreal outer, qreal inner, int teeth);
void DrawGear(QPainter &p, QPointF c, qreal outer, qreal inner, qreal hole, int teeth);
void DrawGlobe(QPainter &p, QPointF c, qreal r, const Tone &sea, const Tone &land);
void DrawBadge(QPainter &p, QPointF c, qreal r, const Tone &t);
void DrawMagnifier(QPainter &p, QPointF c, qreal r, qreal handle, qreal handleWidth);
void DrawFolder(QPainter &p, QRectF r, bool open);

} // namespace mira::glyphs
