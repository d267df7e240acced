#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "tools/compressor/cmpstream.h"

// The compressor data file (*.cmp): a header of raw bytes with a fixed layout,
// then a list of compressor records in the tagged value stream.

using TDoubleDynArray = std::vector<double>;
using TIntMat = std::vector<std::vector<std::int32_t>>; // one row per tc value
using TFloatMat = std::vector<std::vector<double>>;     // one row per tc value
using TPolyCoefs = std::array<double, 9>;               // C0 ... C8 of Poly2

inline constexpr std::string_view kCmpVersion100 = "Zandrovel compressor file v 1.00";
inline constexpr std::string_view kCmpVersion101 = "Zandrovel compressor file v 1.01";
inline constexpr std::string_view kCmpVersion102 = "Zandrovel compressor file v 1.02";

inline constexpr int kShortHeaderSize = 552;  // versions 1.00 and 1.01
inline constexpr int kLongHeaderSize = 808;   // version 1.02 and later
inline constexpr double kNoSuctionGas = -300; // no rating suction gas temperature given
inline constexpr double kMissingValue = -99;  // a table value the maker did not give

// The header's texts are held in UTF-8 like all text of the program.
struct TCompHeader {
    std::string VersionText;
    std::string HeaderText2;
    std::string HeaderText3;
    std::int32_t RefrigNumber = 0; // InternalNumber of the refrigerant in the library
    double SuctionLo = 0;          // evaporating temperature range, °C
    double SuctionHi = 0;
    double DischargeLo = 0; // condensing temperature range, °C
    double DischargeHi = 0;
};

// Which header a file has, from the text that opens it (taken up to its first zero
// byte): only the exact texts of versions 1.00 and 1.01 have the short one.
bool HasShortHeader(std::string_view recognisedText);
// What the records of a file hold, from the version text as stored in its header.
bool RecordsHaveSuctionGas(std::string_view versionText); // none of 1.00, 1.01, 1.02 in any case
bool RecordsHaveFlags(std::string_view versionText);      // anything but exactly 1.00

// Reads the header from the start of the file; the reader is left after it.
TCompHeader ReadCompHeader(TCmpReader& reader);
// Writes the header in the layout its version text calls for.
void WriteCompHeader(TCmpWriter& writer, const TCompHeader& header);

// The data of one compressor, defaults those of a record not yet read.
struct TCompData {
    std::string CompName;             // at most 255 characters
    std::string CompDescription;      // at most 255 characters
    std::int32_t WholeNumber = 50;    // read and kept; no calculation uses it
    double HeatRejectionFactor = 0.9; // share of the power input rejected at the condenser
    double RefSuperheat = 7.5;        // rating superheat, K
    double RefSuctionGas = 0;         // rating suction gas temperature, °C; not above -100 = not given
    double RefSubcooling = 5.0;       // rating sub-cooling, K
    bool FlagA = true;                // selection flags of the capacity listing
    bool FlagB = true;
    bool HasPoly = false;
    bool HasTable = false;
    TPolyCoefs CapPoly {};   // kW
    TPolyCoefs PowerPoly {}; // kW
    TDoubleDynArray TeAxis;  // °C
    TDoubleDynArray TcAxis;  // °C
    TIntMat CellFlags;       // [tc][te]: 0 good, anything else flagged
    TFloatMat CapTable;      // [tc][te], W; -99 missing
    TFloatMat PowerTable;    // [tc][te], kW; -99 missing

    // Reads one record of a file whose header holds versionText. A table with more
    // rows or entries than its axes have values, an axis with fewer than two values,
    // or axes too long for the tables the rest of the file could hold, are read errors.
    void ReadData(TCmpReader& reader, const std::string& versionText);
    void WriteData(TCmpWriter& writer, const std::string& versionText) const;
};

// Reads the list of records that follows the header, handing each to `visit` until
// it returns false. True when the whole list, with its end, has been read.
bool ReadRecordList(TCmpReader& reader, const std::string& versionText,
                    const std::function<bool(const TCompData&)>& visit);

// A whole file: header, list begin, the records, list end.
std::string CompFileBytes(const TCompHeader& header, const std::vector<TCompData>& records,
                          std::uint8_t stringTag = vaString, std::uint8_t floatTag = vaExtended);
void WriteCompFile(const std::string& path, const TCompHeader& header, const std::vector<TCompData>& records,
                   std::uint8_t stringTag = vaString, std::uint8_t floatTag = vaExtended);
