#include "core/wholefile.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "core/errors.h"

#ifdef __unix__
#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

std::string ReadWholeFile(const std::string& fileName)
{
    std::error_code ec;
    if (!fs::is_regular_file(fileName, ec))
        ThrowCannotOpen(fileName);
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        ThrowCannotOpen(fileName);
    std::string bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        ThrowCannotOpen(fileName); // the stream buffer raises on a read error
    }
    if (in.bad())
        ThrowCannotOpen(fileName);
    return bytes;
}

std::string SaveTempName(const std::string& fileName, std::size_t nameMax)
{
    const fs::path target(fileName);
    const std::string name = target.filename().string();
    std::string temp = "." + name + ".tmp";
    if (temp.size() > nameMax) {
        // FNV-1a of the whole name keeps two long names with the same beginning apart.
        std::uint32_t hash = 2166136261u;
        for (unsigned char c : name)
            hash = (hash ^ c) * 16777619u;
        char tail[16];
        std::snprintf(tail, sizeof tail, "~%08x.tmp", static_cast<unsigned>(hash));
        const std::size_t room = nameMax > 1 + std::string(tail).size() ? nameMax - 1 - std::string(tail).size() : 0;
        std::size_t keep = std::min(room, name.size());
        // Never cut a UTF-8 character in two.
        while (keep > 0 && keep < name.size() && (static_cast<unsigned char>(name[keep]) & 0xC0) == 0x80)
            --keep;
        temp = "." + name.substr(0, keep) + tail;
    }
    return (target.parent_path() / temp).string();
}

#ifdef __unix__

namespace {

// Closes a descriptor when the save ends, however it ends.
struct TFd {
    int fd = -1;
    ~TFd()
    {
        if (fd >= 0)
            ::close(fd);
    }
};

bool WriteAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t n = ::write(fd, bytes.data(), bytes.size());
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(n));
    }
    return true;
}

// The file a save replaces: the final target of a chain of symbolic links
// (a dangling link names the file to create), or fileName itself.
fs::path SaveTarget(const std::string& fileName)
{
    fs::path p(fileName);
    for (int hop = 0; hop < 40; ++hop) {
        std::error_code ec;
        if (!fs::is_symlink(fs::symlink_status(p, ec)))
            return p;
        const fs::path next = fs::read_symlink(p, ec);
        if (ec)
            return p;
        p = next.is_absolute() ? next : p.parent_path() / next;
    }
    return p;
}

// The user's file-creation mask; reading it means setting it, so it is put back at once.
mode_t CreationMask()
{
    const mode_t mask = ::umask(022);
    ::umask(mask);
    return mask;
}

void SyncFolder(const fs::path& folder)
{
    const int dir = ::open(folder.empty() ? "." : folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dir >= 0) {
        ::fsync(dir);
        ::close(dir);
    }
}

// A device or a pipe takes the bytes as they come; there is nothing to replace.
void WriteDirectly(const std::string& fileName, std::string_view bytes)
{
    TFd out {::open(fileName.c_str(), O_WRONLY | O_TRUNC | O_CLOEXEC)};
    if (out.fd < 0)
        ThrowCannotCreate(fileName);
    if (!WriteAll(out.fd, bytes))
        ThrowCannotWrite(fileName);
}

// Opens the temporary file, locked for this save and still the one at its name.
// Another save of the same file holds the lock until it has renamed its temporary
// file away; then the name is opened afresh. A file left by a killed save is taken
// over, also when that save had already given it a read-only mode.
int OpenTempLocked(const std::string& temp)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        int fd = ::open(temp.c_str(), O_RDWR | O_CREAT | O_NOFOLLOW | O_CLOEXEC, 0600);
        struct stat left { };
        if (fd < 0 && errno == EACCES && ::lstat(temp.c_str(), &left) == 0 && S_ISREG(left.st_mode) &&
            left.st_uid == ::geteuid() && ::chmod(temp.c_str(), 0600) == 0)
            fd = ::open(temp.c_str(), O_RDWR | O_NOFOLLOW | O_CLOEXEC);
        if (fd < 0)
            return -1;
        struct stat opened { };
        // Someone else's file at the temporary name is never written into.
        if (::fstat(fd, &opened) != 0 || !S_ISREG(opened.st_mode) || opened.st_uid != ::geteuid()) {
            ::close(fd);
            return -1;
        }
        int locked;
        do
            locked = ::flock(fd, LOCK_EX);
        while (locked != 0 && errno == EINTR);
        // A file system without locks (some network shares) saves unguarded.
        if (locked != 0 && errno != ENOLCK && errno != EOPNOTSUPP) {
            ::close(fd);
            return -1;
        }
        struct stat named { };
        if (::lstat(temp.c_str(), &named) == 0 && named.st_dev == opened.st_dev && named.st_ino == opened.st_ino)
            return fd;
        ::close(fd);
    }
    return -1;
}

} // namespace

void WriteWholeFile(const std::string& fileName, std::string_view bytes)
{
    struct stat existing { };
    const bool exists = ::stat(fileName.c_str(), &existing) == 0;
    if (exists && !S_ISREG(existing.st_mode) && !S_ISDIR(existing.st_mode)) {
        WriteDirectly(fileName, bytes);
        return;
    }
    const fs::path target = SaveTarget(fileName);
    const std::string temp = SaveTempName(target.string(), [&] {
        const long max = ::pathconf(target.has_parent_path() ? target.parent_path().c_str() : ".", _PC_NAME_MAX);
        return max > 0 ? static_cast<std::size_t>(max) : std::size_t {255};
    }());
    TFd out {OpenTempLocked(temp)};
    if (out.fd < 0)
        ThrowCannotCreate(fileName);

    const mode_t mode = exists ? (existing.st_mode & 07777) : (0666 & ~CreationMask());
    bool ok = ::fchmod(out.fd, 0600) == 0 && ::ftruncate(out.fd, 0) == 0 && WriteAll(out.fd, bytes) &&
        ::fsync(out.fd) == 0;
    if (ok && exists && (existing.st_uid != ::geteuid() || existing.st_gid != ::getegid())) {
        // The owner is kept where the system allows it (root saving a user's file);
        // elsewhere the file becomes the saver's, as any replaced file does.
        if (::fchown(out.fd, existing.st_uid, existing.st_gid) != 0) {
            // not allowed: the saver owns the new file
        }
    }
    ok = ok && ::fchmod(out.fd, mode) == 0;
    if (ok && ::rename(temp.c_str(), target.c_str()) == 0) {
        SyncFolder(target.parent_path());
        return;
    }
    ::unlink(temp.c_str()); // still locked by this save, so still its own file
    if (ok)
        ThrowCannotCreate(fileName); // the rename failed: a folder in the file's place, or no right to replace it
    ThrowCannotWrite(fileName);
}

#else

void WriteWholeFile(const std::string& fileName, std::string_view bytes)
{
    const fs::path target(fileName);
    const fs::path temp = SaveTempName(fileName);
    std::FILE* f = std::fopen(temp.string().c_str(), "wb");
    if (!f)
        ThrowCannotCreate(fileName);
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size() && std::fflush(f) == 0;
    ok = (std::fclose(f) == 0) && ok;
    std::error_code ec;
    if (ok)
        fs::rename(temp, target, ec);
    if (!ok || ec) {
        fs::remove(temp, ec);
        ThrowCannotWrite(fileName);
    }
}

#endif
