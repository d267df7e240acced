#include "tests/env/envtest.h"

#include <fstream>
#include <iterator>
#include <system_error>

#include <gtest/gtest.h>
#include <unistd.h>

namespace fs = std::filesystem;

TTempDir::TTempDir()
{
    static int counter = 0;
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    Path_ = fs::temp_directory_path() /
            ("kelvora-env-" + std::to_string(::getpid()) + "-" + std::to_string(++counter) + "-" + (info ? info->name() : "x"));
    fs::remove_all(Path_);
    fs::create_directories(Path_);
}

TTempDir::~TTempDir()
{
    std::error_code ec;
    // Tests may leave folders without write permission behind.
    for (auto it = fs::recursive_directory_iterator(Path_, ec); !ec && it != fs::recursive_directory_iterator();
         it.increment(ec))
        if (it->is_directory(ec) && !it->is_symlink(ec))
            fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(Path_, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(Path_, ec);
}

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
