#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/inifile.h"
#include "core/messagehook.h"

// Expansion valve data files ("*.txv") and the capacity lookup of the TX valve
// selector. A file is INI text with a "Header" section (units, the tabulated
// pressure drops "dPRange" as columns and evaporating temperatures "teRange" as
// rows) and one section per valve model, in the order the maker lists them, whose
// keys "te0", "te1", ... hold one capacity per pressure drop of the row. A lookup
// takes the table entry at the tabulated point nearest to the operating point;
// there is no interpolation between entries.
//
// The lookups take bar for the pressure drop, degrees C for the evaporating
// temperature and kW for capacities, whatever units the file is written in.

// Position in `list` (number texts) of the entry nearest to x. Only a pair of
// neighbours that encloses x (or an entry equal to x) is considered; a point half
// way goes to the later entry. A point that no pair encloses, at either end of the
// list, gives the last position; an empty list gives -1. An entry that is not a
// number raises ConversionError.
int NearestIndex(const std::vector<std::string>& list, double x);

// The valve models of a file: its sections in file order without the "Header".
std::vector<std::string> ValveModelNames(const TIniFile& file);

// A model needs at least this share of the required duty in the table.
inline constexpr double kValveDutyShare = 0.92;

// Model name of a lookup that found no valve.
inline constexpr const char* kNoValve = "None";

// A lookup's answer. With no model that reaches the duty the capacity is 0, and
// the name is empty from FindValve and kNoValve from SelectValve.
struct TValveFound {
    std::string model;
    double capacity = 0; // kW
};

class TTxValveModel {
public:
    // Valve files are named by their file name alone and read from `folder`, the
    // common data folder of the maker's programs (with its closing "/").
    // Its messages go to showMessage (a message box in the selector, standard error
    // in kelvora-cli); the lookup goes on after one.
    explicit TTxValveModel(std::string folder, TMessageHook showMessage = {});

    const std::string& Folder() const { return folder_; }
    std::string FilePath(const std::string& fileName) const { return folder_ + fileName; }
    bool FileExists(const std::string& fileName) const;
    void SetShowMessage(TMessageHook showMessage) { showMessage_ = std::move(showMessage); }

    // Opens a file and fixes the table column and row nearest to the operating
    // point. dp (bar), te (degrees C) and q (kW) leave converted into the file's
    // units. A unit word that is not allowed shows its message and gives false, as
    // does an empty "dPRange" or "teRange"; the file is then closed again.
    bool OpenValveFile(const std::string& fileName, double& dp, double& te, double& q);
    // Releases the open file; harmless when none is open.
    void CloseValveFile();
    bool IsOpen() const { return file_.has_value(); }

    // With a file open: the first model in file order whose capacity at the row and
    // column reaches kValveDutyShare of q (file units). A short row or an entry that
    // is not a number raises ListIndexError or ConversionError, an entry too large
    // to convert DataFormatError.
    TValveFound FindValve(double q) const;

    // The valve for a duty q (kW) at te (degrees C) and a valve pressure drop dp
    // (bar): model name and capacity in kW, or kNoValve and 0 when the file is
    // missing, not usable or has no model that reaches the duty. Reads the file afresh.
    TValveFound SelectValve(const std::string& fileName, double dp, double te, double q);

    // The capacity in kW of a named model at te (degrees C) and dp (bar); 0 when the
    // file is missing or not usable, or the model has no number at that row and column.
    // An entry too large to convert raises DataFormatError.
    double ValveCapacity(const std::string& fileName, const std::string& model, double te, double dp);

    // The models of a file for the range list; empty when the file is missing.
    std::vector<std::string> ValveModels(const std::string& fileName) const;

    // State of the open file, for callers that look at the table themselves.
    int ColumnIndex() const { return column_; }
    const std::string& RowKey() const { return rowKey_; }
    const std::string& CapacityUnits() const { return capacityUnits_; }

private:
    // The entry at the column of `model`'s row, in the file's capacity unit.
    double TableEntry(const std::string& model) const;
    // A table entry in kW; an entry that leaves the numbers when converted raises DataFormatError.
    double ToKW(double capacity, const std::string& model) const;
    void Show(const std::string& message) const;

    std::string folder_;
    TMessageHook showMessage_;
    std::optional<TIniFile> file_;
    std::string capacityUnits_;
    int column_ = -1;
    std::string rowKey_;
};
