#include "fit/libwriter.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "core/errors.h"
#include "core/numtext.h"

namespace {

template <size_t N>
std::string ListText(const std::array<double, N>& values)
{
    std::string text;
    for (size_t i = 0; i < N; ++i)
        text += (i ? "," : "") + ShortestReal(values[i]);
    return text;
}

} // namespace

std::string SectionText(const TFitResult& fit)
{
    const TRefrigData& r = fit.data;
    std::ostringstream out;
    out << "[" << r.RNumber << "]\n";
    const auto put = [&](const char* key, const std::string& value) {
        if (!fit.omitted.count(key))
            out << key << "=" << value << "\n";
    };
    const auto real = [&](const char* key, double value) { put(key, ShortestReal(value)); };
    put("InternalNumber", std::to_string(r.InternalNumber));
    put("RNumber", r.RNumber);
    put("Formula", r.Formula);
    put("ChemicalName", r.ChemicalName);
    put("CASNumber", r.CASNumber);
    put("Components", std::to_string(r.Components));
    put("RefState", r.RefState);
    put("SourceFile", r.SourceFile);
    put("FluidType", r.FluidType);
    real("TCrit", r.TCrit);
    real("PCrit", r.PCrit);
    real("DCrit", r.DCrit);
    real("wm", r.wm);
    real("TTrip", r.TTrip);
    real("TBoil", r.TBoil);
    real("TMax", r.TMax);
    real("TMin", r.TMin);
    put("dp", ListText(r.dp));
    put("bp", ListText(r.bp));
    put("lh", ListText(r.lh));
    put("th", ListText(r.th));
    put("vh", ListText(r.vh));
    put("sh", ListText(r.sh));
    put("vv", ListText(r.vv));
    put("sv", ListText(r.sv));
    put("ic", ListText(r.ic));
    put("sc", ListText(r.sc));
    put("lv", ListText(r.lv));
    put("cl", ListText(r.cl));
    put("cv", ListText(r.cv));
    put("ul", ListText(r.ul));
    put("uv", ListText(r.uv));
    put("kl", ListText(r.kl));
    put("kv", ListText(r.kv));
    put("si", ListText(r.si));
    return out.str();
}

std::string LibraryText(const std::vector<TFitResult>& fits, const std::string& comment)
{
    std::string text = "; " + comment + "\n";
    for (const auto& fit : fits)
        text += SectionText(fit);
    return text;
}

TRecordLibrary::TRecordLibrary(const TRefrigData& record)
{
    static std::atomic<int> counter {0};
    path_ = (std::filesystem::temp_directory_path() /
             ("kelvora-fit-" + std::to_string(getpid()) + "-" + std::to_string(counter++) + ".rdf"))
                .string();
    {
        std::ofstream out(path_, std::ios::binary);
        if (!out)
            ThrowCannotCreate(path_);
        out << SectionText({record, {}});
        if (!out)
            ThrowCannotWrite(path_);
    }
    lib_ = std::make_unique<TRefrigLib>(path_);
    lib_->SelectByName(record.RNumber);
}

TRecordLibrary::~TRecordLibrary()
{
    std::error_code ignored;
    std::filesystem::remove(path_, ignored);
}
