#pragma once
// Sizing the program's dialogs from their font. The dialogs were drawn for an
// 8-point face at 96 dpi, whose lines are 13 pixels high; the faces of this desktop
// are wider and its screens may be denser, so every length drawn for that font grows
// with the font actually used, and text controls are sized by layouts.
#include <QFont>
#include <QRect>
#include <QString>

class QWidget;

namespace mira {

inline constexpr int kDesignLineHeight = 13;

// The font of the program's dialogs: the design face, 11 pixels at 96 dpi, as many
// more pixels as the screen's logical dpi asks for.
QFont DesignFont(qreal logicalDpi);
// DesignFont for the screen the widget is on (96 dpi when it has none yet).
QFont DesignFont(const QWidget *widget);

// How many times higher than the design font's lines a font's lines are; never
// below 1, so a smaller font keeps the drawn sizes.
qreal DesignScale(int lineHeight);
qreal DesignScale(const QFont &font);

// A length or rectangle drawn for the design font, at the given scale (rounded).
int Scaled(int designPixels, qreal scale);
QRect Scaled(const QRect &design, qreal scale);

// The client width a window needs for its title bar to show the caption in full:
// the caption's advance and room for the window icon and up to three buttons, each
// about as wide as the title bar is high; at most limit, never below minimum.
int CaptionFitWidth(int captionAdvance, int titleBarHeight, int minimum, int limit);
// CaptionFitWidth for the program's font in bold, limited to three quarters of the
// screen's available width.
int CaptionFitWidth(const QString &caption, int minimum);

} // namespace mira
