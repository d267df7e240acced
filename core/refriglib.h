#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/refrigdata.h"
#include "core/root.h"

// LastWarning codes of the property library.
enum TRefrigWarning : std::uint16_t {
    rwNone = 0,
    rwNotInLibrary = 1,      // requested refrigerant missing; the default record was loaded
    rwNegativeSuperheat = 2, // a vapour state more than 1e-9 K below saturation
    rwNegativeLift = 3,      // IsenRise with tc below te
    rwNoConvergence = 5,     // SuperheatTemp's search did not converge
};

// c[0]x + c[1]x² + c[2]xy + c[3]x²y + c[4]xy² + c[5]x²y², in nested form.
double Poly6(const std::array<double, 6>& c, double x, double y);

// The refrigerant property library: the record of the selected refrigerant, its
// correlations, and the selection of refrigerants from the library file.
// Property units: °C, Pa absolute, J/kg, m³/kg, K for differences. Arithmetic
// faults raise ArithmeticError; no function returns NaN or infinity.
class TRefrigLib {
public:
    // Indexes the section names of the library file (a missing file gives an empty
    // index). The built-in default record is loaded until the first selection.
    explicit TRefrigLib(std::string libraryFile);
    ~TRefrigLib();
    TRefrigLib(const TRefrigLib&) = delete;
    TRefrigLib& operator=(const TRefrigLib&) = delete;

    // Starts afresh on another library file, as at creation: the index is rebuilt,
    // the default record loaded and the loaded name cleared.
    void OpenLibraryFile(std::string libraryFile);

    // With hold on, each opening of the library file keeps its text, and the
    // selections read that text instead of the file again: a run that switches
    // between the refrigerants of thousands of projects reads the file once. Changes
    // made to the file on disk meanwhile are seen only at the next OpenLibraryFile.
    // Off (the default), every selection reads the file as it is at that moment.
    void HoldLibraryFile(bool hold);

    // Saturation
    double DewP(double t) const;
    double DewT(double p) const;
    double BubbleP(double t) const;
    double BubbleT(double p) const;
    double GetPCrit() const;
    double GetTCrit() const;
    double GetTBoil() const;
    double Glide(double p) const;

    // Saturated liquid and vapour
    double SatLiqVolume(double t) const;
    double SatLiqEnthalpy(double t) const;
    double VapEnthalpyCubic(double t) const;
    double SatVapEnthalpy(double t) const;
    double LatentHeat(double t) const;
    double SatVapVolume(double t) const;

    // Superheated vapour
    double SuperheatEnthalpy(double tsat, double t);
    double SuperheatTemp(double p, double h);
    double SuperheatVolume(double p, double t);

    // Isentropic compression
    double IsenExponent0(double te, double lift) const;
    double IsenExponent(double te, double sh, double lift) const;
    static double IsenWork(double k, double ps, double vs, double pd);
    double IsenRise(double te, double tc, double ts);

    // The function SuperheatTemp hands to the root finder.
    double EnthalpyResidual(double t);

    // Selection from the library file
    void SelectByName(const std::string& name);
    void SelectByIndex(int i);
    void SelectByNumber(int n);
    void SelectNext();
    void SelectPrior();
    std::string GetName() const { return data_.RNumber; }
    int GetIndex() const { return index_; }
    int GetNumber() const { return data_.InternalNumber; }
    std::string Description() const;
    int NumberOf(const std::string& name) const;

    const std::vector<std::string>& RefrigNames() const { return names_; }
    const std::string& LoadedName() const { return loadedName_; }
    const TRefrigData& Data() const { return data_; }
    // True when the selected record's viscosity lists (ul, uv) are its own: the
    // library section gave both, or the built-in record is loaded. A section
    // without them keeps the built-in record's lists, which belong to R22.
    bool HasViscosity() const { return hasViscosity_; }
    const std::string& LibraryFile() const { return file_; }

    std::uint16_t LastWarning = rwNone;
    const TRoot& Root() const { return root_; }
    // How often the library file has been opened; for inspection.
    int FileReads() const { return fileReads_; }

private:
    int IndexOf(const std::string& name) const;
    const class TIniFile& OpenFile();
    // Reads the section `name` of an opened library file into the record.
    void SelectFrom(const class TIniFile& ini, const std::string& name);

    std::string file_;
    TRefrigData data_;
    std::string loadedName_;
    int index_ = -1;
    std::vector<std::string> names_;
    std::vector<int> numbers_;
    std::unordered_map<std::string, int> positions_; // case-folded name -> index
    TRoot root_;
    double residualTSat_ = 0;
    double residualH_ = 0;
    int fileReads_ = 0;
    bool hold_ = false;
    std::unique_ptr<class TIniFile> read_; // the file as last read
    bool hasViscosity_ = true;
};

// The one library object of the running program, made on first use with no file,
// so that it exists before any caller needs it whatever the order of start-up.
TRefrigLib& SharedRefrigLib();
// Points the shared library at libraryFile; references to it stay valid.
TRefrigLib& OpenSharedRefrigLib(const std::string& libraryFile);
