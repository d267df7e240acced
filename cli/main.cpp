// kelvora-cli: the headless companion of Kelvora, for batches of plants and scripts.
#include <filesystem>
#include <iostream>
#include <string>
#include <vector>

#include "cliapp.h"
#include "cycle.h"

namespace {

// RefLib8.rdf in the common data folder beside the program's folder.
std::string InstalledLibrary()
{
    std::error_code ec;
    const auto exe = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec)
        return "RefLib8.rdf";
    return (exe.parent_path().parent_path() / "Common Files" / "RefLib8.rdf").string();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    const TCliContext context{InstalledLibrary(), TKelvora::VersionText()};
    return RunCli(args, context, std::cout, std::cerr);
}
