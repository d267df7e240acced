#pragma once

// Small compressor data files for the tests, written with the program's own writer.
#include <string>
#include <vector>

#include "tools/compressor/compdata.h"

namespace cmpfixture {

// R22 under its built-in coefficients and a second fluid "R2" whose liquid enthalpy
// differs, so that the correction factors change with the selection.
inline const char* const kLibraryText =
    "[R22]\r\nRNumber=R22\r\nInternalNumber=0\r\n"
    "[R2]\r\nRNumber=R2\r\nInternalNumber=4\r\nlh=190000.0,1250.0,1.2,0.01\r\n";

inline TCompHeader Header(const std::string& version = "Zandrovel compressor file v 1.03", int number = 0,
                          const std::string& text2 = "Maker")
{
    TCompHeader h;
    h.VersionText = version;
    h.HeaderText2 = text2;
    h.HeaderText3 = "third";
    h.RefrigNumber = number;
    h.SuctionLo = -20;
    h.SuctionHi = 10;
    h.DischargeLo = 30;
    h.DischargeHi = 50;
    return h;
}

// Constant capacity and power, rated at the model's own operating conditions.
inline TCompData PolyRecord(const std::string& name, double capacity, double power = 3.0)
{
    TCompData d;
    d.CompName = name;
    d.CompDescription = "description of " + name;
    d.HeatRejectionFactor = 0.9;
    d.RefSuperheat = 7.5;
    d.RefSuctionGas = kNoSuctionGas;
    d.RefSubcooling = 5.0;
    d.HasPoly = true;
    d.CapPoly = {capacity, 0, 0, 0, 0, 0, 0, 0, 0};
    d.PowerPoly = {power, 0, 0, 0, 0, 0, 0, 0, 0};
    return d;
}

// Tables over te {0, 10, 20} and tc {30, 40, 50}: capacity 1000 W per K of te
// above -10 °C less 100 W per K of tc, power 2 kW plus 0.01 kW per K of tc.
inline TCompData TableRecord(const std::string& name)
{
    TCompData d = PolyRecord(name, 0);
    d.HasPoly = false;
    d.HasTable = true;
    d.TeAxis = {0, 10, 20};
    d.TcAxis = {30, 40, 50};
    d.CellFlags.assign(3, std::vector<std::int32_t>(3, 0));
    d.CapTable.assign(3, std::vector<double>(3, 0));
    d.PowerTable = d.CapTable;
    for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 3; ++i) {
            d.CapTable[j][i] = 1000 * (d.TeAxis[i] + 10) - 100 * d.TcAxis[j] + 5000;
            d.PowerTable[j][i] = 2 + 0.01 * d.TcAxis[j];
        }
    return d;
}

} // namespace cmpfixture
