#pragma once

#include <string>

#include "tests/support/tempfolder.h"

// Helpers of the environment tests: whole-file reads and writes, beside the
// temporary folder per test.

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// Writes a shell script and makes it executable.
void WriteScript(const std::string& path, const std::string& body);
