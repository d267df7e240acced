// kelvora-cli: the headless companion of Kelvora, for batches of plants and scripts.
#include <iostream>
#include <string>
#include <vector>

#include "cli/cliapp.h"
#include "core/cycle.h"
#include "core/pathjoin.h"
#include "env/platform.h"
#include "env/verinfo.h"

namespace {

TCliContext RunningContext()
{
    // The library is found as the main window finds it: RefLib8.rdf in the common
    // data folder of the maker's folder that holds this program. No documents folder
    // is needed for that, so batch runs work in any account.
    const std::string program = RunningProgramFile();
    const TPlatformInputs defaults;
    const std::string commonData = MakerFolderOf(ProgramFolderOf(program), defaults.ProgramFilesFolder) + "Common Files/";
    TCliContext context {PathJoin({commonData, "RefLib8.rdf"}), [program] {
                             try {
                                 return ProductTitleOf(program);
                             } catch (const KelvoraError&) {
                                 // A program file without its version record still has the model's title.
                                 return TKelvora::VersionText();
                             }
                         }};
    return context;
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return RunCli(args, RunningContext(), std::cout, std::cerr);
}
