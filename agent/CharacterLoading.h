#pragma once

#include "agent/AgentContext.h"

namespace velmora {
class ErrorBlock;
}

namespace velmora::agent {

// Loads `fileName` as the one character, points both references at it,
// places it, shows it and lets it greet: each call one step of `on`, so the
// caller's error handling decides what a failure does. Returns whether the
// file itself was loaded.
bool loadCharacter(ErrorBlock &on, AgentContext &context, const QString &fileName);

} // namespace velmora::agent
