#include "pathjoin.h"

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
