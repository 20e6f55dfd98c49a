#pragma once

#include "base/Error.h"

#include <functional>

// The error number an operation fails with, or 0 when it does not fail.
inline qint32 failureOf(const std::function<void()> &operation)
{
    try {
        operation();
    } catch (const velmora::Error &e) {
        return e.number();
    }
    return 0;
}
