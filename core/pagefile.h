#pragma once

#include <string>
#include <string_view>

// A text page written line by line, every line ended by CR LF (the last one too),
// replacing any file of that name. Text is written as the bytes it holds. The page
// reaches the disk whole at Close, by the route of WriteWholeFile: until then, and
// when the save fails (a full disk), the previous page stays as it was. Faults
// raise FileError naming the file.
class TPageFile {
public:
    explicit TPageFile(std::string fileName);
    TPageFile(const TPageFile&) = delete;
    TPageFile& operator=(const TPageFile&) = delete;

    void Line(std::string_view text);
    // Writes the page; it is on disk only once Close has returned.
    void Close();

private:
    std::string fileName_;
    std::string text_;
};
