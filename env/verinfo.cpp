#include "env/verinfo.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstdio>
#include <fstream>
#include <functional>
#include <iterator>
#include <optional>
#include <string_view>

#include "core/numtext.h"

namespace {

// A record longer than this is taken as damaged (a marker without its end).
constexpr size_t kMaxRecordSize = 64 * 1024;

const char* const kStringFileInfo = "\\StringFileInfo\\";

enum TRecordSearch { rsFound,
                     rsNone,
                     rsDamaged };

// Finds the record: the marker directly followed by a line break, up to the next
// zero byte. The reading code holds the marker too, but followed by its zero
// terminator, so only the embedded record matches.
TRecordSearch FindRecord(std::string_view bytes, std::string& record)
{
    const std::string_view marker(kVersionRecordMarker);
    const std::boyer_moore_horspool_searcher searcher(marker.begin(), marker.end());
    bool damaged = false;
    for (auto from = bytes.begin();;) {
        const auto at = std::search(from, bytes.end(), searcher);
        if (at == bytes.end())
            return damaged ? rsDamaged : rsNone;
        const size_t start = static_cast<size_t>(at - bytes.begin()) + marker.size();
        from = at + 1;
        if (start >= bytes.size() || bytes[start] != '\n')
            continue;
        const std::string_view rest = bytes.substr(start + 1, kMaxRecordSize);
        const size_t end = rest.find('\0');
        if (end == std::string_view::npos) {
            damaged = true;
            continue;
        }
        record.assign(rest.substr(0, end));
        return rsFound;
    }
}

std::optional<uint16_t> ParseHex4(std::string_view text)
{
    unsigned value = 0;
    const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value, 16);
    if (text.size() != 4 || ec != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return static_cast<uint16_t>(value);
}

// "1.2.0.0": four numbers 0..65535.
std::optional<std::array<uint16_t, 4>> ParseVersion(std::string_view text)
{
    std::array<uint16_t, 4> parts {};
    const char* p = text.data();
    const char* const end = text.data() + text.size();
    for (size_t i = 0; i < parts.size(); ++i) {
        if (i > 0) {
            if (p == end || *p != '.')
                return std::nullopt;
            ++p;
        }
        unsigned value = 0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec != std::errc() || next == p || value > 0xFFFF)
            return std::nullopt;
        parts[i] = static_cast<uint16_t>(value);
        p = next;
    }
    if (p != end)
        return std::nullopt;
    return parts;
}

std::string HexText(uint16_t language, uint16_t codePage)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04X%04X", language, codePage);
    return buf;
}

} // namespace

const char* const kVerInfoValueNames[10] = {"CompanyName", "FileDescription", "FileVersion", "InternalName",
                                            "LegalCopyright", "LegalTrademarks", "OriginalFilename",
                                            "ProductName", "ProductVersion", "Comments"};

TVerInfoRes::TVerInfoRes(const std::string& fileName) : FileName_(fileName)
{
    std::ifstream in(fileName, std::ios::binary);
    if (!in)
        throw ENoVerInfoError("No Version Info Available.");
    std::string bytes;
    try {
        // Reading a folder raises from inside the stream buffer.
        bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        throw ENoVerInfoError("No Version Info Available.");
    }
    if (in.bad())
        throw EVerInfoError("Cannot obtain version info.");

    switch (FindRecord(bytes, Data_)) {
    case rsNone:
        throw ENoVerInfoError("No Version Info Available.");
    case rsDamaged:
        throw EVerInfoError("Cannot obtain version info.");
    case rsFound:
        break;
    }

    for (size_t from = 0; from < Data_.size();) {
        size_t end = Data_.find('\n', from);
        if (end == std::string::npos)
            end = Data_.size();
        std::string_view line(Data_.data() + from, end - from);
        from = end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const size_t eq = line.find('=');
        if (eq == 0 || eq == std::string_view::npos)
            throw EVerInfoError("Cannot obtain version info.");
        Values_.emplace_back(std::string(line.substr(0, eq)), std::string(line.substr(eq + 1)));
    }

    // The first translation: language and code page, four hexadecimal digits each.
    const std::string translations = Query("Translation");
    const std::string_view first = std::string_view(translations).substr(0, translations.find(' '));
    const auto language = ParseHex4(first.substr(0, 4));
    const auto codePage = first.size() == 8 ? ParseHex4(first.substr(4)) : std::nullopt;
    if (!language || !codePage)
        throw EVerInfoError("No language info.");
    Language_ = *language;
    CodePage_ = *codePage;

    const auto version = ParseVersion(Query("FixedFileVersion"));
    if (!version)
        throw eNoFixeVerInfo("No fixed file info");
    FileVersionMS_ = static_cast<uint32_t>((*version)[0]) << 16 | (*version)[1];
    FileVersionLS_ = static_cast<uint32_t>((*version)[2]) << 16 | (*version)[3];
}

std::string TVerInfoRes::FileVersion() const
{
    char buf[32];
    std::snprintf(buf, sizeof buf, "%d.%d.%d.%d", static_cast<int>(FileVersionMS_ >> 16),
                  static_cast<int>(FileVersionMS_ & 0xFFFF), static_cast<int>(FileVersionLS_ >> 16),
                  static_cast<int>(FileVersionLS_ & 0xFFFF));
    return buf;
}

std::string TVerInfoRes::Query(const std::string& subBlock) const
{
    for (const auto& [name, value] : Values_)
        if (SameText(name, subBlock))
            return value;
    return {};
}

std::string TVerInfoRes::GetString(const std::string& name) const
{
    return Query(kStringFileInfo + HexText(Language_, CodePage_) + "\\" + name);
}

std::string FileVersionOf(const std::string& fileName)
{
    return TVerInfoRes(fileName).FileVersion();
}

std::string ProductNameOf(const std::string& fileName)
{
    return TVerInfoRes(fileName).GetString("ProductName");
}

std::string ProductTitleOf(const std::string& fileName)
{
    const TVerInfoRes info(fileName);
    return info.GetString("ProductName") + " " + info.FileVersion();
}
