#pragma once

#include <string>
#include <string_view>
#include <vector>

// The clipboard exchange text split into lines at CR, LF or CR LF.
std::vector<std::string> SplitTextLines(std::string_view text);

// Lines joined with CR LF after each one, the last one too.
std::string JoinTextLines(const std::vector<std::string>& lines);
