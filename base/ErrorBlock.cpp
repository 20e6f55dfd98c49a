#include "base/ErrorBlock.h"

namespace velmora {

ErrorBlock::ErrorBlock(Handler handler)
    : m_handler(std::move(handler))
{
}

ErrorBlock ErrorBlock::skipEach()
{
    return ErrorBlock([](const Error &) { return Resume; });
}

bool ErrorBlock::step(const std::function<void()> &statement)
{
    if (m_ended)
        return false;
    try {
        statement();
        return true;
    } catch (const Error &error) {
        if (m_handler(error) == EndHandler)
            m_ended = true;
        return false;
    }
}

} // namespace velmora
