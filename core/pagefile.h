#pragma once

#include <fstream>
#include <string>
#include <string_view>

// A text page written line by line, every line ended by CR LF (the last one too),
// replacing any file of that name. Text is written as the bytes it holds.
// Faults raise FileError naming the file; a partly written file may remain.
class TPageFile {
public:
    explicit TPageFile(std::string fileName);
    TPageFile(const TPageFile&) = delete;
    TPageFile& operator=(const TPageFile&) = delete;

    void Line(std::string_view text);
    // Flushes and closes; a page is complete only once Close has returned.
    void Close();

private:
    void CheckWritten();

    std::string fileName_;
    std::ofstream out_;
};
