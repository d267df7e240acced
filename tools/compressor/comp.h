#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tools/compressor/compdata.h"
#include "tools/compressor/interpolator.h"
#include "core/messagehook.h"
#include "core/refriglib.h"

// The compressor model: one compressor taken from a compressor data file, its
// capacity, power input and heat rejection at an evaporating temperature te and a
// condensing temperature tc (°C, kW), corrected from the maker's rating superheat
// and sub-cooling to the plant's with the properties of the selected refrigerant.
// It also keeps the data folder and the list of data files found in it.

// Names and capacities of a capacity listing, in file order.
struct TCapacityList {
    std::vector<std::string> Names;
    std::vector<double> Capacities; // kW
};

// The compressor the selector picks for a wanted capacity from a listing: for a
// listing that rises from first to last, the first that covers it; otherwise the
// first that covers it scanning back from the last. -1 when none covers it.
int SelectByCapacity(const std::vector<double>& capacities, double wanted);

class TComp {
public:
    // A non-empty name is looked for at once (see SetCompName).
    explicit TComp(TRefrigLib& lib, const std::string& name = "", double superheat = 7.5, double subcooling = 5.0);

    // Where the model's messages go ("Error reading compressor file ...",
    // "Compressor (...) not found"); the windows show them in a message box.
    // Without a hook they go to standard error.
    void SetMessageHook(TMessageHook hook) { hook_ = std::move(hook); }

    // The loaded compressor
    const std::string& CompName() const { return loaded_.data.CompName; }
    // Loads the compressor of that model name from the data files (FindCompressor);
    // says "Compressor (name) not found" when none holds it and the name is not blank.
    void SetCompName(const std::string& name);
    const TCompData& Data() const { return loaded_.data; }
    const TCompHeader& Header() const { return loaded_.header; }
    double DutyFactor() const { return dutyFactor_; }
    void SetDutyFactor(double x);
    double Superheat() const { return superheat_; }   // operating superheat, K
    double Subcooling() const { return subcooling_; } // operating sub-cooling, K
    TRefrigLib& Lib() const { return lib_; }

    // Performance at (te, tc), kW. Polynomial data win over tables when a record has
    // both; a record with neither gives 0. Capacity is kept for its point until the
    // compressor or the duty factor changes. Ask for the capacity at a point before
    // the power and heat rejection there.
    double Capacity(double te, double tc);
    double Power(double te, double tc);
    double HeatRejection(double te, double tc);
    // The correction factors of the last evaluation, and their evaluation at a point.
    double qcf() const { return eval_.qcf; }
    double pcf() const { return eval_.pcf; }
    double qcf(double te, double tc);
    double pcf(double te, double tc);
    // The rating superheat at te: from the rating suction gas temperature when the
    // maker gives one, otherwise as stored.
    double RatingSuperheat(double te) const;
    // Status of the last capacity or power evaluation (0 for polynomial data).
    int LastStatus() const { return eval_.lastStatus; }
    const TInterpolator& Interpolator() const { return eval_.interp; }
    // Empty, or for table data off their good part: the status name and the file's ranges,
    // "Range warning... [Suction -20 to 10°C Discharge 25 to 55°C]".
    std::string StatusText() const;

    // Data files
    // Stores the folder (a "/" is added when it lacks one) and scans it.
    void SetDataFolder(const std::string& folder);
    const std::string& DataFolder() const { return folder_; }
    // Every "*.cmp" file of the data folder, hidden ones included, then those of each
    // subfolder, depth first; a folder reached again through a link is not listed twice.
    void ScanFolder();
    const std::vector<std::string>& FolderList() const { return files_; }
    // The current file: its position in the folder list, compared without regard to
    // case; -1 when the path is not in it.
    void SetFileName(const std::string& path);
    std::string FileName() const;
    int FileIndex() const { return fileIndex_; }
    // Reads a header from the start of a file into the model.
    void ReadHeader(TCmpReader& reader);

    // The paths of the folder list whose header names the refrigerant (by its number
    // in the library), whose second header text equals headerFilter without regard to
    // case, and whose ranges hold te and tc (ends included). An empty filter and -99
    // for te or tc leave that test out.
    std::vector<std::string> CompressorFiles(const std::string& refrigerant, const std::string& headerFilter,
                                             double te, double tc);
    // Model names of the current file, in file order (those before a read error).
    std::vector<std::string> CompressorNames();
    // Loads the compressor at a position (from 0) of a file and selects its refrigerant.
    bool SelectCompressor(const std::string& path, int index);
    // Loads a compressor by model name (case-sensitive): the current file, then every
    // file, both for the selected refrigerant only, then every file for any refrigerant.
    bool FindCompressor(const std::string& name);
    // The compressors of the current file with their capacity at (te, tc): kind 0
    // those with flag A, kind 1 those with flag B, any other kind all; left out are
    // those above maxCapacity (unless it is -1) and those whose evaluation has a
    // status. The loaded compressor stays as it was.
    TCapacityList ListCapacities(int kind, double maxCapacity, double te, double tc);

private:
    struct TLoaded {
        TCompHeader header;
        TCompData data;
    };
    // What an evaluation leaves behind: the capacity cache, the factors, the lookup.
    struct TEvaluation {
        bool changed = false;
        double lastTe = 0;
        double lastTc = 0;
        double capacity = 0;
        double qcf = 0;
        double pcf = 0;
        int lastStatus = 0;
        TInterpolator interp;
        bool located = false; // the lookup in interp belongs to locatedTe, locatedTc
        double locatedTe = 0;
        double locatedTc = 0;
    };

    void Message(const std::string& text) const;
    // Runs `body` on the open file; a file that cannot be opened or read ends it
    // with the message, and the result is false.
    bool WithFile(const std::string& path, const std::function<void(TCmpReader&)>& body) const;
    bool SearchFile(std::size_t k, const std::string& name, bool sameRefrigerant);
    void Load(const TCompHeader& header, const TCompData& data);
    void LocateCapacity(double te, double tc);

    TRefrigLib& lib_;
    TMessageHook hook_;
    TLoaded loaded_;
    TEvaluation eval_;
    double dutyFactor_ = 1.0;
    double superheat_;
    double subcooling_;
    std::string folder_;
    std::vector<std::string> files_;
    int fileIndex_ = -1;
};

// The one compressor model of the running program (empty name, 7.5 K, 5.0 K, on the
// shared refrigerant library), made on first use; the start-up code gives it the
// data folder.
TComp& SharedComp();
