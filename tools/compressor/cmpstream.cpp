#include "tools/compressor/cmpstream.h"

#include <cmath>
#include <cstring>
#include <fstream>
#include <vector>

#include "core/errors.h"
#include "core/utf8.h"

namespace {

constexpr char kUnknownChar = '?';

char ToLatin1(char32_t cp)
{
    return cp <= 0xFF ? static_cast<char>(cp) : kUnknownChar;
}

// UTF-16LE code units to 8-bit characters; a surrogate pair is one character.
std::string Utf16ToLatin1(const std::vector<std::uint16_t>& units)
{
    std::string out;
    for (std::size_t k = 0; k < units.size(); ++k) {
        const std::uint16_t u = units[k];
        if (u >= 0xD800 && u <= 0xDBFF && k + 1 < units.size() && units[k + 1] >= 0xDC00 && units[k + 1] <= 0xDFFF)
            ++k;
        out += ToLatin1(u >= 0xD800 && u <= 0xDFFF ? U'\uFFFD' : char32_t(u));
    }
    return out;
}

} // namespace

std::string Utf8ToLatin1(std::string_view text)
{
    std::string out;
    for (std::size_t at = 0; at < text.size();)
        out += ToLatin1(NextUtf8(text, at));
    return out;
}

std::optional<double> ExtendedToDouble(const std::array<unsigned char, 10>& bytes)
{
    std::uint64_t significand = 0;
    for (int k = 7; k >= 0; --k)
        significand = (significand << 8) | bytes[k];
    const int top = bytes[8] | (bytes[9] << 8);
    const int exponent = top & 0x7FFF;
    const bool negative = (top & 0x8000) != 0;
    if (exponent == 0x7FFF)
        return std::nullopt;
    // value = significand * 2^(exponent - 16383 - 63)
    const double value = std::ldexp(static_cast<double>(significand), exponent - 16383 - 63);
    if (!std::isfinite(value))
        return std::nullopt;
    return negative ? -value : value;
}

std::array<unsigned char, 10> DoubleToExtended(double value)
{
    std::array<unsigned char, 10> bytes {};
    int top = std::signbit(value) ? 0x8000 : 0;
    if (value != 0.0 && std::isfinite(value)) {
        int e = 0;
        const double f = std::frexp(std::fabs(value), &e); // |value| = f * 2^e, 0.5 <= f < 1
        const auto significand = static_cast<std::uint64_t>(std::ldexp(f, 64));
        for (int k = 0; k < 8; ++k)
            bytes[k] = static_cast<unsigned char>(significand >> (8 * k));
        top |= (e - 1 + 16383) & 0x7FFF;
    } else if (!std::isfinite(value)) {
        top |= 0x7FFF;
        bytes[7] = 0x80;
        if (std::isnan(value))
            bytes[6] = 0x40;
    }
    bytes[8] = static_cast<unsigned char>(top & 0xFF);
    bytes[9] = static_cast<unsigned char>(top >> 8);
    return bytes;
}

// ---------------------------------------------------------------------------
// Reader

TCmpReader::TCmpReader(const std::string& path) : path_(path)
{
    file_ = std::fopen(path.c_str(), "rb");
    if (!file_)
        ThrowCannotOpen(path);
    const bool sized = std::fseek(file_, 0, SEEK_END) == 0;
    const long end = sized ? std::ftell(file_) : -1;
    if (end < 0 || std::fseek(file_, 0, SEEK_SET) != 0) {
        std::fclose(file_);
        file_ = nullptr;
        ThrowCannotOpen(path);
    }
    size_ = static_cast<std::uint64_t>(end);
}

TCmpReader::TCmpReader(std::FILE* stream, std::uint64_t size, std::string name)
    : file_(stream), size_(size), path_(std::move(name))
{
}

TCmpReader::~TCmpReader()
{
    if (file_)
        std::fclose(file_);
}

void TCmpReader::Fail(const std::string& what) const
{
    throw DataFormatError("Compressor file \"" + path_ + "\": " + what + " at byte " + std::to_string(pos_));
}

void TCmpReader::Seek(std::uint64_t position)
{
    if (position > size_ || std::fseek(file_, static_cast<long>(position), SEEK_SET) != 0)
        Fail("cannot move to byte " + std::to_string(position));
    pos_ = position;
}

void TCmpReader::Skip(std::uint64_t count)
{
    if (count > Left())
        Fail("data end before the file does");
    Seek(pos_ + count);
}

void TCmpReader::ReadRaw(void* buffer, std::size_t count)
{
    if (count > Left())
        Fail("file ends where " + std::to_string(count) + " more bytes were expected");
    if (count > 0 && std::fread(buffer, 1, count, file_) != count)
        Fail("file could not be read");
    pos_ += count;
}

std::uint8_t TCmpReader::ReadByte()
{
    std::uint8_t b = 0;
    ReadRaw(&b, 1);
    return b;
}

std::int64_t TCmpReader::ReadLittleEndian(int bytes)
{
    unsigned char buffer[8] = {};
    ReadRaw(buffer, static_cast<std::size_t>(bytes));
    std::uint64_t v = 0;
    for (int k = bytes - 1; k >= 0; --k)
        v = (v << 8) | buffer[k];
    // Sign-extend from the stored width.
    if (bytes < 8 && (v >> (8 * bytes - 1)) & 1)
        v |= ~std::uint64_t(0) << (8 * bytes);
    return static_cast<std::int64_t>(v);
}

std::int32_t TCmpReader::ReadRawInt32()
{
    return static_cast<std::int32_t>(ReadLittleEndian(4));
}

double TCmpReader::ReadRawDouble()
{
    const auto bits = static_cast<std::uint64_t>(ReadLittleEndian(8));
    double v = 0;
    std::memcpy(&v, &bits, sizeof v);
    if (!std::isfinite(v))
        Fail("a value that is not a number");
    return v;
}

std::uint8_t TCmpReader::ReadTag()
{
    return ReadByte();
}

std::uint8_t TCmpReader::PeekTag()
{
    if (Left() == 0)
        Fail("file ends where a value was expected");
    const int c = std::getc(file_);
    if (c == EOF || std::ungetc(c, file_) == EOF)
        Fail("file could not be read");
    return static_cast<std::uint8_t>(c);
}

std::uint32_t TCmpReader::ReadLength()
{
    return static_cast<std::uint32_t>(ReadLittleEndian(4));
}

std::string TCmpReader::ReadString(std::size_t keep)
{
    const std::uint8_t tag = ReadTag();
    std::string chars; // 8-bit characters
    switch (tag) {
    case vaString:
    case vaLString: {
        const std::uint64_t n = tag == vaString ? ReadByte() : ReadLength();
        if (n > Left())
            Fail("a string longer than the rest of the file");
        chars.resize(static_cast<std::size_t>(std::min<std::uint64_t>(n, keep)));
        ReadRaw(chars.data(), chars.size());
        Skip(n - chars.size());
        break;
    }
    case vaWString: {
        const std::uint64_t n = ReadLength();
        if (2 * n > Left())
            Fail("a string longer than the rest of the file");
        // A character may take two code units; twice `keep` units always hold `keep` characters.
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(n, 2 * std::uint64_t(keep)));
        std::vector<unsigned char> raw(2 * take);
        ReadRaw(raw.data(), raw.size());
        Skip(2 * (n - take));
        std::vector<std::uint16_t> units(take);
        for (std::size_t k = 0; k < take; ++k)
            units[k] = static_cast<std::uint16_t>(raw[2 * k] | (raw[2 * k + 1] << 8));
        chars = Utf16ToLatin1(units);
        break;
    }
    case vaUtf8String: {
        const std::uint64_t n = ReadLength();
        if (n > Left())
            Fail("a string longer than the rest of the file");
        const auto take = static_cast<std::size_t>(std::min<std::uint64_t>(n, 4 * std::uint64_t(keep)));
        std::string raw(take, '\0');
        ReadRaw(raw.data(), raw.size());
        Skip(n - take);
        chars = Utf8ToLatin1(raw);
        break;
    }
    default:
        Fail("tag " + std::to_string(tag) + " where a string was expected");
    }
    if (chars.size() > keep)
        chars.resize(keep);
    return Latin1ToUtf8(chars);
}

std::int32_t TCmpReader::ReadInteger()
{
    const std::uint8_t tag = ReadTag();
    switch (tag) {
    case vaInt8:
        return static_cast<std::int32_t>(ReadLittleEndian(1));
    case vaInt16:
        return static_cast<std::int32_t>(ReadLittleEndian(2));
    case vaInt32:
        return static_cast<std::int32_t>(ReadLittleEndian(4));
    default:
        Fail("tag " + std::to_string(tag) + " where an integer was expected");
    }
}

double TCmpReader::ReadFloat()
{
    const std::uint8_t tag = ReadTag();
    switch (tag) {
    case vaExtended: {
        std::array<unsigned char, 10> bytes {};
        ReadRaw(bytes.data(), bytes.size());
        const auto v = ExtendedToDouble(bytes);
        if (!v)
            Fail("an extended float that is not a number");
        return *v;
    }
    case vaDouble:
        return ReadRawDouble();
    case vaInt64:
        return static_cast<double>(ReadLittleEndian(8));
    case vaInt8:
        return static_cast<double>(ReadLittleEndian(1));
    case vaInt16:
        return static_cast<double>(ReadLittleEndian(2));
    case vaInt32:
        return static_cast<double>(ReadLittleEndian(4));
    default:
        Fail("tag " + std::to_string(tag) + " where a number was expected");
    }
}

bool TCmpReader::ReadBoolean()
{
    return ReadTag() == vaTrue;
}

void TCmpReader::ReadListBegin()
{
    const std::uint8_t tag = ReadTag();
    if (tag != vaList)
        Fail("tag " + std::to_string(tag) + " where a list was expected");
}

bool TCmpReader::EndOfList()
{
    return PeekTag() == vaNull;
}

void TCmpReader::ReadListEnd()
{
    const std::uint8_t tag = ReadTag();
    if (tag != vaNull)
        Fail("tag " + std::to_string(tag) + " where a list end was expected");
}

// ---------------------------------------------------------------------------
// Writer

void TCmpWriter::SaveToFile(const std::string& path) const
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    if (!out)
        ThrowCannotCreate(path);
    out.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
    if (!out.flush())
        ThrowCannotWrite(path);
}

void TCmpWriter::WriteRaw(std::string_view bytes)
{
    bytes_.append(bytes);
}

void TCmpWriter::WriteByte(std::uint8_t b)
{
    bytes_ += static_cast<char>(b);
}

void TCmpWriter::WriteLittleEndian(std::uint64_t v, int bytes)
{
    for (int k = 0; k < bytes; ++k)
        WriteByte(static_cast<std::uint8_t>(v >> (8 * k)));
}

void TCmpWriter::WriteRawInt32(std::int32_t v)
{
    WriteLittleEndian(static_cast<std::uint32_t>(v), 4);
}

void TCmpWriter::WriteRawDouble(double v)
{
    std::uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof v);
    WriteLittleEndian(bits, 8);
}

void TCmpWriter::WriteInteger(std::int32_t v)
{
    if (v >= -128 && v <= 127) {
        WriteTag(vaInt8);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 1);
    } else if (v >= -32768 && v <= 32767) {
        WriteTag(vaInt16);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 2);
    } else {
        WriteTag(vaInt32);
        WriteLittleEndian(static_cast<std::uint64_t>(v), 4);
    }
}

void TCmpWriter::WriteInt64(std::int64_t v)
{
    WriteTag(vaInt64);
    WriteLittleEndian(static_cast<std::uint64_t>(v), 8);
}

void TCmpWriter::WriteExtended(double v)
{
    WriteTag(vaExtended);
    const auto bytes = DoubleToExtended(v);
    bytes_.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
}

void TCmpWriter::WriteDouble(double v)
{
    WriteTag(vaDouble);
    WriteRawDouble(v);
}

void TCmpWriter::WriteFloat(double v)
{
    if (FloatTag == vaDouble)
        WriteDouble(v);
    else
        WriteExtended(v);
}

void TCmpWriter::WriteString(std::string_view text)
{
    WriteStringAs(StringTag, text);
}

void TCmpWriter::WriteStringAs(std::uint8_t tag, std::string_view text)
{
    switch (tag) {
    case vaWString: {
        std::vector<std::uint16_t> units;
        for (std::size_t at = 0; at < text.size();) {
            const char32_t cp = NextUtf8(text, at);
            if (cp >= 0x10000) {
                units.push_back(static_cast<std::uint16_t>(0xD800 + ((cp - 0x10000) >> 10)));
                units.push_back(static_cast<std::uint16_t>(0xDC00 + ((cp - 0x10000) & 0x3FF)));
            } else {
                units.push_back(static_cast<std::uint16_t>(cp));
            }
        }
        WriteTag(vaWString);
        WriteLittleEndian(units.size(), 4);
        for (std::uint16_t u : units)
            WriteLittleEndian(u, 2);
        break;
    }
    case vaUtf8String:
        WriteTag(vaUtf8String);
        WriteLittleEndian(text.size(), 4);
        WriteRaw(text);
        break;
    default: {
        const std::string chars = Utf8ToLatin1(text);
        if (tag == vaString && chars.size() <= 255) {
            WriteTag(vaString);
            WriteByte(static_cast<std::uint8_t>(chars.size()));
        } else {
            WriteTag(vaLString);
            WriteLittleEndian(chars.size(), 4);
        }
        WriteRaw(chars);
        break;
    }
    }
}
