#pragma once

#include <string>

// What every companion program of the maker reads the same way at start: the
// refrigerant library found by the maker-folder rule, and the unit system kept
// in the program's own settings section.

// The library file a companion uses: `option` when given, else RefLib8.rdf in the
// "Common Files" of the maker's folder that holds the running program.
std::string CompanionLibraryFile(const std::string& option);

// The unit system as text: `option` when given, else the value "Units" of the
// section under the running program's key ("Metric" when there is none).
std::string CompanionUnitsText(const std::string& section, const std::string& option);

// Keeps the unit system ("Metric" or "Imperial") for the next start.
void KeepCompanionUnits(const std::string& section, const std::string& text);
