#pragma once

#include <functional>
#include <string>
#include <vector>

// Called with a folder's path before its files are listed.
using TFolderCallback = std::function<void(const std::string& folder)>;

// True when a file name matches a mask of "*" (any run) and "?" (any one
// character), letters compared without regard to case. "*" and "*.*" match every name.
bool MatchesMask(const std::string& name, const std::string& mask);

// Appends to `list` the full path of every regular file in `folder` whose name
// matches `mask`, hidden files included, in the order the folder lists them. With
// `recurse` the same follows for each subfolder, depth first; a folder reached a
// second time through a link is not listed again. An empty folder does nothing,
// and a folder that cannot be read contributes nothing.
void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list,
               const TFolderCallback& onFolder, bool recurse);
