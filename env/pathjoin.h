#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Joins path parts with "/", adding none where the text so far already ends with
// one. Parts are neither trimmed nor checked; no parts give the empty string.
std::string PathJoin(const std::vector<std::string>& parts);
