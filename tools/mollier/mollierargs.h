#pragma once

#include <string>
#include <vector>

// The main window's argument text for the Mollier chart, "%d %0.3f %0.3f %0.3f
// %0.2f %0.2f": the refrigerant's position in the library's name list (-1 when
// the built-in record is selected), the isentropic efficiency Ie, SST (°C), the
// dew temperature at the discharge pressure (°C), superheat and sub-cooling (K).
struct TMollierArgs {
    int Position = 0;
    double Ie = 0;
    double SST = 0;
    double DewTHP = 0;
    double sh = 0;
    double sc = 0;
};

// Reads the six words, given as one text or as separate words (a command line may
// carry either). Raises ConversionError naming the word that does not convert, or
// the number of words when it is not six.
TMollierArgs ParseMollierArgs(const std::vector<std::string>& words);
TMollierArgs ParseMollierText(const std::string& text);
