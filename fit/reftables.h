#pragma once

#include <optional>
#include <string>
#include <vector>

// Reference property tables of one refrigerant, computed from a published
// equation of state: saturation every 1 K, superheated vapour on a grid of
// saturation temperature and superheat, isentropic compression end states, and
// saturated transport data. SI units: °C, Pa, J/kg, m³/kg.

// One line of fluids.csv: identity and critical data. Empty fields stay empty.
struct TFluidInfo {
    std::string RNumber;
    int InternalNumber = -1;
    std::string Formula;
    std::string ChemicalName;
    std::string CASNumber;
    int Components = 1;
    std::string FluidType;
    std::optional<double> TCrit;
    std::optional<double> PCrit; // kPa
    std::optional<double> DCrit;
    std::optional<double> wm;
    std::optional<double> TTrip;
    std::optional<double> TBoil;
    std::string table; // file name of the property table
    // Top of the fit range where the general rule would reach past what the
    // correlation forms can follow for this fluid, and the reason.
    std::optional<double> TMax;
    std::string rangeNote;
};

struct TSatRow {
    double t = 0;       // saturation temperature
    double pDew = 0;    // dew-point pressure at t
    double pBubble = 0; // bubble-point pressure at t
    double hLiq = 0;    // saturated liquid (bubble point)
    double hVap = 0;    // saturated vapour (dew point)
    double vLiq = 0;
    double vVap = 0;
};

// Superheated vapour at the dew pressure of tSat.
struct TSupRow {
    double tSat = 0;
    double t = 0;
    double superheat = 0;
    double p = 0;
    double h = 0;
    double v = 0;
};

// Isentropic compression from the dew pressure of te at te + superheat to the dew
// pressure of tc.
struct TIsenRow {
    double te = 0;
    double superheat = 0;
    double tc = 0;
    double h1 = 0;  // suction enthalpy
    double v1 = 0;  // suction volume
    double h2s = 0; // isentropic end state
    double t2s = 0;
    double dh = 0; // isentropic rise h2s − h1
    bool wet = false;
};

// Saturated transport and caloric data; a value the model does not give is empty.
enum TTransQuantity { tqCpLiq,
                      tqCpVap,
                      tqMuLiq,
                      tqMuVap,
                      tqKLiq,
                      tqKVap,
                      tqSigma,
                      tqCount };

struct TTransRow {
    double t = 0;
    std::optional<double> value[tqCount];
};

struct TFluidTables {
    TFluidInfo info;
    std::vector<TSatRow> sat;
    std::vector<TSupRow> sup;
    std::vector<TIsenRow> isen;
    std::vector<TTransRow> trans;
};

// Splits one CSV line at commas; a field in double quotes may hold commas.
std::vector<std::string> SplitCsvLine(const std::string& line);

// Every fluid of fluids.csv in the folder, in file order, with the figures of
// supplement.csv beside it when present: the temperature at 1 atm where fluids.csv
// has no normal boiling point, and a fluid's own top of the fit range (its note
// then says why).
// Raises FileError or DataFormatError.
std::vector<TFluidInfo> ReadFluidList(const std::string& folder);

// The property table and (when present) the transport table of one fluid.
TFluidTables ReadFluidTables(const std::string& folder, const TFluidInfo& info);
