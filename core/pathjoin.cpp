#include "core/pathjoin.h"

std::string PathJoin(const std::vector<std::string>& parts)
{
    std::string path;
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 && (path.empty() || path.back() != '/'))
            path += '/';
        path += parts[i];
    }
    return path;
}

std::string PathJoin(const std::string& folder, const std::string& name)
{
    if (folder.empty())
        return name;
    if (folder.back() == '/')
        return folder + name;
    return folder + '/' + name;
}
