#pragma once

#include "base/Error.h"

#include <functional>

namespace velmora {

// The program's two styles of error handling, as one mechanism.
//
// A handler runs its statements through step(). When a step throws an Error
// the block decides: Resume goes on with the next step, EndHandler makes
// every later step a no-op. "Skip every failing step" is a block that always
// resumes (skipEach()); "one error block that resumes for listed numbers"
// is a block that resumes for those numbers, reports the rest once and ends.
//
//   ErrorBlock on([&](const Error &e) { ...; return ErrorBlock::EndHandler; });
//   on.step([&] { ... });
//   on.step([&] { ... });
class ErrorBlock {
public:
    enum Outcome { Resume, EndHandler };
    using Handler = std::function<Outcome(const Error &)>;

    explicit ErrorBlock(Handler handler);

    // A block that skips every failing step and reports nothing.
    static ErrorBlock skipEach();

    // Runs the step unless the handler has ended. Returns true when the step
    // ran to its end without an error.
    bool step(const std::function<void()> &statement);

    bool ended() const { return m_ended; }
    void end() { m_ended = true; }

private:
    Handler m_handler;
    bool m_ended = false;
};

} // namespace velmora
