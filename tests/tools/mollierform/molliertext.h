#pragma once

// The shipped library and the chart's argument text for a cycle of one of its
// refrigerants, shared by the drawing and the window tests.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "core/refriglib.h"

inline const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

// "index values": the refrigerant by its position in the library's list.
inline std::string TextFor(const std::string& name, const std::string& values)
{
    TRefrigLib lib(kLibrary);
    const auto& names = lib.RefrigNames();
    const auto at = std::find(names.begin(), names.end(), name);
    EXPECT_NE(at, names.end()) << name;
    return std::to_string(at - names.begin()) + " " + values;
}
