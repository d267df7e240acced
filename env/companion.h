#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include <QByteArray>

#include "core/messagehook.h"

// Starting the maker's companion programs, or handing an argument text to one
// that already runs. A running companion listens on a local socket named after its
// program name (CompanionServerName). The hand-over is one message: the parameter
// 3 as a 32-bit little-endian integer, then the block of the text's length n as a
// 32-bit little-endian integer followed by the n bytes of the text. The companion
// answers with a 32-bit result once it has handled the text.

enum TLaunchOutcome { loHandedOver,
                      loStarted,
                      loStartFailed,
                      loNotExecutable,
                      loNotFound };

inline constexpr uint32_t kHandOverParam = 3;

// "<path>\r\nProgram not executable..." and "<path>\rnot found...".
std::string NotExecutableMessage(const std::string& path);
std::string NotFoundMessage(const std::string& path);

// A path that exists but is no executable file, or a missing path, shows its message
// and starts nothing. Otherwise a running instance gets the text; failing that the
// program is started with the text split into arguments as a command line is (blanks
// separate, double quotes group), never through a shell. Returns when the instance
// has handled the text or the program has been started; a failed start is not shown.
TLaunchOutcome LaunchCompanion(const std::string& path, const std::string& text, const TMessageHook& showMessage);

// Hands the text to a running instance of the program named programName; false
// when none listens or the message cannot be delivered.
bool HandOverToRunning(const std::string& programName, const std::string& text);

// The local socket a companion with this program name listens on: a name in the
// user's runtime folder, so that only the user's own instances are found.
std::string CompanionServerName(const std::string& programName);

// The bytes of one hand-over message.
QByteArray HandOverMessage(const std::string& text);

struct THandOver {
    uint32_t Param = 0;
    std::string Text;
};
// The hand-over in bytes received so far; nothing while the message is incomplete.
std::optional<THandOver> ParseHandOver(const QByteArray& bytes);
