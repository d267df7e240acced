#pragma once

#include <string>
#include <vector>

class TRefrigLib;

// The refrigerant picker's data text for the loaded refrigerant: description,
// critical data, boiling point, glide at `pressureKPa`, and vapour volume,
// liquid density and latent heat at `temperature` (°C). When a correlation
// fails, the lines so far are kept and "Error reading this refrigerant..."
// follows after an empty line, and `failure` (when given) receives the error's text.
std::vector<std::string> RefrigSummaryLines(const TRefrigLib& lib, double temperature, double pressureKPa,
                                            std::string* failure = nullptr);
