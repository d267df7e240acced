#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/refriglib.h"

// What Solve takes as given besides the saturation temperatures and the duty.
enum TSolveMode : std::int32_t {
    smTdGiven = 0, // discharge temperature measured: compute the isentropic efficiency
    smIeGiven = 1, // isentropic efficiency given: compute the discharge temperature
    // Any other value recomputes everything but h2, dhComp, Ie and td.
};

// Which duty fixes the mass flow.
enum TDutyBasis : std::int32_t {
    dbCoolingLoad = 0,
    dbCompressorPower = 1,
    dbHeatRejection = 2,
};

// The single-stage vapour-compression cycle of one plant: the technician's readings
// and everything derived from them. State 1 is the suction gas at the compressor
// inlet, 2 the discharge gas, 2i the discharge after isentropic compression, 3 the
// liquid at the expansion valve, 4 the evaporator inlet (h4 = h3).
// Units: °C, K for differences, kPa absolute, kJ/kg, kg/s, kW; ratios as fractions.
// The short field names are the keys of the project file and the clipboard text.
class TKelvora {
public:
    // All properties come from `lib`, for whatever refrigerant it has selected.
    explicit TKelvora(TRefrigLib& lib = SharedRefrigLib());

    std::int32_t ErrCount = 0; // values the last Solve could not compute properly
    std::int32_t HPClass = 0;  // range classes -1/0/+1, written by ShortDiagnosis
    std::int32_t LPClass = 0;
    std::int32_t SHClass = 0;
    std::int32_t SCClass = 0;
    std::string rnum; // refrigerant name
    std::int32_t DutyBasis = dbCoolingLoad;
    double LP = 0;   // suction pressure, kPa
    double HP = 0;   // discharge pressure, kPa
    double Pr = 0;   // pressure ratio HP / LP
    double SST = 0;  // saturated suction temperature, °C
    double SDT = 0;  // saturated discharge temperature, °C
    double sh = 0;   // superheat, K
    double sc = 0;   // sub-cooling, K
    double te = 0;   // evaporating temperature, °C
    double tc = 0;   // condensing temperature, °C
    double ts = 0;   // suction gas temperature, °C
    double td = 0;   // discharge temperature, °C
    double tl = 0;   // liquid temperature, °C
    double dte = 0;  // air or water temperature change across the evaporator, K
    double itde = 0; // evaporator initial temperature difference, K
    double dtc = 0;  // air or water temperature change across the condenser, K
    double itdc = 0; // condenser initial temperature difference, K
    double COPc = 0; // cooling coefficient of performance
    double COPh = 0; // heating coefficient of performance
    double x4 = 0;   // vapour quality at the evaporator inlet
    double mr = 0;   // refrigerant mass flow, kg/s
    double Ie = 0;   // isentropic efficiency of the compressor
    double pw = 0;   // compressor power, kW
    double qe = 0;   // cooling load, kW
    double qc = 0;   // heat rejection, kW
    double h1 = 0;   // enthalpies, kJ/kg
    double h2 = 0;
    double h2i = 0;
    double h3 = 0;
    double dhEvap = 0;      // refrigerating effect h1 - h3
    double dhCond = 0;      // heat rejected per kg h2 - h3
    double dhComp = 0;      // compression work per kg h2 - h1
    double dhIsen = 0;      // isentropic enthalpy rise
    double h4d = 0;         // saturated vapour enthalpy at te
    double h4b = 0;         // saturated liquid enthalpy at te
    double hrf = 0.95;      // heat rejection factor; carried for the report, never computed
    bool LinkTeSST = false; // the main window keeps te equal to SST
    bool LinkTcSDT = false; // the main window keeps tc equal to SDT

    // The cycle a new plant starts from (R22, 5 °C / 45 °C), solved with Ie given.
    void SetDefaults();

    // Solves the cycle for the library's selected refrigerant (see TSolveMode).
    // Expected failures are counted in ErrCount; any other arithmetic fault ends the
    // solve with ArithmeticError, leaving the fields assigned so far at their new values.
    void Solve(std::int32_t mode);

    // "Kelvora 1.2.0.0": the signature line of the clipboard text.
    static std::string VersionText();

    // -1 below low, +1 above high, else 0; strict tests, low first. NaN gives -1.
    static std::int32_t Classify(double value, double low, double high);
    // True when HPClass, LPClass, SHClass and SCClass are the four classes given.
    bool ClassesAre(std::int32_t hpClass, std::int32_t lpClass, std::int32_t shClass, std::int32_t scClass) const;

    // Diagnosis (diagnosis.cpp). Writes the diagnosis page to `fileName`, replacing
    // it; a non-empty byline adds a footer paragraph. File faults raise FileError.
    void WriteDiagnosisPage(const std::string& fileName, const std::string& byline);
    // Classifies HP, LP, SH and SC and gives the most likely fault (0 = none
    // recognised, 1..10 = the fault pictures) with its one-line verdict.
    void ShortDiagnosis(std::int32_t& fault, std::string& verdict);

    // Project file (projectfile.cpp). SaveToFile writes the library's selected
    // refrigerant as "rnum" and replaces the file only once it is written completely.
    // LoadFromFile refuses a foreign or other-version file with DataFormatError before
    // anything changes, selects the file's refrigerant and takes its values; it does
    // not solve.
    void SaveToFile(const std::string& fileName);
    void LoadFromFile(const std::string& fileName);

    // Clipboard exchange text (cliptext.cpp): 34 lines after which nothing is read.
    // PutClipText ignores a text whose first line is not VersionText() (letter case
    // aside), refuses a text of fewer than 34 lines with ListIndexError ("The text on
    // the clipboard is not a complete Kelvora cycle (5 of 34 lines).") and a bad
    // refrigerant line with "Invalid refrigerant!" before anything changes, and skips
    // values that do not convert. It does not solve.
    std::vector<std::string> GetClipText();
    void PutClipText(const std::vector<std::string>& lines);

    TRefrigLib& Lib() const { return *lib_; }

private:
    TRefrigLib* lib_;
};
