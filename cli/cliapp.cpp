#include "cli/cliapp.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <iostream>
#include <map>
#include <new>
#include <optional>
#include <set>
#include <span>

#include <unistd.h>

#include "cli/batch.h"
#include "core/cliptext.h"
#include "tools/compressor/comp.h"
#include "tools/linesize/linesize.h"
#include "core/cycle.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "cli/projectsolve.h"
#include "core/refriglib.h"
#include "core/refrigsummary.h"
#include "tools/txvalve/txvalvemodel.h"
#include "core/utf8.h"
#include "tools/txvalve/valveselection.h"
#include "core/wholefile.h"

namespace {

const char* const kUsage =
    "Usage: kelvora-cli COMMAND ARGUMENTS [OPTIONS]\n"
    "\n"
    "Commands:\n"
    "  solve PROJECT [--mode 0|1] [--save OUT]\n"
    "      Load a project file, solve it (mode 1: isentropic efficiency given, the\n"
    "      default; mode 0: discharge temperature given) and print the exchange text.\n"
    "  diagnose PROJECT OUT [--byline TEXT]\n"
    "      Load and solve a project file and write its diagnosis page to OUT.\n"
    "  paste TEXTFILE OUT\n"
    "      Take an exchange text (as Copy to Clipboard makes it) and save it as a project file.\n"
    "  props REFRIGERANT TEMP\n"
    "      Saturation data of a refrigerant at TEMP degrees C.\n"
    "  list\n"
    "      The refrigerants of the library, one a line.\n"
    "  txv FILE --te T --dp BAR --duty KW [--model NAME]\n"
    "      The TX valve of a valve range (FILE: a file name in the common data folder, or\n"
    "      a path) for a cooling duty in kW at an evaporating temperature T in degrees C\n"
    "      and a pressure drop across the valve in bar, printed as model<TAB>capacity in kW.\n"
    "      With --model, the capacity of that model instead. Exit code 1 when no valve\n"
    "      of the range fits.\n"
    "  compressors FOLDER --refrigerant NAME --te T --tc T [--capacity Q]\n"
    "      The compressors of the data files (*.cmp) in FOLDER and its subfolders for a\n"
    "      refrigerant: file, model, capacity, power and heat rejection in kW at the\n"
    "      evaporating and condensing temperatures te and tc (degrees C), and the status,\n"
    "      one compressor a line; with --capacity also the smallest compressor of each\n"
    "      file that covers Q kW.\n"
    "  batch PATH... [--mode 0|1] [--diagnose]\n"
    "      Solve many project files in one run and print one CSV row each. A PATH is a\n"
    "      project file or a folder, whose *.rdf files and those of its subfolders are\n"
    "      taken, sorted by path. Columns: file, refrigerant, status (solved, warning, or\n"
    "      refused: and the message), SST, SDT, te, tc, HP, LP, sh, sc, td, Ie, COPc, COPh,\n"
    "      mr, qe, qc, pw and x4 as solve prints them, and with --diagnose the one-line\n"
    "      verdict of the diagnosis. A project that cannot be read is a row and the run\n"
    "      goes on. Exit code 1 when any project has a warning, 2 when any was refused.\n"
    "  linesize REFRIGERANT --line suction|discharge|liquid --capacity KW --te T --tc T\n"
    "           [--sh K] [--sc K] [--ie X] --od MM --wall MM --length M [--rise M]\n"
    "      Velocity and pressure drop of a refrigerant line of a plant with the cooling\n"
    "      capacity KW at saturated suction and discharge temperatures te and tc (degrees C),\n"
    "      superheat sh (default 7.5 K), sub-cooling sc (default 5 K) and isentropic\n"
    "      efficiency ie (default 0.7), in a copper tube of outside diameter and wall in mm\n"
    "      over an equivalent length in m with a rise in m (upward positive, default 0):\n"
    "      one name<TAB>value line each for mass_flow (kg/s), density (kg/m3), velocity\n"
    "      (m/s), reynolds, friction_factor, pressure_drop (kPa) and saturation_drop (K),\n"
    "      then the rules: rule_drop, rule_oil_return, rule_noise or rule_hammer, and for the\n"
    "      liquid line subcooled. Without --od and --wall, the smallest tube meeting the\n"
    "      rules of each series: selection_metric (EN 12735-1) and selection_acr (ASTM B280,\n"
    "      inches); exit code 1 when a series has none, or when te or tc lies outside the\n"
    "      refrigerant's data range (the figures are printed, the warning on standard error).\n"
    "\n"
    "Options of every command:\n"
    "  --library FILE   refrigerant library file (default: RefLib8.rdf in the common data folder)\n"
    "  --help           this text\n"
    "\n"
    "Exit codes: 0 done, 1 done with a warning (solve: not solved, the text is still\n"
    "printed), 2 refused or failed (a wrong option, a file that cannot be read).\n";

constexpr int kOk = 0;
constexpr int kWarning = 1;
constexpr int kRefused = 2;

// A command's words: its positional arguments and the options it was given.
struct TCommandLine {
    std::vector<std::string> positional;
    std::map<std::string, std::string> options;

    std::optional<std::string> Option(const std::string& name) const
    {
        auto it = options.find(name);
        if (it == options.end())
            return std::nullopt;
        return it->second;
    }
};

// A number a command takes as an option; `value` keeps its default when the
// option is not needed and not given.
struct TNumberOption {
    const char* name;
    const char* what;
    bool needed;
    double value = 0;
};

// Reads the numbers of the options given. A needed option missing or a text that
// is no number is told on `err`; false then.
bool ReadNumberOptions(const TCommandLine& line, const char* command, std::span<TNumberOption> options,
                       std::ostream& err)
{
    for (auto& n : options) {
        const auto text = line.Option(n.name);
        if (!text) {
            if (!n.needed)
                continue;
            err << "Option '" << n.name << "' is needed for " << command << ". Try kelvora-cli --help.\n";
            return false;
        }
        const auto v = ParseReal(*text);
        if (!v) {
            err << "'" << *text << "' is not a valid " << n.what << ".\n";
            return false;
        }
        n.value = *v;
    }
    return true;
}

// Options that stand alone, without a value.
const std::set<std::string> kFlags {"--diagnose"};

struct TCommand {
    size_t arguments;                 // the least number when `more`
    std::vector<std::string> options; // besides --library
    std::function<int(const TCommandLine&, std::ostream&, std::ostream&)> run;
    bool more = false; // takes any number of arguments from `arguments` on
};

class TCli {
public:
    TCli(const TCliContext& context) : context_(context) { }

    int Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

private:
    void OpenLibrary(const TCommandLine& line);
    void LoadProject(TKelvora& cycle, const std::string& path);
    static bool ModeOption(const TCommandLine& line, std::ostream& err, std::int32_t& mode);

    int Solve(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int Diagnose(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int Paste(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int Props(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int List(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int Txv(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int Compressors(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int Batch(const TCommandLine& line, std::ostream& out, std::ostream& err);
    int LineSize(const TCommandLine& line, std::ostream& out, std::ostream& err);

    const TCliContext& context_;
};

// An exchange text saved to a file: 8-bit text of the Windows era or UTF-8 as
// this program prints it, taken into the program's text encoding.
std::string ReadTextFile(const std::string& path)
{
    return FileTextToUtf8(ReadWholeFile(path));
}

} // namespace

void TCli::OpenLibrary(const TCommandLine& line)
{
    const auto named = line.Option("--library");
    // A library named on the command line must be there; the installed one may be
    // missing, and then the built-in R22 record serves, as in the main window.
    if (named && !std::filesystem::is_regular_file(*named))
        ThrowCannotOpen(*named);
    // One command of a short run: the library file is read once, whatever it selects.
    SharedRefrigLib().HoldLibraryFile(true);
    TRefrigLib& lib = OpenSharedRefrigLib(named ? *named : context_.defaultLibrary);
    lib.SelectByName("R22");
}

void TCli::LoadProject(TKelvora& cycle, const std::string& path)
{
    cycle.LoadFromFile(path);
}

bool TCli::ModeOption(const TCommandLine& line, std::ostream& err, std::int32_t& mode)
{
    mode = smIeGiven;
    if (const auto m = line.Option("--mode")) {
        if (*m != "0" && *m != "1") {
            err << "Option --mode takes 0 or 1, not '" << *m << "'.\n";
            return false;
        }
        mode = *m == "0" ? smTdGiven : smIeGiven;
    }
    return true;
}

int TCli::Solve(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    std::int32_t mode = smIeGiven;
    if (!ModeOption(line, err, mode))
        return kRefused;
    TKelvora cycle;
    const TProjectSolve outcome = SolveProjectFile(cycle, line.positional[0], mode);
    out << JoinTextLines(cycle.GetClipText());
    if (const auto save = line.Option("--save"))
        cycle.SaveToFile(*save);
    for (const auto& warning : outcome.warnings)
        err << warning << "\n";
    return outcome.warnings.empty() ? kOk : kWarning;
}

int TCli::Batch(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    TBatchOptions options;
    if (!ModeOption(line, err, options.mode))
        return kRefused;
    options.diagnose = line.Option("--diagnose").has_value();
    // The progress line is for a person watching, never for a file or a pipe.
    options.progress = &err == &std::cerr && isatty(STDERR_FILENO);
    return RunBatch(line.positional, options, out, err);
}

int TCli::Diagnose(const TCommandLine& line, std::ostream&, std::ostream& err)
{
    TKelvora cycle;
    LoadProject(cycle, line.positional[0]);
    if (!SolveCycle(cycle, smIeGiven)) {
        err << "Warning: Solve before Diagnostics!\n";
        return kWarning;
    }
    cycle.WriteDiagnosisPage(line.positional[1], line.Option("--byline").value_or(context_.productTitle()));
    return kOk;
}

int TCli::Paste(const TCommandLine& line, std::ostream&, std::ostream& err)
{
    const std::string text = ReadTextFile(line.positional[0]);
    if (text.empty()) {
        err << "No text in the Clipboard!\n";
        return kRefused;
    }
    const auto lines = SplitTextLines(text);
    if (lines.empty() || lines[0] != TKelvora::VersionText()) {
        err << "Clipboard has incorrect data signature!\n";
        return kRefused;
    }
    TKelvora cycle;
    cycle.SetDefaults();
    cycle.PutClipText(lines);
    cycle.SaveToFile(line.positional[1]);
    return kOk;
}

int TCli::Props(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    const std::string& name = line.positional[0];
    const auto temp = ParseReal(line.positional[1]);
    if (!temp) {
        err << "'" << line.positional[1] << "' is not a valid temperature.\n";
        return kRefused;
    }
    TRefrigLib& lib = SharedRefrigLib();
    lib.LastWarning = rwNone;
    lib.SelectByName(name);
    // Where the library has no R22 (or there is no library at all) the built-in
    // record is R22, as the solver takes it; any other name must be in the file.
    if (lib.LastWarning == rwNotInLibrary && !SameText(name, DefaultRefrigData().RNumber)) {
        err << "Refrigerant " << name << " is not in the library " << lib.LibraryFile() << ".\n";
        return kRefused;
    }
    const double pressure = lib.DewP(*temp) * 0.001;
    std::string failure;
    for (const auto& text : RefrigSummaryLines(lib, *temp, pressure, &failure))
        out << text << "\n";
    out << FormatNumber("Saturation Pressure = %0.3f kPa", pressure) << "\n";
    if (!failure.empty()) {
        err << failure << "\n";
        return kRefused;
    }
    return kOk;
}

int TCli::List(const TCommandLine&, std::ostream& out, std::ostream&)
{
    for (const auto& name : SharedRefrigLib().RefrigNames())
        out << name << "\n";
    return kOk;
}

int TCli::Txv(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    const auto model = line.Option("--model");
    TNumberOption numbers[] = {
        {"--te", "temperature", true},
        {"--dp", "pressure drop", true},
        {"--duty", "duty", !model},
    };
    if (!ReadNumberOptions(line, "txv", numbers, err))
        return kRefused;
    const double te = numbers[0].value, dp = numbers[1].value, duty = numbers[2].value;

    // A bare file name is a range of the common data folder, where the selector looks.
    const std::filesystem::path named = line.positional[0];
    const std::string folder = named.has_parent_path()
        ? named.parent_path().string()
        : std::filesystem::path(context_.defaultLibrary).parent_path().string();
    const std::string fileName = named.filename().string();
    bool refused = false;
    TTxValveModel valves(folder + "/", [&](const std::string& message) {
        err << message << "\n";
        refused = true;
    });
    if (!valves.FileExists(fileName))
        ThrowCannotOpen(valves.FilePath(fileName));

    TValveFound found;
    if (model) {
        const auto models = valves.ValveModels(fileName);
        const auto known = std::find_if(models.begin(), models.end(),
                                        [&](const std::string& m) { return SameText(m, *model); });
        if (known == models.end()) {
            err << "Valve model '" << *model << "' is not in " << valves.FilePath(fileName) << ".\n";
            return kRefused;
        }
        found = {*known, valves.ValveCapacity(fileName, *known, te, dp)};
    } else {
        found = valves.SelectValve(fileName, dp, te, duty);
    }
    if (refused)
        return kRefused;
    out << found.model << "\t" << FormatNumber("%0.3f", found.capacity) << "\n";
    if (!(found.capacity > 0)) {
        err << kValveOutOfRange << "\n";
        return kWarning;
    }
    return kOk;
}

// The compressor selector's view of a data folder: every compressor of the files
// for a refrigerant at one te and tc, and the pick by capacity of each file.
int TCli::Compressors(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    const auto refrigerant = line.Option("--refrigerant");
    const auto teText = line.Option("--te");
    const auto tcText = line.Option("--tc");
    if (!refrigerant || !teText || !tcText) {
        err << "Command compressors needs --refrigerant, --te and --tc. Try kelvora-cli --help.\n";
        return kRefused;
    }
    const auto te = ParseReal(*teText);
    const auto tc = ParseReal(*tcText);
    for (const auto& [value, text] : {std::pair {te, *teText}, std::pair {tc, *tcText}})
        if (!value) {
            err << "'" << text << "' is not a valid temperature.\n";
            return kRefused;
        }
    std::optional<double> wanted;
    if (const auto q = line.Option("--capacity")) {
        wanted = ParseReal(*q);
        if (!wanted) {
            err << "'" << *q << "' is not a valid capacity.\n";
            return kRefused;
        }
    }
    TRefrigLib& lib = SharedRefrigLib();
    if (lib.NumberOf(*refrigerant) == -1) {
        err << "Refrigerant " << *refrigerant << " is not in the library " << lib.LibraryFile() << ".\n";
        return kRefused;
    }
    const std::string& folder = line.positional[0];
    if (!std::filesystem::is_directory(folder)) {
        err << "Cannot open folder \"" << folder << "\".\n";
        return kRefused;
    }
    lib.SelectByName(*refrigerant);

    // Each unreadable file is told once, however many steps meet it.
    std::set<std::string> messages;
    TComp comp(lib);
    comp.SetMessageHook([&](const std::string& text) {
        if (messages.insert(text).second)
            err << text << "\n";
    });
    comp.SetDataFolder(folder);
    if (comp.FolderList().empty()) {
        err << "No compressor data files found!\n";
        return kWarning;
    }
    const auto kW = [](double v) { return FormatNumber("%0.3f", v); };
    for (const auto& path : comp.CompressorFiles(*refrigerant, "", -99, -99)) {
        // Files below the folder are named by their path from it.
        const std::string file = path.substr(comp.DataFolder().size());
        comp.SetFileName(path);
        const auto names = comp.CompressorNames();
        for (size_t k = 0; k < names.size(); ++k) {
            if (!comp.SelectCompressor(path, static_cast<int>(k)))
                break;
            const double capacity = comp.Capacity(*te, *tc);
            const double power = comp.Power(*te, *tc);
            const double heatRejection = comp.HeatRejection(*te, *tc);
            out << file << "\t" << comp.CompName() << "\t" << kW(capacity) << "\t" << kW(power) << "\t"
                << kW(heatRejection) << "\t" << comp.StatusText() << "\n";
        }
        if (wanted) {
            const TCapacityList list = comp.ListCapacities(2, -1, *te, *tc);
            const int pick = SelectByCapacity(list.Capacities, *wanted);
            out << "selected\t" << file << "\t" << (pick < 0 ? std::string("None") : list.Names[pick]) << "\n";
        }
    }
    return messages.empty() ? kOk : kWarning;
}

namespace {

std::string RuleText(bool ok, const char* failure, const std::string& limit)
{
    return std::string(ok ? "ok" : failure) + " (" + limit + ")";
}

std::string Figure(const char* format, double value)
{
    // "-0.000" reads as a loss where there is none.
    std::string text = FormatNumber(format, value);
    if (text.find_first_not_of("-0.") == std::string::npos && text[0] == '-')
        text.erase(0, 1);
    return text;
}

void PrintLine(const TLineResult& r, std::ostream& out)
{
    out << "mass_flow\t" << Figure("%0.5f", r.state.massFlow) << "\n";
    out << "density\t" << Figure("%0.3f", r.state.density) << "\n";
    out << "velocity\t" << Figure("%0.3f", r.velocity) << "\n";
    out << "reynolds\t" << Figure("%0.0f", r.reynolds) << "\n";
    out << "friction_factor\t" << Figure("%0.5f", r.frictionFactor) << "\n";
    out << "pressure_drop\t" << Figure("%0.3f", r.pressureDrop * 0.001) << "\n";
    out << "saturation_drop\t" << Figure("%0.3f", r.saturationDrop) << "\n";
    const TLineJudgement& j = r.judgement;
    out << "rule_drop\t" << RuleText(j.dropOk, "too high", "<= " + FormatNumber("%g", j.dropLimit) + " K") << "\n";
    if (j.velocityMin)
        out << "rule_oil_return\t"
            << RuleText(j.velocityMinOk, "too slow", ">= " + FormatNumber("%g", *j.velocityMin) + " m/s") << "\n";
    out << (r.state.line == lkLiquid ? "rule_hammer\t" : "rule_noise\t")
        << RuleText(j.velocityMaxOk, "too fast", "<= " + FormatNumber("%g", j.velocityMax) + " m/s") << "\n";
    if (j.subcooled)
        out << "subcooled\t" << (*j.subcooled ? "yes" : "no") << " (saturation drop against "
            << FormatNumber("%g", r.state.sc) << " K sub-cooling)\n";
}

// Figures from extrapolated correlations are printed, with the warning and the
// exit code of a solve with a warning.
int WarnOfDataRange(const TLineState& state, std::ostream& err)
{
    if (state.rangeWarning.empty())
        return kOk;
    err << state.rangeWarning << "\n";
    return kWarning;
}

} // namespace

// A refrigerant line of a plant: its flow through a given tube, or the smallest
// tube of each series that meets the rules.
int TCli::LineSize(const TCommandLine& line, std::ostream& out, std::ostream& err)
{
    const auto kindText = line.Option("--line");
    if (!kindText) {
        err << "Option '--line' is needed for linesize. Try kelvora-cli --help.\n";
        return kRefused;
    }
    const auto kind = LineKindFromName(*kindText);
    if (!kind) {
        err << "Unknown line '" << *kindText << "': suction, discharge or liquid.\n";
        return kRefused;
    }
    const bool tubeGiven = line.Option("--od") || line.Option("--wall");
    const TLineCycle defaults;
    TNumberOption numbers[] = {
        {"--capacity", "capacity", true, 0},
        {"--te", "temperature", true, 0},
        {"--tc", "temperature", true, 0},
        {"--sh", "superheat", false, defaults.sh},
        {"--sc", "sub-cooling", false, defaults.sc},
        {"--ie", "isentropic efficiency", false, defaults.ie},
        {"--od", "diameter", tubeGiven, 0},
        {"--wall", "wall thickness", tubeGiven, 0},
        {"--length", "length", true, 0},
        {"--rise", "rise", false, 0},
    };
    if (!ReadNumberOptions(line, "linesize", numbers, err))
        return kRefused;
    const TLineCycle cycle {numbers[0].value, numbers[1].value, numbers[2].value,
                            numbers[3].value, numbers[4].value, numbers[5].value};
    const TLineTube tube {numbers[6].value, numbers[7].value, numbers[8].value, numbers[9].value};

    TRefrigLib& lib = SharedRefrigLib();
    const std::string& name = line.positional[0];
    if (lib.NumberOf(name) == -1) {
        err << "Refrigerant " << name << " is not in the library " << lib.LibraryFile() << ".\n";
        return kRefused;
    }
    lib.SelectByName(name);
    try {
        if (tubeGiven) {
            const TLineResult result = ComputeLine(lib, *kind, cycle, tube);
            PrintLine(result, out);
            return WarnOfDataRange(result.state, err);
        }
        if (!(tube.length >= 0))
            throw LineSizeError("The line length must be 0 m or more.");
        const TLineState state = LineState(lib, *kind, cycle);
        int code = WarnOfDataRange(state, err);
        for (const auto& [series, key] : {std::pair {tsMetric, "selection_metric"}, std::pair {tsAcr, "selection_acr"}}) {
            const auto choice = SelectTube(lib, state, series, tube.length, tube.rise);
            out << key << "\t" << (choice ? choice->tube.name : std::string("none")) << "\n";
            if (!choice)
                code = kWarning;
        }
        return code;
    } catch (const LineSizeError& e) {
        err << e.what() << "\n";
        return kRefused;
    }
}

int TCli::Run(const std::vector<std::string>& args, std::ostream& out, std::ostream& err)
{
    using namespace std::placeholders;
    const std::map<std::string, TCommand> commands {
        {"solve", {1, {"--mode", "--save"}, std::bind(&TCli::Solve, this, _1, _2, _3)}},
        {"diagnose", {2, {"--byline"}, std::bind(&TCli::Diagnose, this, _1, _2, _3)}},
        {"paste", {2, {}, std::bind(&TCli::Paste, this, _1, _2, _3)}},
        {"props", {2, {}, std::bind(&TCli::Props, this, _1, _2, _3)}},
        {"list", {0, {}, std::bind(&TCli::List, this, _1, _2, _3)}},
        {"txv", {1, {"--te", "--dp", "--duty", "--model"}, std::bind(&TCli::Txv, this, _1, _2, _3)}},
        {"compressors",
         {1, {"--refrigerant", "--te", "--tc", "--capacity"}, std::bind(&TCli::Compressors, this, _1, _2, _3)}},
        {"batch", {1, {"--mode", "--diagnose"}, std::bind(&TCli::Batch, this, _1, _2, _3), true}},
        {"linesize",
         {1,
          {"--line", "--capacity", "--te", "--tc", "--sh", "--sc", "--ie", "--od", "--wall", "--length", "--rise"},
          std::bind(&TCli::LineSize, this, _1, _2, _3)}},
    };

    for (const auto& a : args)
        if (a == "--help" || a == "-h") {
            out << kUsage;
            return kOk;
        }
    if (args.empty()) {
        out << kUsage;
        return kOk;
    }

    // Options may stand anywhere; the first other word is the command.
    TCommandLine line;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (kFlags.count(a)) {
            line.options[a] = "";
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            if (i + 1 >= args.size()) {
                err << "Option '" << a << "' needs a value.\n";
                return kRefused;
            }
            line.options[a] = args[++i];
        } else {
            line.positional.push_back(a);
        }
    }
    if (line.positional.empty()) {
        err << "No command given. Try kelvora-cli --help.\n";
        return kRefused;
    }
    const std::string name = line.positional.front();
    line.positional.erase(line.positional.begin());
    const auto command = commands.find(name);
    if (command == commands.end()) {
        err << "Unknown command '" << name << "'. Try kelvora-cli --help.\n";
        return kRefused;
    }
    for (const auto& [option, value] : line.options) {
        const auto& known = command->second.options;
        if (option != "--library" && std::find(known.begin(), known.end(), option) == known.end()) {
            err << "Unknown option '" << option << "' for " << name << ". Try kelvora-cli --help.\n";
            return kRefused;
        }
    }
    const size_t wanted = command->second.arguments;
    if (command->second.more ? line.positional.size() < wanted : line.positional.size() != wanted) {
        err << "Command " << name << " takes " << (command->second.more ? "at least " : "") << wanted
            << " argument" << (wanted == 1 ? "" : "s") << ". Try kelvora-cli --help.\n";
        return kRefused;
    }

    try {
        OpenLibrary(line);
        return command->second.run(line, out, err);
    } catch (const KelvoraError& e) {
        err << e.what() << "\n";
        return kRefused;
    } catch (const std::bad_alloc&) {
        err << "Out of memory.\n";
        return kRefused;
    }
}

int RunCli(const std::vector<std::string>& args, const TCliContext& context, std::ostream& out, std::ostream& err)
{
    TCli cli(context);
    return cli.Run(args, out, err);
}
