#pragma once

#include <string>
#include <vector>

#include "core/jsondoc.h"

// The project files used last, newest first, as the member "RecentFiles" of the
// settings document: an array of at most five paths. Entries that are no text, or
// that repeat an earlier one, are not read.

inline constexpr int kRecentFileCount = 5;

std::vector<std::string> RecentFiles(const TJsonDoc& settings);

// Puts `path` at the top; an older entry of it goes, and the sixth falls off.
void AddRecentFile(TJsonDoc& settings, const std::string& path);

// Takes `path` off the list (a file that no longer exists).
void RemoveRecentFile(TJsonDoc& settings, const std::string& path);
