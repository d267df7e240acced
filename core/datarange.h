#pragma once

#include <string>

#include "core/cycle.h"
#include "core/refrigdata.h"

// The refrigerant record's correlations hold from TMin to TMax; a cycle whose
// evaporating or condensing temperature lies beyond them is solved by
// extrapolation. The note changes no computed value; it tells the user.

bool OutsideDataRange(const TRefrigData& r, double te, double tc);

// The record's range as the user reads it: "R32 (−45…50 °C)".
std::string DataRangeText(const TRefrigData& r);

// " — outside the data range of R32 (−45…50 °C)" when the cycle's te or tc lies
// outside its refrigerant's range, else empty; added to the solve's status text.
std::string DataRangeNote(const TKelvora& cycle);

// The same note as a warning line of its own: "Warning: outside the data range
// of R32 (−45…50 °C)", or empty.
std::string DataRangeWarning(const TKelvora& cycle);
