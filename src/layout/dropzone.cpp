#include "layout/dropzone.h"

#include <cstdint>

namespace mira {
namespace {

// Sizes and mouse positions are 32-bit in the set's world: products wrap.
int32_t mul32(int32_t a, int32_t b)
{
    return static_cast<int32_t>(static_cast<uint32_t>(a) * static_cast<uint32_t>(b));
}

} // namespace

Zone DropZone(bool containerEmpty, QPoint p, QSize size)
{
    if (containerEmpty)
        return Zone::Fill;
    const int32_t w = size.width();
    const int32_t h = size.height();
    const bool below = mul32(w, p.y()) > mul32(h, p.x());
    const bool aboveAnti = mul32(w, p.y()) < mul32(h, w - p.x());
    if (below)
        return aboveAnti ? Zone::Left : Zone::Bottom;
    return aboveAnti ? Zone::Top : Zone::Right;
}

bool FitsBeside(QSize n, const std::optional<TargetExtent> &target)
{
    if (!target)
        return true;
    return n.height() < target->size.height() - target->minimum.height()
           && n.width() < target->size.width() - target->minimum.width();
}

} // namespace mira
