#include "env/findfiles.h"

#include <filesystem>
#include <set>
#include <system_error>

#include "core/pathjoin.h"

namespace fs = std::filesystem;

namespace {

char Fold(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool Match(const char* name, const char* mask)
{
    // Greedy matching with one back-tracking point for the last "*".
    const char* star = nullptr;
    const char* resume = nullptr;
    while (*name) {
        if (*mask == '*') {
            star = mask++;
            resume = name;
        } else if (*mask == '?' || (*mask && Fold(*mask) == Fold(*name))) {
            ++mask;
            ++name;
        } else if (star) {
            mask = star + 1;
            name = ++resume;
        } else {
            return false;
        }
    }
    while (*mask == '*')
        ++mask;
    return *mask == '\0';
}

void Scan(const std::string& folder, const std::string& mask, std::vector<std::string>& list,
          const TFolderCallback& onFolder, bool recurse, std::set<fs::path>& visited)
{
    std::error_code ec;
    const fs::path canonical = fs::canonical(folder, ec);
    if (ec || !visited.insert(canonical).second)
        return;
    if (onFolder)
        onFolder(folder);

    std::vector<std::string> subfolders;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code statError;
        const fs::file_status status = it->status(statError);
        if (statError)
            continue;
        if (fs::is_directory(status)) {
            if (recurse)
                subfolders.push_back(name);
        } else if (fs::is_regular_file(status) && MatchesMask(name, mask)) {
            list.push_back(PathJoin(folder, name));
        }
    }
    for (const auto& name : subfolders)
        Scan(PathJoin(folder, name), mask, list, onFolder, recurse, visited);
}

} // namespace

bool MatchesMask(const std::string& name, const std::string& mask)
{
    if (mask == "*" || mask == "*.*")
        return true;
    return Match(name.c_str(), mask.c_str());
}

void FindFiles(const std::string& folder, const std::string& mask, std::vector<std::string>& list,
               const TFolderCallback& onFolder, bool recurse)
{
    if (folder.empty())
        return;
    std::set<fs::path> visited;
    Scan(folder, mask, list, onFolder, recurse, visited);
}
