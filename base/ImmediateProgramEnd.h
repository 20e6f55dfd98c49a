#pragma once

#include "base/ProgramEnd.h"

#include <cstdio>
#include <cstdlib>

namespace velmora {

// Ends the process at once: no event loop, no destructors, no window's
// unload handler. Everything the program keeps is already on disk (the
// settings store makes each write durable), so nothing is lost.
class ImmediateProgramEnd : public ProgramEnd {
public:
    void endNow() override
    {
        std::fflush(nullptr);
        std::_Exit(EXIT_SUCCESS);
    }
};

} // namespace velmora
