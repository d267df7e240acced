#pragma once

#include <array>

#include "core/cycle.h"

// The cycle values that project files and the clipboard text carry as numbers, in
// the order both write them. The clipboard calls dte "tde".
struct TCycleNumber {
    const char* fileKey;
    const char* clipKey;
    double TKelvora::*field;
};

inline constexpr std::array<TCycleNumber, 29> kCycleNumbers {{
    {"HP", "HP", &TKelvora::HP},
    {"LP", "LP", &TKelvora::LP},
    {"SDT", "SDT", &TKelvora::SDT},
    {"SST", "SST", &TKelvora::SST},
    {"te", "te", &TKelvora::te},
    {"tc", "tc", &TKelvora::tc},
    {"sh", "sh", &TKelvora::sh},
    {"sc", "sc", &TKelvora::sc},
    {"ts", "ts", &TKelvora::ts},
    {"td", "td", &TKelvora::td},
    {"tl", "tl", &TKelvora::tl},
    {"dte", "tde", &TKelvora::dte},
    {"dtc", "dtc", &TKelvora::dtc},
    {"itde", "itde", &TKelvora::itde},
    {"itdc", "itdc", &TKelvora::itdc},
    {"Ie", "Ie", &TKelvora::Ie},
    {"mr", "mr", &TKelvora::mr},
    {"qc", "qc", &TKelvora::qc},
    {"qe", "qe", &TKelvora::qe},
    {"pw", "pw", &TKelvora::pw},
    {"h1", "h1", &TKelvora::h1},
    {"h2", "h2", &TKelvora::h2},
    {"h2i", "h2i", &TKelvora::h2i},
    {"h3", "h3", &TKelvora::h3},
    {"h4b", "h4b", &TKelvora::h4b},
    {"x4", "x4", &TKelvora::x4},
    {"COPc", "COPc", &TKelvora::COPc},
    {"COPh", "COPh", &TKelvora::COPh},
    {"hrf", "hrf", &TKelvora::hrf},
}};
