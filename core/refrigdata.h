#pragma once

#include <array>
#include <string>

// The coefficient record of one refrigerant: identity, critical data and the
// coefficients of its fitted property correlations. Units: °C, kPa (PCrit), and
// coefficients that give Pa, J/kg and m³/kg. A value type: selecting a refrigerant
// copies a whole record.
struct TRefrigData {
    int InternalNumber = 0;
    std::string RNumber;
    std::string Formula;
    std::string ChemicalName;
    std::string CASNumber;
    int Components = 1;
    std::string RefState;
    std::string SourceFile;
    std::string FluidType;
    double TCrit = 0;
    double PCrit = 0;
    double DCrit = 0;
    double wm = 0;
    double TTrip = 0;
    double TBoil = 0;
    double TMax = 0;
    double TMin = 0;
    std::array<double, 3> dp {}; // dew-point pressure curve
    std::array<double, 3> bp {}; // bubble-point pressure curve
    std::array<double, 4> lh {}; // saturated liquid enthalpy cubic
    std::array<double, 4> th {}; // held only
    std::array<double, 5> vh {}; // saturated vapour enthalpy cubic, then its offset
    std::array<double, 6> sh {}; // superheated enthalpy correction
    std::array<double, 6> vv {}; // saturated vapour volume
    std::array<double, 6> sv {}; // superheated volume correction
    std::array<double, 8> ic {}; // isentropic exponent at saturated suction
    std::array<double, 4> sc {}; // superheat correction of the exponent
    std::array<double, 4> lv {}; // saturated liquid volume cubic
    std::array<double, 5> cl {}; // held only from here on
    std::array<double, 5> cv {};
    std::array<double, 4> ul {};
    std::array<double, 4> uv {};
    std::array<double, 4> kl {};
    std::array<double, 4> kv {};
    std::array<double, 4> si {};

    bool operator==(const TRefrigData&) const = default;
};

// The built-in R22 record: what every selection starts from, and what the
// program computes with when the library file lacks a refrigerant.
const TRefrigData& DefaultRefrigData();
