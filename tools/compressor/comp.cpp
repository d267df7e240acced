#include "tools/compressor/comp.h"

#include <filesystem>
#include <iostream>
#include <set>
#include <system_error>

#include "core/checkedmath.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "core/pathjoin.h"

namespace fs = std::filesystem;

namespace {

constexpr double kNoFilter = -99; // te or tc of CompressorFiles that tests no range
constexpr const char* kExtension = ".cmp";

bool IsDataFileName(const std::string& name)
{
    const std::size_t n = std::char_traits<char>::length(kExtension);
    return name.size() >= n && SameText(std::string_view(name).substr(name.size() - n), kExtension);
}

void ScanDataFolder(const std::string& folder, std::vector<std::string>& list, std::set<fs::path>& visited)
{
    std::error_code ec;
    const fs::path canonical = fs::canonical(folder, ec);
    if (ec || !visited.insert(canonical).second)
        return;
    std::vector<std::string> subfolders;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        std::error_code typeError;
        if (it->is_directory(typeError))
            subfolders.push_back(name);
        else if (!typeError && it->is_regular_file(typeError) && !typeError && IsDataFileName(name))
            list.push_back(PathJoin(folder, name));
    }
    for (const auto& name : subfolders)
        ScanDataFolder(PathJoin(folder, name), list, visited);
}

bool InRange(double x, double lo, double hi)
{
    return x == kNoFilter || (x >= lo && x <= hi);
}

} // namespace

int SelectByCapacity(const std::vector<double>& capacities, double wanted)
{
    const int n = static_cast<int>(capacities.size());
    if (n == 0)
        return -1;
    if (capacities.back() > capacities.front()) {
        for (int k = 0; k < n; ++k)
            if (capacities[k] >= wanted)
                return k;
    } else {
        for (int k = n - 1; k >= 0; --k)
            if (capacities[k] >= wanted)
                return k;
    }
    return -1;
}

TComp::TComp(TRefrigLib& lib, const std::string& name, double superheat, double subcooling)
    : lib_(lib), superheat_(superheat), subcooling_(subcooling)
{
    if (!name.empty())
        SetCompName(name);
}

void TComp::Message(const std::string& text) const
{
    if (hook_)
        hook_(text);
    else
        std::cerr << text << "\n";
}

bool TComp::WithFile(const std::string& path, const std::function<void(TCmpReader&)>& body) const
{
    try {
        TCmpReader reader(path);
        body(reader);
        return true;
    } catch (const FileError&) {
    } catch (const DataFormatError&) {
    }
    Message("Error reading compressor file " + path);
    return false;
}

void TComp::Load(const TCompHeader& header, const TCompData& data)
{
    loaded_.header = header;
    loaded_.data = data;
    eval_.changed = true;
    eval_.located = false;
}

void TComp::SetCompName(const std::string& name)
{
    eval_.changed = true;
    if (!FindCompressor(name) && !TrimBlanks(name).empty())
        Message("Compressor (" + name + ") not found");
}

void TComp::SetDutyFactor(double x)
{
    dutyFactor_ = x;
    eval_.changed = true;
}

double TComp::RatingSuperheat(double te) const
{
    const TCompData& d = loaded_.data;
    return d.RefSuctionGas > -100 ? d.RefSuctionGas - te : d.RefSuperheat;
}

// Both factors compare the rating state (rating superheat and sub-cooling) with
// the operating one per unit of swept volume, since a compressor moves a volume of
// suction gas, not a mass: refrigerating effect for capacity, isentropic work for power.
double TComp::qcf(double te, double tc)
{
    const TCompData& d = loaded_.data;
    const double shr = RatingSuperheat(te);
    const double pe = lib_.DewP(te);
    const double dhr = 0.001 * lib_.SuperheatEnthalpy(te, te + shr) - 0.001 * lib_.SatLiqEnthalpy(tc - d.RefSubcooling);
    const double vr = lib_.SuperheatVolume(pe, te + shr);
    const double dho = 0.001 * lib_.SuperheatEnthalpy(te, te + superheat_) - 0.001 * lib_.SatLiqEnthalpy(tc - subcooling_);
    const double vo = lib_.SuperheatVolume(pe, te + superheat_);
    eval_.qcf = CheckedDiv(dho * vr, dhr * vo);
    return eval_.qcf;
}

double TComp::pcf(double te, double tc)
{
    const double shr = RatingSuperheat(te);
    const double pe = lib_.DewP(te);
    const double vr = lib_.SuperheatVolume(pe, te + shr);
    const double wr = 0.001 * lib_.IsenRise(te, tc, te + shr);
    const double vo = lib_.SuperheatVolume(pe, te + superheat_);
    const double wo = 0.001 * lib_.IsenRise(te, tc, te + superheat_);
    eval_.pcf = CheckedDiv(wo * vr, wr * vo);
    return eval_.pcf;
}

void TComp::LocateCapacity(double te, double tc)
{
    const TCompData& d = loaded_.data;
    eval_.interp.Locate(d.TeAxis, d.TcAxis, d.CellFlags, d.CapTable, te, tc);
    eval_.located = true;
    eval_.locatedTe = te;
    eval_.locatedTc = tc;
}

double TComp::Capacity(double te, double tc)
{
    if (te == eval_.lastTe && tc == eval_.lastTc && !eval_.changed)
        return eval_.capacity;
    const TCompData& d = loaded_.data;
    double q = 0;
    int status = isNoError;
    if (d.HasPoly) {
        q = qcf(te, tc) * dutyFactor_ * Poly2(d.CapPoly, te, tc);
    } else if (d.HasTable) {
        LocateCapacity(te, tc);
        // The tables hold watts.
        q = qcf(te, tc) * (dutyFactor_ * 0.001) * eval_.interp.Evaluate(d.CapTable);
        status = eval_.interp.Status;
    }
    q = CheckFinite(q);
    // The point is kept only now, so that a failed evaluation is never answered from the cache.
    eval_.lastTe = te;
    eval_.lastTc = tc;
    eval_.lastStatus = status;
    eval_.changed = false;
    eval_.capacity = q;
    return q;
}

double TComp::Power(double te, double tc)
{
    const TCompData& d = loaded_.data;
    double p = 0;
    if (d.HasPoly) {
        p = pcf(te, tc) * dutyFactor_ * Poly2(d.PowerPoly, te, tc);
        eval_.lastStatus = isNoError;
    } else if (d.HasTable) {
        // The cell is judged on the capacity table, as for the capacity.
        if (eval_.changed || !eval_.located || eval_.locatedTe != te || eval_.locatedTc != tc)
            LocateCapacity(te, tc);
        p = pcf(te, tc) * dutyFactor_ * eval_.interp.Evaluate(d.PowerTable);
        eval_.lastStatus = eval_.interp.Status;
    }
    return CheckFinite(p);
}

double TComp::HeatRejection(double te, double tc)
{
    const double power = Power(te, tc);
    return power * loaded_.data.HeatRejectionFactor + Capacity(te, tc);
}

std::string TComp::StatusText() const
{
    const TCompData& d = loaded_.data;
    const int status = eval_.interp.Status;
    if (d.HasPoly || !d.HasTable || status == isNoError)
        return "";
    const TCompHeader& h = loaded_.header;
    const auto whole = [](double v) { return FormatNumber("%0.0f", v); };
    return StatusName(status) + "... [Suction " + whole(h.SuctionLo) + " to " + whole(h.SuctionHi) +
        "°C Discharge " + whole(h.DischargeLo) + " to " + whole(h.DischargeHi) + "°C]";
}

void TComp::SetDataFolder(const std::string& folder)
{
    folder_ = folder;
    if (!folder_.empty() && folder_.back() != '/')
        folder_ += '/';
    ScanFolder();
}

void TComp::ScanFolder()
{
    files_.clear();
    if (folder_.empty())
        return;
    std::set<fs::path> visited;
    ScanDataFolder(folder_, files_, visited);
}

void TComp::SetFileName(const std::string& path)
{
    fileIndex_ = -1;
    for (std::size_t k = 0; k < files_.size(); ++k)
        if (SameText(files_[k], path)) {
            fileIndex_ = static_cast<int>(k);
            return;
        }
}

std::string TComp::FileName() const
{
    return fileIndex_ >= 0 && fileIndex_ < static_cast<int>(files_.size()) ? files_[fileIndex_] : "";
}

void TComp::ReadHeader(TCmpReader& reader)
{
    loaded_.header = ReadCompHeader(reader);
}

std::vector<std::string> TComp::CompressorFiles(const std::string& refrigerant, const std::string& headerFilter,
                                                double te, double tc)
{
    const int number = lib_.NumberOf(refrigerant);
    std::vector<std::string> found;
    for (const auto& path : files_) {
        TCompHeader h;
        if (!WithFile(path, [&](TCmpReader& reader) { h = ReadCompHeader(reader); }))
            continue;
        if (h.RefrigNumber == number && (headerFilter.empty() || SameText(headerFilter, h.HeaderText2)) &&
            InRange(te, h.SuctionLo, h.SuctionHi) && InRange(tc, h.DischargeLo, h.DischargeHi))
            found.push_back(path);
    }
    return found;
}

std::vector<std::string> TComp::CompressorNames()
{
    std::vector<std::string> names;
    const std::string path = FileName();
    if (path.empty())
        return names;
    WithFile(path, [&](TCmpReader& reader) {
        const TCompHeader h = ReadCompHeader(reader);
        ReadRecordList(reader, h.VersionText, [&](const TCompData& d) {
            names.push_back(d.CompName);
            return true;
        });
    });
    return names;
}

bool TComp::SelectCompressor(const std::string& path, int index)
{
    bool found = false;
    TCompHeader h;
    WithFile(path, [&](TCmpReader& reader) {
        h = ReadCompHeader(reader);
        int k = 0;
        ReadRecordList(reader, h.VersionText, [&](const TCompData& d) {
            if (k++ != index)
                return true;
            Load(h, d);
            found = true;
            return false;
        });
    });
    if (found)
        lib_.SelectByNumber(h.RefrigNumber);
    return found;
}

bool TComp::SearchFile(std::size_t k, const std::string& name, bool sameRefrigerant)
{
    bool hit = false;
    TCompHeader h;
    WithFile(files_[k], [&](TCmpReader& reader) {
        h = ReadCompHeader(reader);
        if (sameRefrigerant && h.RefrigNumber != lib_.GetNumber())
            return;
        ReadRecordList(reader, h.VersionText, [&](const TCompData& d) {
            if (d.CompName != name)
                return true;
            Load(h, d);
            hit = true;
            return false;
        });
    });
    if (hit && !sameRefrigerant)
        lib_.SelectByNumber(h.RefrigNumber);
    return hit;
}

bool TComp::FindCompressor(const std::string& name)
{
    if (fileIndex_ >= 0 && fileIndex_ < static_cast<int>(files_.size()) && SearchFile(fileIndex_, name, true))
        return true;
    for (const bool sameRefrigerant : {true, false})
        for (std::size_t k = 0; k < files_.size(); ++k)
            if (SearchFile(k, name, sameRefrigerant)) {
                fileIndex_ = static_cast<int>(k);
                return true;
            }
    return false;
}

TCapacityList TComp::ListCapacities(int kind, double maxCapacity, double te, double tc)
{
    TCapacityList list;
    const std::string path = FileName();
    if (path.empty())
        return list;
    // Each record is evaluated as the loaded compressor; afterwards the compressor
    // loaded before is put back, so that what the selector shows stays what it computes.
    struct TRestore {
        TComp& comp;
        TLoaded loaded;
        TEvaluation eval;
        ~TRestore()
        {
            comp.loaded_ = std::move(loaded);
            comp.eval_ = eval;
        }
    } restore {*this, loaded_, eval_};
    WithFile(path, [&](TCmpReader& reader) {
        const TCompHeader h = ReadCompHeader(reader);
        ReadRecordList(reader, h.VersionText, [&](const TCompData& d) {
            const bool takesPart = kind == 0 ? d.FlagA : kind == 1 ? d.FlagB
                                                                   : true;
            if (!takesPart)
                return true;
            Load(h, d);
            const double q = Capacity(te, tc);
            if ((maxCapacity == -1 || q <= maxCapacity) && eval_.lastStatus == isNoError) {
                list.Names.push_back(d.CompName);
                list.Capacities.push_back(q);
            }
            return true;
        });
    });
    return list;
}

TComp& SharedComp()
{
    static TComp comp(SharedRefrigLib());
    return comp;
}
