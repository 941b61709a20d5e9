#pragma once
// The alignment rule on rectangles: where aligned controls go inside a client
// rectangle, whether the controls are widgets or only what they would become.
#include <QList>
#include <QRect>
#include <QSize>
#include <QWidget>

#include "layout/align.h"

namespace mira {

// One control as the rule sees it.
struct AlignItem {
    TAlign align = TAlign::alNone;
    QRect geometry; // where it is now: its own sizes and its order among its alignment
    QSize minimum{0, 0};
    QSize maximum{QWIDGETSIZE_MAX, QWIDGETSIZE_MAX};
    bool hidden = false;
};

// Where the items go inside client, in the items' order: top, bottom, left, right,
// then client, each alignment stacked by position. Unaligned and hidden items stay
// where they are; sizes are bounded as QWidget::setGeometry bounds them.
QList<QRect> AlignRects(const QRect &client, const QList<AlignItem> &items);

} // namespace mira
