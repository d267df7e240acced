#pragma once

#include <functional>
#include <string>

#include "core/messagehook.h"

// Message boxes of the windows: a text with an OK button over the active window.
// Tests put a hook in place of the box, so that nothing waits for a click.

void ShowMessage(const std::string& text);

// Installs a hook in place of the message box (an empty hook restores the box) and
// returns the hook that was in place.
TMessageHook SetMessageHook(TMessageHook hook);

// Runs one command of a window. An error it raises stops the command and is shown
// in a message box; the program carries on. Returns whether it ran to the end.
bool RunCommand(const std::function<void()>& command);
