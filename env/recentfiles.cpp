#include "env/recentfiles.h"

#include <algorithm>

namespace {

constexpr const char* kMember = "RecentFiles";

void Store(TJsonDoc& settings, const std::vector<std::string>& files)
{
    TJsonDoc list = TJsonDoc::array();
    for (const auto& f : files)
        list.push_back(f);
    settings[kMember] = std::move(list);
}

} // namespace

std::vector<std::string> RecentFiles(const TJsonDoc& settings)
{
    std::vector<std::string> files;
    if (!settings.is_object())
        return files;
    const auto member = settings.find(kMember);
    if (member == settings.end() || !member->is_array())
        return files;
    for (const auto& entry : *member) {
        if (static_cast<int>(files.size()) == kRecentFileCount)
            break;
        if (!entry.is_string())
            continue;
        const auto& path = entry.get_ref<const std::string&>();
        if (!path.empty() && std::find(files.begin(), files.end(), path) == files.end())
            files.push_back(path);
    }
    return files;
}

void AddRecentFile(TJsonDoc& settings, const std::string& path)
{
    std::vector<std::string> files = RecentFiles(settings);
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    files.insert(files.begin(), path);
    if (static_cast<int>(files.size()) > kRecentFileCount)
        files.resize(kRecentFileCount);
    Store(settings, files);
}

void RemoveRecentFile(TJsonDoc& settings, const std::string& path)
{
    std::vector<std::string> files = RecentFiles(settings);
    files.erase(std::remove(files.begin(), files.end(), path), files.end());
    Store(settings, files);
}
