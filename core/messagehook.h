#pragma once

#include <functional>
#include <string>

// Where a part without windows of its own sends a text meant for the user: a
// message box in the windows, the error stream in kelvora-cli, a list in the tests.
using TMessageHook = std::function<void(const std::string&)>;
