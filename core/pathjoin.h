#pragma once

#include <initializer_list>
#include <string>
#include <vector>

// Joins path parts with "/", adding none where the text so far already ends with
// one. Parts are neither trimmed nor checked; no parts give the empty string.
std::string PathJoin(const std::vector<std::string>& parts);

// A folder and a name: the name alone when the folder is empty, otherwise one "/"
// between them, none added when the folder already ends with one.
std::string PathJoin(const std::string& folder, const std::string& name);
