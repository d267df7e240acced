#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Read-only INI profile text, read by the rules of the Windows profile-string
// functions that the refrigerant library and the valve data files were written for:
// - section and key names compare without regard to case;
// - blanks around a value are removed, then one pair of enclosing quotation marks
//   (single or double, the same mark at both ends) is removed;
// - a value is read up to 2047 characters;
// - the list of section names is one block of at most 16383 characters, each name
//   followed by one separator; names beyond the block are not listed;
// - a section counts as present only if it holds at least one key.
// Lines beginning with ";" are comments; other lines without "=" are ignored.
class TIniFile {
public:
    static constexpr size_t MaxValueLength = 2047;
    static constexpr size_t SectionNameBlock = 16383;

    // Reads the whole file; a missing or unreadable file, or one that is not a
    // regular file, reads as empty. 8-bit text becomes UTF-8 (see FileTextToUtf8).
    static TIniFile Load(const std::string& path);
    static TIniFile FromText(std::string_view text);

    bool Exists() const { return exists_; }

    // Section names in file order, each once, limited by the name block.
    std::vector<std::string> SectionNames() const;
    bool SectionExists(std::string_view section) const;
    // Key names of a section in file order.
    std::vector<std::string> KeyNames(std::string_view section) const;

    // The value as the profile functions deliver it, or nothing when the key is missing.
    std::optional<std::string> ReadValue(std::string_view section, std::string_view key) const;

    std::string ReadString(std::string_view section, std::string_view key, const std::string& def) const;
    // Decimal or hexadecimal ("0x", "0X", "$"); text that does not convert gives def.
    int ReadInteger(std::string_view section, std::string_view key, int def) const;
    // Decimal with "."; empty or unconvertible text gives def.
    double ReadReal(std::string_view section, std::string_view key, double def) const;

private:
    struct Entry {
        std::string key;
        std::string value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* Find(std::string_view section) const;

    std::vector<Section> sections_;
    std::unordered_map<std::string, std::size_t> index_; // case-folded name -> section
    bool exists_ = false;
};

// Splits a coefficient list into its entries: commas and runs of blanks separate
// entries, blanks around a comma belong to that one separator, a double-quoted
// entry may hold commas and blanks, and two commas in a row or a comma at the
// very end give an empty entry.
std::vector<std::string> SplitCoefList(std::string_view value);

// Reads a list of exactly `count` reals into `values`. The list is taken over only
// when the value is non-empty, has exactly `count` entries and not every entry is
// the text "0"; otherwise `values` keeps its contents and false is returned.
// An entry of a taken-over list that does not convert raises ConversionError
// naming the text; the entries before it have been written by then.
bool ReadCoefList(const TIniFile& ini, std::string_view section, std::string_view key, double* values, size_t count);
