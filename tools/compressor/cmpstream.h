#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <string_view>

#include "core/utf8.h"

// The tagged value stream of the compressor data files: every value begins with a
// tag byte that says what follows. Little-endian throughout. Text is held in the
// program as UTF-8; the files' 8-bit characters are those of ISO 8859-1, and text
// stored as UTF-16 or UTF-8 is brought down to those 8-bit characters ("?" for a
// character that has none) before it is held.

enum TValueTag : std::uint8_t {
    vaNull = 0, // list end
    vaList = 1, // list begin
    vaInt8 = 2,
    vaInt16 = 3,
    vaInt32 = 4,
    vaExtended = 5, // x87 80-bit extended float
    vaString = 6,   // 1-byte length, 8-bit characters
    vaFalse = 8,
    vaTrue = 9,
    vaLString = 12, // 4-byte length, 8-bit characters
    vaWString = 18, // 4-byte length in characters, UTF-16LE
    vaInt64 = 19,
    vaUtf8String = 20, // 4-byte length in bytes, UTF-8
    vaDouble = 21,     // IEEE 754 double
};

// x87 extended precision: bytes 0-7 the significand with its explicit integer bit,
// bytes 8-9 the sign bit and the 15-bit exponent (bias 16383). Infinities and NaNs
// (exponent 0x7FFF) and values beyond the range of a double give nothing.
std::optional<double> ExtendedToDouble(const std::array<unsigned char, 10>& bytes);
std::array<unsigned char, 10> DoubleToExtended(double value);

// The program's UTF-8 to 8-bit text (one character a byte, ISO 8859-1):
// a character without an 8-bit code becomes "?".
std::string Utf8ToLatin1(std::string_view text);

// Reads one compressor data file. Every read is checked against what is left of
// the file before anything is allocated; a short file, a wrong tag or a value that
// is not a number raise DataFormatError, a file that cannot be opened FileError.
class TCmpReader {
public:
    explicit TCmpReader(const std::string& path);
    // Takes over an open stream (a file or a memory stream) of the given size.
    TCmpReader(std::FILE* stream, std::uint64_t size, std::string name);
    ~TCmpReader();
    TCmpReader(const TCmpReader&) = delete;
    TCmpReader& operator=(const TCmpReader&) = delete;

    const std::string& Path() const { return path_; }
    std::uint64_t Size() const { return size_; }
    std::uint64_t Position() const { return pos_; }
    std::uint64_t Left() const { return size_ - pos_; }
    void Seek(std::uint64_t position);

    // Bytes with no tag.
    void ReadRaw(void* buffer, std::size_t count);
    std::uint8_t ReadByte();
    std::int32_t ReadRawInt32();
    double ReadRawDouble(); // any non-finite value is a read error

    std::uint8_t ReadTag();
    std::uint8_t PeekTag();

    // Tags 6 and 12 as stored, 18 and 20 brought down to 8-bit characters; only the
    // first `keep` characters are held, the rest is passed over.
    std::string ReadString(std::size_t keep = 255);
    // Tags 2, 3 and 4.
    std::int32_t ReadInteger();
    // Tags 5 and 21, and the integers of tags 19, 2, 3 and 4.
    double ReadFloat();
    // True exactly when the tag byte is 9; any other byte is false.
    bool ReadBoolean();
    void ReadListBegin();
    bool EndOfList(); // the next tag is a list end; it is not consumed
    void ReadListEnd();

    [[noreturn]] void Fail(const std::string& what) const;

private:
    void Skip(std::uint64_t count);
    std::uint32_t ReadLength();
    std::int64_t ReadLittleEndian(int bytes);

    std::FILE* file_ = nullptr;
    std::uint64_t size_ = 0;
    std::uint64_t pos_ = 0;
    std::string path_;
};

// Builds a tagged value stream in memory; for the tests and the sample-data generator.
// WriteString and WriteFloat use the tags chosen in StringTag and FloatTag, so one
// writer produces the string and float kinds of any version of the files.
class TCmpWriter {
public:
    std::uint8_t StringTag = vaString;  // vaString (vaLString beyond 255 bytes), vaLString, vaWString, vaUtf8String
    std::uint8_t FloatTag = vaExtended; // vaExtended or vaDouble

    const std::string& Bytes() const { return bytes_; }
    void SaveToFile(const std::string& path) const;

    void WriteRaw(std::string_view bytes);
    void WriteByte(std::uint8_t b);
    void WriteRawInt32(std::int32_t v);
    void WriteRawDouble(double v);

    void WriteTag(std::uint8_t tag) { WriteByte(tag); }
    void WriteListBegin() { WriteTag(vaList); }
    void WriteListEnd() { WriteTag(vaNull); }
    void WriteBoolean(bool v) { WriteTag(v ? vaTrue : vaFalse); }
    // The smallest of tags 2, 3 and 4 that holds the value.
    void WriteInteger(std::int32_t v);
    void WriteInt64(std::int64_t v);
    void WriteExtended(double v);
    void WriteDouble(double v);
    void WriteFloat(double v);
    // UTF-8 text in the kind of StringTag.
    void WriteString(std::string_view text);
    void WriteStringAs(std::uint8_t tag, std::string_view text);

private:
    void WriteLittleEndian(std::uint64_t v, int bytes);
    std::string bytes_;
};
