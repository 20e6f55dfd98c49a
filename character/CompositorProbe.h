#pragma once

namespace velmora::agent {

// Whether translucent windows really show what lies behind them. Without a
// compositing manager an X11 window's transparent pixels come out black, so
// the character windows cut themselves to shape with a mask instead.
class CompositorProbe {
public:
    // Asks the X11 display each time: a compositor may start or stop while
    // we run. True on every other platform.
    static bool isCompositing();
};

} // namespace velmora::agent
