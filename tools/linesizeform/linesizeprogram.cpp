#include "tools/linesizeform/linesizeprogram.h"

#include "core/errors.h"
#include "core/numtext.h"
#include "env/companionsettings.h"

const char* const kLineSizeUsage = "Usage: linesize [--library FILE] [--units metric|imperial]\n";

TLineSizeCommand ParseLineSizeCommand(const std::vector<std::string>& args)
{
    TLineSizeCommand c;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a == "--help" || a == "-h") {
            c.Help = true;
        } else if (a == "--library" || a == "--units") {
            if (i + 1 >= args.size())
                throw ConversionError("Option " + a + " needs a value.");
            (a == "--library" ? c.Library : c.Units) = args[++i];
            if (a == "--units" && !SameText(c.Units, "metric") && !SameText(c.Units, "imperial"))
                throw ConversionError("Option --units takes metric or imperial, not '" + c.Units + "'.");
        } else if (a.size() > 2 && a.compare(0, 2, "--") == 0) {
            throw ConversionError("Unknown option " + a + ".");
        } else {
            throw ConversionError("linesize takes no argument text ('" + a + "').");
        }
    }
    return c;
}

TUnitSystem LineSizeUnits(const TLineSizeCommand& command)
{
    return SameText(CompanionUnitsText(kLineSizeSection, command.Units), "imperial") ? usImperial : usMetric;
}

const char* UnitSystemText(TUnitSystem system)
{
    return system == usImperial ? "Imperial" : "Metric";
}
