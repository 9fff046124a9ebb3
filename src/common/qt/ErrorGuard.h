// The one place where errors stop: every entry point from the event loop (a command, a button,
// an editor commit) runs through it, and an error is shown in the standard error box.
#pragma once

#include <functional>

#include "common/qt/Prompts.h"

namespace quillcast {

// Runs `action`; an error it raises is shown through `prompts` and swallowed. Returns true when
// the action finished without error.
bool Guarded(Prompts& prompts, const std::function<void()>& action);

}  // namespace quillcast
