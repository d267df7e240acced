#pragma once

#include <string>

// The scratch tree of the running test program, removed when it ends: the
// per-user settings store (settings) and, for the window tests, the maker's
// folder (Zandrovel/Kelvora) and the documents folder (docs).
std::string ScratchRoot();
