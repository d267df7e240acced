#pragma once

#include <optional>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

// JSON documents of the program (project files, the settings document): typed
// reads that never fail, the standard "date" and "author" sub-objects, window
// geometry, and loading and saving files. Member order is kept as written.
using TJsonDoc = nlohmann::ordered_json;

// A window's bounds in screen pixels, as stored under a window's key.
struct TFormBounds {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
};

TJsonDoc JsonNew();

// The member exists and is not null.
bool JsonHas(const TJsonDoc& doc, const std::string& name);

// Typed reads: a missing or null member gives the default; a present member of
// another type is converted (a string "1.5" reads as 1.5 and "abc" as 0, a real as
// the nearest integer with halves to even, a non-empty string as true, a number as
// its JSON text).
std::string JsonStr(const TJsonDoc& doc, const std::string& name, const std::string& def);
int JsonInt(const TJsonDoc& doc, const std::string& name, int def);
double JsonFloat(const TJsonDoc& doc, const std::string& name, double def);
bool JsonBool(const TJsonDoc& doc, const std::string& name, bool def);

// "date": day, month, year, hour, min, sec, msec of the local time now.
void JsonPutDate(TJsonDoc& doc);
// "author": name and company.
void JsonPutAuthor(TJsonDoc& doc, const std::string& name, const std::string& company);

void JsonPutFormPos(TJsonDoc& doc, const std::string& key, const TFormBounds& bounds);
// Restores Left and Top from key when the document has it; a missing edge becomes 0.
// Width and height are left as they are.
void JsonGetFormPos(const TJsonDoc& doc, const std::string& key, TFormBounds& bounds);

// Loads a document. After the bytes FF FE the file is UTF-16LE, otherwise each byte
// is one character. The first complete JSON value is taken and the rest ignored.
// Returns nothing when the text does not parse; raises FileError when the file
// cannot be opened.
// Nesting deeper than kJsonMaxDepth objects and arrays does not parse either.
std::optional<TJsonDoc> JsonLoadFile(const std::string& fileName);
// The document of a file's bytes, read as JsonLoadFile reads them.
std::optional<TJsonDoc> JsonParseBytes(std::string_view bytes);
inline constexpr int kJsonMaxDepth = 512;

// Writes the document as pure ASCII (\u escapes), indented one blank per level,
// CR LF line breaks, numbers with "." and up to 15 significant digits. The file is
// replaced only once the new text is completely on disk; on failure the previous
// file is intact and FileError names the file.
void JsonSaveFile(const TJsonDoc& doc, const std::string& fileName);

// The document's text exactly as JsonSaveFile writes it.
std::string JsonSaveText(const TJsonDoc& doc);
