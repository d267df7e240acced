#pragma once

#include <string>

// The line sizing window's help: what it computes and the rules of thumb its
// judgement goes by, with their limits.
std::string LineSizeHelpText();
