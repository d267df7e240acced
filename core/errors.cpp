#include "core/errors.h"

void ThrowConversion(const std::string& text, const char* what)
{
    throw ConversionError("'" + text + "' is not a valid " + what + " value");
}

void ThrowListIndex(long long index)
{
    throw ListIndexError("List index out of bounds (" + std::to_string(index) + ")");
}

void ThrowCannotOpen(const std::string& path)
{
    throw FileError("Cannot open file \"" + path + "\".");
}

void ThrowCannotCreate(const std::string& path)
{
    throw FileError("Cannot create file \"" + path + "\".");
}

void ThrowCannotWrite(const std::string& path)
{
    throw FileError("Cannot write file \"" + path + "\".");
}
