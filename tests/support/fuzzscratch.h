#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include <unistd.h>

// The fuzz targets' scratch folder: in memory (/dev/shm) where the machine has it,
// one per process, so that runs side by side never meet and a save costs little.
inline const std::filesystem::path& FuzzScratchFolder()
{
    static const std::filesystem::path folder = [] {
        const char* tmp = std::getenv("TMPDIR");
        std::filesystem::path base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : (tmp ? tmp : "/tmp");
        auto f = base / ("kelvora-fuzz-" + std::to_string(::getpid()));
        std::filesystem::create_directories(f);
        std::atexit([] {
            std::error_code ec;
            std::filesystem::remove_all(FuzzScratchFolder(), ec);
        });
        return f;
    }();
    return folder;
}

// Writes the fuzzer's input as the file `name` of the scratch folder.
inline std::string FuzzFile(const std::string& name, const std::uint8_t* data, std::size_t size)
{
    const std::string path = (FuzzScratchFolder() / name).string();
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
}

// A broken invariant: libFuzzer keeps the input that did it.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: invariant broken: %s\n", __FILE__, __LINE__, #condition); \
            std::abort();                                                                          \
        }                                                                                          \
    } while (0)
