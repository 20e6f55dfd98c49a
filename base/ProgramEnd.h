#pragma once

namespace velmora {

// Seam for ending the program at once, from inside a handler, without any
// window's unload handler running. Tests replace it with a recorder.
class ProgramEnd {
public:
    virtual ~ProgramEnd() = default;
    virtual void endNow() = 0;
};

} // namespace velmora
