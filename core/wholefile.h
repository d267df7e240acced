#pragma once

#include <string>
#include <string_view>

// Files read and written whole: project files, the settings document, the
// library and valve files, exchange texts and the pages.

// The bytes of a regular file. A folder, a device or a pipe in its place is no
// file to read (it could block or never end); that and any other failure to open
// or read raise FileError "Cannot open file".
std::string ReadWholeFile(const std::string& fileName);

// Replaces the file with `bytes` so that at every moment either the old or the new
// file is there complete, also when the disk fills or the program is killed:
// - the new text goes to a temporary file beside the file, fsync'ed, then renamed
//   over it; a save that fails removes its temporary file and leaves the old file;
// - a symbolic link is written through: its target is replaced, the link stays;
// - the old file's permissions (and owner where allowed) are kept; a new file gets
//   the user's file-creation mask;
// - the temporary name is fixed for each file and fits the file-name limit, so the
//   next save takes over and removes what a killed save left behind; saves of the
//   same file from two processes wait for each other;
// - a device or pipe in the file's place (/dev/stdout) is written directly.
// Faults raise FileError naming fileName: "Cannot create file" or "Cannot write file".
void WriteWholeFile(const std::string& fileName, std::string_view bytes);

// The temporary file a save of `fileName` writes before the rename: ".NAME.tmp"
// beside the file the save replaces, the name shortened (with a hash of the whole
// name) where it would pass the file-name limit of `nameMax` bytes.
std::string SaveTempName(const std::string& fileName, std::size_t nameMax = 255);
