#pragma once

#include <cstdint>
#include <string>

#include "tests/support/fuzzscratch.h"
#include "core/refriglib.h"

// The library of the cycle fuzz targets: R22, a second fluid, an 8-bit name and a
// section whose coefficient list does not convert.
inline TRefrigLib& FuzzLibrary()
{
    static const std::string text = "[R22]\r\nRNumber=R22\r\n"
                                    "[R134a]\r\nRNumber=R134a\r\nInternalNumber=1\r\n"
                                    "dp=21.2,-2190.5,246.4\r\nbp=21.2,-2190.5,246.4\r\n"
                                    "[K\xE4lte]\r\nRNumber=K\xE4lte\r\n"
                                    "[Broken]\r\nRNumber=RB\r\nlh=1,2,x,4\r\n";
    static TRefrigLib lib(FuzzFile("RefLib8.rdf", reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
    return lib;
}
