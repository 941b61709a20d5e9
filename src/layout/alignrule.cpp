#include "layout/alignrule.h"

namespace mira {
namespace {

// Whether a goes before b among controls of one alignment (stacking by position).
bool insertBefore(const QRect &a, const QRect &b, TAlign align)
{
    switch (align) {
    case TAlign::alTop: return a.top() < b.top();
    case TAlign::alBottom: return a.top() + a.height() >= b.top() + b.height();
    case TAlign::alLeft: return a.left() < b.left();
    case TAlign::alRight: return a.left() + a.width() >= b.left() + b.width();
    default: return false;
    }
}

} // namespace

QList<QRect> AlignRects(const QRect &client, const QList<AlignItem> &items)
{
    QList<QRect> result;
    result.reserve(items.size());
    for (const AlignItem &item : items)
        result.append(item.geometry);
    QRect rect = client;
    static const TAlign order[] = {TAlign::alTop, TAlign::alBottom, TAlign::alLeft, TAlign::alRight,
                                   TAlign::alClient};
    for (TAlign align : order) {
        QList<qsizetype> list;
        for (qsizetype c = 0; c < items.size(); ++c) {
            if (items.at(c).hidden || items.at(c).align != align)
                continue;
            qsizetype i = 0;
            while (i < list.size()
                   && !insertBefore(items.at(c).geometry, items.at(list.at(i)).geometry, align))
                ++i;
            list.insert(i, c);
        }
        for (qsizetype c : list) {
            const AlignItem &item = items.at(c);
            const int w = qMax(0, rect.width());
            const int h = qMax(0, rect.height());
            QRect r;
            switch (align) {
            case TAlign::alTop:
                r = QRect(rect.left(), rect.top(), w, item.geometry.height());
                break;
            case TAlign::alBottom:
                r = QRect(rect.left(), rect.top() + h - item.geometry.height(), w,
                          item.geometry.height());
                break;
            case TAlign::alLeft:
                r = QRect(rect.left(), rect.top(), item.geometry.width(), h);
                break;
            case TAlign::alRight:
                r = QRect(rect.left() + w - item.geometry.width(), rect.top(),
                          item.geometry.width(), h);
                break;
            case TAlign::alClient: r = QRect(rect.left(), rect.top(), w, h); break;
            case TAlign::alNone: break;
            }
            r.setSize(r.size().boundedTo(item.maximum).expandedTo(item.minimum));
            result[c] = r;
            switch (align) {
            case TAlign::alTop: rect.setTop(rect.top() + r.height()); break;
            case TAlign::alBottom: rect.setBottom(rect.bottom() - r.height()); break;
            case TAlign::alLeft: rect.setLeft(rect.left() + r.width()); break;
            case TAlign::alRight: rect.setRight(rect.right() - r.width()); break;
            default: break;
            }
        }
    }
    return result;
}

} // namespace mira
