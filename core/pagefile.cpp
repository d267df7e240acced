#include "pagefile.h"

#include <utility>

#include "errors.h"

TPageFile::TPageFile(std::string fileName)
    : fileName_(std::move(fileName)), out_(fileName_, std::ios::binary | std::ios::trunc)
{
    if (!out_)
        ThrowCannotCreate(fileName_);
}

void TPageFile::Line(std::string_view text)
{
    out_.write(text.data(), static_cast<std::streamsize>(text.size()));
    out_.write("\r\n", 2);
    CheckWritten();
}

void TPageFile::Close()
{
    out_.flush();
    CheckWritten();
    out_.close();
    CheckWritten();
}

void TPageFile::CheckWritten()
{
    if (!out_)
        ThrowCannotWrite(fileName_);
}
