#pragma once

#include <string>
#include <vector>

class TComp;

// The selector's data text for the loaded compressor: its name, description and
// rating conditions, the refrigerant, the plant's superheat and sub-cooling, and
// the correction factors of the model's last evaluation.
std::vector<std::string> CompDataLines(const TComp& comp, const std::string& refrigerant);
