#include "tests/env/envtest.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteScript(const std::string& path, const std::string& body)
{
    WriteFile(path, "#!/bin/sh\n" + body);
    fs::permissions(path, fs::perms::owner_all, fs::perm_options::replace);
}
