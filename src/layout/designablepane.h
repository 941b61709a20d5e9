#pragma once
// What the design commands need to know of a browser pane, which lives in a higher
// layer: where its navigation bar sits.
namespace mira {

class DesignablePane {
public:
    virtual ~DesignablePane() = default;
    // The navigation bar at the bottom (true) or at the top.
    virtual bool BottomBar() const = 0;
    virtual void SetBottomBar(bool bottom) = 0;
};

} // namespace mira
