#pragma once

#include <filesystem>
#include <string>

// Helpers of the environment tests: a temporary folder per test and whole-file
// reads and writes.

class TTempDir {
public:
    TTempDir();
    ~TTempDir();
    TTempDir(const TTempDir&) = delete;
    TTempDir& operator=(const TTempDir&) = delete;

    const std::filesystem::path& Path() const { return Path_; }
    // The path of an entry below the folder, as text.
    std::string operator/(const std::string& name) const { return (Path_ / name).string(); }

private:
    std::filesystem::path Path_;
};

void WriteFile(const std::string& path, const std::string& bytes);
std::string ReadFile(const std::string& path);
// Writes a shell script and makes it executable.
void WriteScript(const std::string& path, const std::string& body);
