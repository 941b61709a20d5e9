#pragma once
// How large a web control shows its page: the program's text size, one level shared
// by every view (it outlives the program), and the pane's own zoom on top of it.
#include <utility>

namespace mira::platform {

class WebZoom {
public:
    virtual ~WebZoom() = default;

    // The text size levels offered, lowest and highest.
    virtual std::pair<int, int> textSizeRange() = 0;
    virtual int textSize() = 0;
    // False (nothing changes) for a level outside the range.
    virtual bool setTextSize(int level) = 0;

    // The pane's own zoom (1.0 = 100 %), on top of the text size; this view only,
    // whatever host it shows. Set before a navigation, the page paints at it.
    virtual void setZoom(double factor) = 0;
};

} // namespace mira::platform
