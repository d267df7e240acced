#include "tools/txvalve/txvalvemodel.h"

#include <cmath>
#include <filesystem>
#include <span>

#include "core/checkedmath.h"
#include "core/errors.h"
#include "core/numeric.h"
#include "core/numtext.h"
#include "units/unitconv.h"

namespace {

double Number(const std::string& text)
{
    const auto v = ParseReal(text);
    if (!v)
        ThrowConversion(text);
    return *v;
}

// The unit words a file may use for one quantity, each with the conversion from
// the lookup's unit (bar, degrees C, kW) into it.
struct TUnitWord {
    const char* word;
    double (*fromInterface)(double);
};

double Unchanged(double x)
{
    return x;
}
double BarToKPa(double x)
{
    return x * 100;
}
double BarToPsi(double x)
{
    return KPaToPsi(x * 100);
}

const TUnitWord kPressureWords[] = {{"Bar", Unchanged}, {"kPa", BarToKPa}, {"Psi", BarToPsi}};
const TUnitWord kTemperatureWords[] = {{"DegC", Unchanged}, {"DegF", DegCToDegF}};
const TUnitWord kCapacityWords[] = {{"kW", Unchanged}, {"Tons", TonsFactorMul}};

struct TUnitKey {
    const char* key;
    const char* defaultWord;
    const char* quantity; // as the message names it
    std::span<const TUnitWord> words;
};

// In the order the header is checked: the first word not allowed stops the reading.
const TUnitKey kUnitKeys[] = {
    {"PUnits", "Bar", "Pressure drop", kPressureWords},
    {"TUnits", "DegC", "Temperature", kTemperatureWords},
    {"QUnits", "kW", "Capacity", kCapacityWords},
};

constexpr const char* kHeader = "Header";

} // namespace

int NearestIndex(const std::vector<std::string>& list, double x)
{
    const int n = static_cast<int>(list.size());
    if (n <= 1)
        return n - 1;
    for (int p = 1; p < n; ++p) {
        const double a = Number(list[p - 1]);
        const double c = Number(list[p]);
        if (a == x)
            return p - 1;
        if (c == x)
            return p;
        if (Between(a, x, c))
            return (x - a) / (c - a) >= 0.5 ? p : p - 1;
    }
    // Deliberately the last position, also beyond the first entry: files and the
    // selector's results have always been read this way.
    return n - 1;
}

std::vector<std::string> ValveModelNames(const TIniFile& file)
{
    std::vector<std::string> names = file.SectionNames();
    for (auto it = names.begin(); it != names.end(); ++it)
        if (SameText(*it, kHeader)) {
            names.erase(it);
            break;
        }
    return names;
}

TTxValveModel::TTxValveModel(std::string folder, TMessageHook showMessage)
    : folder_(std::move(folder)), showMessage_(std::move(showMessage))
{
}

bool TTxValveModel::FileExists(const std::string& fileName) const
{
    std::error_code ec;
    return !fileName.empty() && std::filesystem::is_regular_file(FilePath(fileName), ec);
}

void TTxValveModel::Show(const std::string& message) const
{
    if (showMessage_)
        showMessage_(message);
}

bool TTxValveModel::OpenValveFile(const std::string& fileName, double& dp, double& te, double& q)
{
    CloseValveFile();
    file_ = TIniFile::Load(FilePath(fileName));

    double* const values[] = {&dp, &te, &q};
    std::string words[std::size(kUnitKeys)];
    for (size_t k = 0; k < std::size(kUnitKeys); ++k)
        words[k] = file_->ReadString(kHeader, kUnitKeys[k].key, kUnitKeys[k].defaultWord);
    capacityUnits_ = words[2];

    for (size_t k = 0; k < std::size(kUnitKeys); ++k) {
        const TUnitWord* rule = nullptr;
        for (const auto& w : kUnitKeys[k].words)
            if (SameText(w.word, words[k]))
                rule = &w;
        if (!rule) {
            CloseValveFile();
            Show(std::string("Expansion valve file error: ") + kUnitKeys[k].quantity + " units \"" + words[k] +
                 "\" not allowed...");
            return false;
        }
        *values[k] = CheckFinite(rule->fromInterface(*values[k]));
    }

    const auto dpRange = SplitCoefList(file_->ReadString(kHeader, "dPRange", ""));
    const auto teRange = SplitCoefList(file_->ReadString(kHeader, "teRange", ""));
    if (dpRange.empty() || teRange.empty()) {
        CloseValveFile();
        return false;
    }
    column_ = NearestIndex(dpRange, dp);
    rowKey_ = "te" + std::to_string(NearestIndex(teRange, te));
    return true;
}

void TTxValveModel::CloseValveFile()
{
    file_.reset();
    capacityUnits_.clear();
    column_ = -1;
    rowKey_.clear();
}

double TTxValveModel::TableEntry(const std::string& model) const
{
    const auto row = SplitCoefList(file_->ReadString(model, rowKey_, ""));
    if (column_ < 0 || static_cast<size_t>(column_) >= row.size())
        ThrowListIndex(column_);
    return Number(row[column_]);
}

double TTxValveModel::ToKW(double capacity, const std::string& model) const
{
    const double kW = SameText(capacityUnits_, "Tons") ? TonsFactorDiv(capacity) : capacity;
    // An entry beyond what a number holds once converted is an error of the file,
    // never an infinite capacity.
    if (!std::isfinite(kW))
        throw DataFormatError("Expansion valve file error: Capacity " + FormatNumber("%g", capacity) + " " +
                              capacityUnits_ + " of \"" + model + "\" not allowed...");
    return kW;
}

TValveFound TTxValveModel::FindValve(double q) const
{
    if (!file_)
        return {};
    for (const auto& model : ValveModelNames(*file_)) {
        const double c = TableEntry(model);
        if (!(kValveDutyShare * q > c))
            return {model, ToKW(c, model)};
    }
    // No model reaches the duty: no capacity either, so that nothing is reported
    // as if a valve had been chosen.
    return {};
}

namespace {

// Closes the valve file when a lookup ends, also by an error.
struct TCloseValveFile {
    TTxValveModel& model;
    ~TCloseValveFile() { model.CloseValveFile(); }
};

} // namespace

TValveFound TTxValveModel::SelectValve(const std::string& fileName, double dp, double te, double q)
{
    TValveFound result {kNoValve, 0};
    if (!FileExists(fileName))
        return result;
    TCloseValveFile closing {*this};
    if (OpenValveFile(fileName, dp, te, q)) {
        result = FindValve(q);
        if (result.model.empty())
            result.model = kNoValve;
    }
    return result;
}

double TTxValveModel::ValveCapacity(const std::string& fileName, const std::string& model, double te, double dp)
{
    if (!FileExists(fileName))
        return 0;
    TCloseValveFile closing {*this};
    double q = 0;
    if (!OpenValveFile(fileName, dp, te, q))
        return 0;
    try {
        return ToKW(TableEntry(model), model);
    } catch (const ListIndexError&) {
        return 0;
    } catch (const ConversionError&) {
        return 0;
    }
}

std::vector<std::string> TTxValveModel::ValveModels(const std::string& fileName) const
{
    if (!FileExists(fileName))
        return {};
    return ValveModelNames(TIniFile::Load(FilePath(fileName)));
}
