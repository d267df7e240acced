// Selection of refrigerants from the library file.
#include "core/refriglib.h"

#include <algorithm>

#include "core/errors.h"
#include "core/inifile.h"
#include "core/numtext.h"

namespace {

void ReadInt(const TIniFile& ini, const std::string& s, const char* key, int& field)
{
    field = ini.ReadInteger(s, key, field);
}

void ReadText(const TIniFile& ini, const std::string& s, const char* key, std::string& field)
{
    field = ini.ReadString(s, key, field);
}

void ReadReal(const TIniFile& ini, const std::string& s, const char* key, double& field)
{
    field = ini.ReadReal(s, key, field);
}

template <size_t N>
void ReadList(const TIniFile& ini, const std::string& s, const char* key, std::array<double, N>& field)
{
    ReadCoefList(ini, s, key, field.data(), N);
}

// Reads a section over `r`, key by key in the file format's order; a missing or
// unusable key keeps what `r` holds. A bad coefficient entry raises ConversionError.
void ReadRecord(const TIniFile& ini, const std::string& s, TRefrigData& r)
{
    ReadInt(ini, s, "InternalNumber", r.InternalNumber);
    ReadText(ini, s, "RNumber", r.RNumber);
    ReadText(ini, s, "Formula", r.Formula);
    ReadText(ini, s, "ChemicalName", r.ChemicalName);
    r.CASNumber = ini.ReadString(s, "CASNumber", "");
    ReadInt(ini, s, "Components", r.Components);
    ReadText(ini, s, "RefState", r.RefState);
    ReadText(ini, s, "SourceFile", r.SourceFile);
    ReadText(ini, s, "FluidType", r.FluidType);
    ReadReal(ini, s, "TCrit", r.TCrit);
    ReadReal(ini, s, "PCrit", r.PCrit);
    ReadReal(ini, s, "DCrit", r.DCrit);
    ReadReal(ini, s, "wm", r.wm);
    ReadReal(ini, s, "TTrip", r.TTrip);
    ReadReal(ini, s, "TBoil", r.TBoil);
    ReadReal(ini, s, "TMax", r.TMax);
    ReadReal(ini, s, "TMin", r.TMin);
    ReadList(ini, s, "dp", r.dp);
    ReadList(ini, s, "bp", r.bp);
    ReadList(ini, s, "lh", r.lh);
    ReadList(ini, s, "th", r.th);
    ReadList(ini, s, "vh", r.vh);
    ReadList(ini, s, "sh", r.sh);
    ReadList(ini, s, "vv", r.vv);
    ReadList(ini, s, "sv", r.sv);
    ReadList(ini, s, "ic", r.ic);
    ReadList(ini, s, "sc", r.sc);
    ReadList(ini, s, "lv", r.lv);
    ReadList(ini, s, "cl", r.cl);
    ReadList(ini, s, "cv", r.cv);
    ReadList(ini, s, "ul", r.ul);
    ReadList(ini, s, "uv", r.uv);
    ReadList(ini, s, "kl", r.kl);
    ReadList(ini, s, "kv", r.kv);
    ReadList(ini, s, "si", r.si);
}

} // namespace

TRefrigLib::TRefrigLib(std::string libraryFile) : root_([this](double t) { return EnthalpyResidual(t); })
{
    root_.SetTolerance(120, 0.001);
    OpenLibraryFile(std::move(libraryFile));
}

TRefrigLib::~TRefrigLib() = default;

void TRefrigLib::OpenLibraryFile(std::string libraryFile)
{
    file_ = std::move(libraryFile);
    read_.reset();
    data_ = DefaultRefrigData();
    hasViscosity_ = true;
    loadedName_.clear();
    index_ = -1;
    names_.clear();
    numbers_.clear();
    LastWarning = rwNone;

    positions_.clear();

    // The file's reader already holds a name that differs only in case from an
    // earlier one as that earlier section.
    const TIniFile& ini = OpenFile();
    names_ = ini.SectionNames();
    std::vector<std::string> folded(names_.size());
    std::vector<size_t> order(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) {
        folded[i] = LowerCase(names_[i]);
        order[i] = i;
    }
    std::stable_sort(order.begin(), order.end(), [&](size_t a, size_t b) { return folded[a] < folded[b]; });
    std::vector<std::string> sorted;
    sorted.reserve(names_.size());
    for (size_t i : order)
        sorted.push_back(std::move(names_[i]));
    names_ = std::move(sorted);
    numbers_.reserve(names_.size());
    for (size_t i = 0; i < names_.size(); ++i) {
        positions_.emplace(LowerCase(names_[i]), static_cast<int>(i));
        numbers_.push_back(ini.ReadInteger(names_[i], "InternalNumber", -1));
    }
}

void TRefrigLib::HoldLibraryFile(bool hold)
{
    hold_ = hold;
}

const TIniFile& TRefrigLib::OpenFile()
{
    if (hold_ && read_)
        return *read_;
    ++fileReads_;
    read_ = std::make_unique<TIniFile>(file_.empty() ? TIniFile() : TIniFile::Load(file_));
    return *read_;
}

int TRefrigLib::IndexOf(const std::string& name) const
{
    const auto at = positions_.find(LowerCase(name));
    return at == positions_.end() ? -1 : at->second;
}

void TRefrigLib::SelectByName(const std::string& name)
{
    if (SameText(name, loadedName_))
        return;
    SelectFrom(OpenFile(), name);
}

void TRefrigLib::SelectFrom(const TIniFile& ini, const std::string& name)
{
    const int index = IndexOf(name);
    if (ini.SectionExists(name)) {
        // Read into a copy, so that a bad coefficient list leaves the selection as it was.
        TRefrigData record = DefaultRefrigData();
        ReadRecord(ini, name, record);
        data_ = std::move(record);
        hasViscosity_ = !ini.ReadString(name, "ul", "").empty() && !ini.ReadString(name, "uv", "").empty();
        loadedName_ = data_.RNumber;
    } else {
        LastWarning = rwNotInLibrary;
        data_ = DefaultRefrigData();
        hasViscosity_ = true;
        // The default data are loaded now, not the previous refrigerant's: a later
        // selection of that refrigerant must read it again.
        loadedName_.clear();
    }
    index_ = index;
}

void TRefrigLib::SelectByIndex(int i)
{
    if (i < 0 || i >= static_cast<int>(names_.size()))
        ThrowListIndex(i);
    index_ = i;
    SelectByName(names_[i]);
}

void TRefrigLib::SelectByNumber(int n)
{
    const TIniFile& ini = OpenFile();
    for (const auto& name : names_) {
        if (ini.ReadInteger(name, "InternalNumber", -1) == n) {
            // The file just read serves the selection too.
            if (!SameText(name, loadedName_))
                SelectFrom(ini, name);
            return;
        }
    }
    LastWarning = rwNotInLibrary;
}

void TRefrigLib::SelectNext()
{
    const int count = static_cast<int>(names_.size());
    SelectByIndex(index_ < count - 1 ? index_ + 1 : 0);
}

void TRefrigLib::SelectPrior()
{
    const int count = static_cast<int>(names_.size());
    SelectByIndex(index_ > 0 ? index_ - 1 : count - 1);
}

std::string TRefrigLib::Description() const
{
    return data_.RNumber + " (" + data_.ChemicalName + ", " + data_.Formula + ")";
}

int TRefrigLib::NumberOf(const std::string& name) const
{
    const int i = IndexOf(name);
    return i < 0 ? -1 : numbers_[i];
}

namespace {

std::unique_ptr<TRefrigLib>& SharedSlot()
{
    static std::unique_ptr<TRefrigLib> lib;
    return lib;
}

} // namespace

TRefrigLib& SharedRefrigLib()
{
    auto& lib = SharedSlot();
    if (!lib)
        lib = std::make_unique<TRefrigLib>(std::string());
    return *lib;
}

TRefrigLib& OpenSharedRefrigLib(const std::string& libraryFile)
{
    TRefrigLib& lib = SharedRefrigLib();
    lib.OpenLibraryFile(libraryFile);
    return lib;
}
