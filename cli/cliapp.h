#pragma once

#include <functional>
#include <iosfwd>
#include <string>
#include <vector>

// kelvora-cli's commands over the core, with the main window's checks and messages.
// Exit codes: 0 done, 1 done with a warning (not solved), 2 refused or failed.
struct TCliContext {
    std::string defaultLibrary; // the common data folder's RefLib8.rdf
    // "Kelvora 1.2.0.0", the diagnosis page's byline; read from the program file
    // only when a page needs it, since that means reading the whole file.
    std::function<std::string()> productTitle;
};

int RunCli(const std::vector<std::string>& args, const TCliContext& context, std::ostream& out, std::ostream& err);
