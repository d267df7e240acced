#pragma once

#include <string>
#include <utility>
#include <vector>

#include "tests/support/tempfolder.h"

// A valve data file written by a test: header lines, then one section per model
// with its row lines.
struct TValveFixtureModel {
    std::string name;
    std::vector<std::string> rows; // "te0=...", "te1=...", ...
};

inline std::string ValveFileText(const std::vector<std::string>& header, const std::vector<TValveFixtureModel>& models)
{
    std::string text = "[Header]\r\n";
    for (const auto& line : header)
        text += line + "\r\n";
    for (const auto& m : models) {
        text += "[" + m.name + "]\r\n";
        for (const auto& row : m.rows)
            text += row + "\r\n";
    }
    return text;
}
