#pragma once

#include <string>
#include <vector>

#include "tools/compressor/compdata.h"
#include "core/refriglib.h"

// The sample compressor data shipped with the program: made-up ranges of small
// scroll and reciprocating compressors, each described by its swept volume and
// efficiencies and rated with the refrigerant library's own properties. They are
// labelled as samples; no figure comes from any maker's published data.

struct TSampleCompressor {
    const char* name;
    const char* kind;      // "scroll", "semi-hermetic reciprocating", ...
    double sweptVolume;    // m³/h
    double clearance;      // re-expansion loss of the volumetric efficiency
    double peakEfficiency; // overall isentropic efficiency at its best pressure ratio
    double heatRejectionFactor;
};

struct TSampleRange {
    const char* fileName;
    const char* versionText;
    std::uint8_t stringTag;
    std::uint8_t floatTag;
    bool tables;                                           // tables over the grid instead of polynomials
    double refSuperheat;                                   // K
    double refSuctionGas;                                  // °C, or -300
    double refSubcooling;                                  // K
    double suctionLo, suctionHi, dischargeLo, dischargeHi; // °C
    std::vector<TSampleCompressor> compressors;
};

// The sample files, in the order they are written.
const std::vector<TSampleRange>& SampleRanges();

// A sample compressor's capacity and power input (kW) at (te, tc) with a suction
// gas temperature ts and a sub-cooling sc, from the selected refrigerant.
struct TSamplePoint {
    double capacity;
    double power;
};
TSamplePoint SamplePerformance(TRefrigLib& lib, const TSampleCompressor& c, double te, double tc, double ts,
                               double sc);
// At the range's rating conditions.
TSamplePoint RatedPerformance(TRefrigLib& lib, const TSampleRange& range, const TSampleCompressor& c, double te,
                              double tc);

// Least-squares fit of the nine Poly2 coefficients to values z[tc][te] on a grid.
TPolyCoefs FitPoly2(const TDoubleDynArray& teAxis, const TDoubleDynArray& tcAxis, const TFloatMat& z);

// The record of one sample compressor: fitted polynomials, or tables on a 5 K grid
// with a missing value and a flagged cell at the grid's hot corner for the second
// compressor of a table range.
TCompData SampleRecord(TRefrigLib& lib, const TSampleRange& range, std::size_t position);

// Writes every sample file into the folder; returns their paths.
std::vector<std::string> WriteSampleFiles(TRefrigLib& lib, const std::string& folder);
