#include "tools/mollierform/mollierprogram.h"

#include "core/errors.h"
#include "core/numtext.h"
#include "env/companionsettings.h"
#include "tools/mollier/molliercycle.h"
#include "tools/mollier/molliermodel.h"
#include "tools/mollierform/mollierpainter.h"

namespace {

const char* const kUsage = "Usage: mollierchart [--library FILE] [--units metric|imperial]\n"
                           "                    [--points | --export FILE.png|FILE.svg [--size WxH]] TEXT\n"
                           "TEXT: refrigerant position, Ie, SST (C), dew temperature at HP (C), sh (K), sc (K)\n";

std::string NextValue(const std::vector<std::string>& args, size_t& i)
{
    if (i + 1 >= args.size())
        throw ConversionError("Option " + args[i] + " needs a value.");
    return args[++i];
}

void ParseSize(const std::string& text, int& width, int& height)
{
    const size_t x = text.find_first_of("xX");
    const auto w = x == std::string::npos ? std::nullopt : ParseInteger(text.substr(0, x));
    const auto h = x == std::string::npos ? std::nullopt : ParseInteger(text.substr(x + 1));
    if (!w || !h || *w < 200 || *h < 150 || *w > 10000 || *h > 10000)
        throw ConversionError("'" + text + "' is no chart size (WIDTHxHEIGHT, 200x150 to 10000x10000).");
    width = *w;
    height = *h;
}

// A cycle the solver counted failures in (an isentropic efficiency of 1 or more,
// liquid entering the evaporator below saturation) is still shown, with a warning.
// So is a cycle beyond its refrigerant's data range, solved by extrapolation.
int WarnOfFailures(const TMollierCycle& cycle, std::ostream& err)
{
    if (cycle.ErrCount != 0)
        err << "Warning: " << cycle.ErrCount << " value(s) of the cycle could not be computed properly.\n";
    if (!cycle.DataRangeWarning.empty())
        err << cycle.DataRangeWarning << "\n";
    return cycle.ErrCount == 0 && cycle.DataRangeWarning.empty() ? 0 : kExitFailed;
}

} // namespace

TMollierCommand ParseMollierCommand(const std::vector<std::string>& args)
{
    TMollierCommand c;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--points") {
            c.Face = TMollierCommand::fcPoints;
        } else if (a == "--export") {
            c.Face = TMollierCommand::fcExport;
            c.ExportFile = NextValue(args, i);
        } else if (a == "--size") {
            ParseSize(NextValue(args, i), c.Width, c.Height);
        } else if (a == "--library") {
            c.Library = NextValue(args, i);
        } else if (a == "--units") {
            c.Units = NextValue(args, i);
            if (!SameText(c.Units, "metric") && !SameText(c.Units, "imperial"))
                throw ConversionError("Option --units takes metric or imperial, not '" + c.Units + "'.");
        } else if (a == "--help" || a == "-h") {
            c.Face = TMollierCommand::fcHelp;
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            throw ConversionError("Unknown option " + a + ".");
        } else {
            c.Words.push_back(a);
        }
    }
    return c;
}

std::string MollierLibraryFile(const TMollierCommand& command)
{
    return CompanionLibraryFile(command.Library);
}

int RunHeadless(const TMollierCommand& command, std::ostream& out, std::ostream& err)
{
    if (command.Face == TMollierCommand::fcHelp) {
        out << kUsage;
        return 0;
    }
    TMollierArgs args;
    try {
        args = ParseMollierArgs(command.Words);
    } catch (const KelvoraError& e) {
        err << e.what() << "\n"
            << kUsage;
        return kExitRefused;
    }
    TRefrigLib lib(MollierLibraryFile(command));
    TMollierCycle cycle;
    try {
        cycle = SolveMollierCycle(lib, args);
    } catch (const ListIndexError& e) {
        err << "Refrigerant position " << args.Position << " is not in the library " << lib.LibraryFile() << " ("
            << lib.RefrigNames().size() << " refrigerants): " << e.what() << "\n";
        return kExitRefused;
    } catch (const KelvoraError& e) {
        err << "The cycle cannot be solved: " << e.what() << "\n";
        return kExitFailed;
    }
    if (command.Face == TMollierCommand::fcPoints) {
        out << PointLines(cycle);
        return WarnOfFailures(cycle, err);
    }
    try {
        TMollierChart chart;
        chart.Units = MollierUnits(command);
        chart.Cycle = cycle;
        chart.Lines = BuildChartLines(lib, cycle, chart.Units);
        ExportMollierChart(QString::fromStdString(command.ExportFile), command.Width, command.Height, chart,
                           chart.Lines.Whole);
    } catch (const ConversionError& e) {
        err << e.what() << "\n";
        return kExitRefused;
    } catch (const KelvoraError& e) {
        err << e.what() << "\n";
        return kExitFailed;
    }
    return WarnOfFailures(cycle, err);
}

TChartUnits MollierUnits(const TMollierCommand& command)
{
    return ChartUnitsFromText(CompanionUnitsText(kMollierSection, command.Units));
}
