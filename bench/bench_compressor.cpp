// Cost of what the compressor selector does each time it lists the data files: the
// scan of the data folder and a header look-up of every file found, keeping those
// for the current refrigerant (ScanFolder plus CompressorFiles). Half the files are
// for R22, half for another refrigerant.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <memory>

#include <unistd.h>

#include "tools/compressor/comp.h"

namespace fs = std::filesystem;

namespace {

class TBenchFolder {
public:
    explicit TBenchFolder(int count)
    {
        root_ = fs::temp_directory_path() /
            ("kelvora-bench-cmp-" + std::to_string(::getpid()) + "-" + std::to_string(count));
        fs::remove_all(root_);
        fs::create_directories(root_ / "data");
        library = (root_ / "RefLib8.rdf").string();
        std::ofstream(library) << "[R22]\nInternalNumber=0\n[R407C]\nInternalNumber=7\n";
        folder = (root_ / "data").string() + "/";
        TCompData record;
        record.CompName = "Bench";
        record.HasPoly = true;
        record.CapPoly[0] = 10;
        for (int k = 0; k < count; ++k) {
            TCompHeader h;
            h.VersionText = "Zandrovel compressor file v 1.02";
            h.RefrigNumber = k % 2 ? 0 : 7;
            h.SuctionLo = -25;
            h.SuctionHi = 10;
            h.DischargeLo = 25;
            h.DischargeHi = 60;
            WriteCompFile(folder + "Range " + std::to_string(k) + ".cmp", h, {record});
        }
    }
    ~TBenchFolder() { fs::remove_all(root_); }

    std::string folder;
    std::string library;

private:
    fs::path root_;
};

TBenchFolder& FolderOf(int count)
{
    static std::map<int, std::unique_ptr<TBenchFolder>> folders;
    auto& f = folders[count];
    if (!f)
        f = std::make_unique<TBenchFolder>(count);
    return *f;
}

} // namespace

static void BM_ScanFolderAndCompressorFiles(benchmark::State& state)
{
    const int count = static_cast<int>(state.range(0));
    TBenchFolder& f = FolderOf(count);
    TRefrigLib lib(f.library);
    lib.SelectByName("R22");
    TComp comp(lib);
    std::size_t found = 0;
    for (auto _ : state) {
        comp.SetDataFolder(f.folder);
        found = comp.CompressorFiles("R22", "", -99, -99).size();
        benchmark::DoNotOptimize(found);
    }
    state.counters["found"] = static_cast<double>(found);
    state.SetComplexityN(count);
}
BENCHMARK(BM_ScanFolderAndCompressorFiles)
    ->Arg(1000)
    ->Arg(3000)
    ->Arg(10000)
    ->Unit(benchmark::kMillisecond)
    ->Complexity(benchmark::oN);
