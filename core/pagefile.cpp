#include "core/pagefile.h"

#include <utility>

#include "core/wholefile.h"

TPageFile::TPageFile(std::string fileName) : fileName_(std::move(fileName)) { }

void TPageFile::Line(std::string_view text)
{
    text_.append(text);
    text_.append("\r\n");
}

void TPageFile::Close()
{
    WriteWholeFile(fileName_, text_);
}
