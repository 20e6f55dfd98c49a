#pragma once

#include "base/ProgramEnd.h"

// Test double: counts requests to end the program instead of ending it.
class RecordingProgramEnd : public velmora::ProgramEnd {
public:
    void endNow() override { ++count; }
    int count = 0;
};
