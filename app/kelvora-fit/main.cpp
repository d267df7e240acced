// kelvora-fit: fits the refrigerant correlations to reference property tables and
// writes the refrigerant library file.
#include <algorithm>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include "core/errors.h"
#include "fit/fitrefrig.h"
#include "fit/fitreport.h"
#include "core/numtext.h"

namespace {

const char* const kUsage =
    "Usage: kelvora-fit [--output FILE] [--report] [--tmin T] [--tmax T] TABLES [FLUID ...]\n"
    "  TABLES           folder with fluids.csv and the property tables\n"
    "  FLUID ...        the fluids to fit (default: every fluid of fluids.csv)\n"
    "  --output FILE    write the library file there (default: standard output)\n"
    "  --report         print the deviations of the fits from the tables instead\n"
    "  --tmin, --tmax   fit range in °C (default: per fluid, -45 up to 60 °C)\n";

std::string Quoted(const std::string& arg)
{
    return arg.find_first_of(" \t\"") == std::string::npos ? arg : "\"" + arg + "\"";
}

} // namespace

int main(int argc, char** argv)
{
    std::string output, tables;
    std::vector<std::string> names;
    bool report = false;
    TFitOptions options;
    std::string command = "kelvora-fit";
    for (int i = 1; i < argc; ++i)
        command += " " + Quoted(argv[i]);
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        const auto value = [&]() -> std::string {
            if (i + 1 >= argc)
                throw ConversionError("Option " + a + " needs a value.");
            return argv[++i];
        };
        try {
            if (a == "--help" || a == "-h") {
                std::cout << kUsage;
                return 0;
            } else if (a == "--output") {
                output = value();
            } else if (a == "--report") {
                report = true;
            } else if (a == "--tmin" || a == "--tmax") {
                const std::string text = value();
                const auto t = ParseReal(text);
                if (!t)
                    throw ConversionError("'" + text + "' is not a temperature");
                (a == "--tmin" ? options.tMin : options.tMax) = *t;
            } else if (a.rfind("--", 0) == 0) {
                throw ConversionError("Unknown option " + a);
            } else if (tables.empty()) {
                tables = a;
            } else {
                names.push_back(a);
            }
        } catch (const KelvoraError& e) {
            std::cerr << e.what() << "\n"
                      << kUsage;
            return 2;
        }
    }
    if (tables.empty()) {
        std::cerr << kUsage;
        return 2;
    }

    try {
        std::vector<TFluidInfo> fluids;
        for (const auto& info : ReadFluidList(tables))
            if (names.empty() || std::find(names.begin(), names.end(), info.RNumber) != names.end())
                fluids.push_back(info);
        if (fluids.empty() || (!names.empty() && fluids.size() != names.size()))
            throw DataFormatError("Not every fluid asked for is in " + tables + "/fluids.csv");

        std::vector<TFitResult> fits;
        std::vector<TFluidReport> reports;
        for (const auto& info : fluids) {
            const TFluidTables t = ReadFluidTables(tables, info);
            fits.push_back(FitRefrigerant(t, options));
            if (report)
                reports.push_back(CompareWithTables(fits.back(), t, options));
        }
        const std::string library = LibraryText(
            fits, "Kelvora refrigerant library, fitted to reference tables from published equations of state by: " + command);
        if (!output.empty()) {
            std::ofstream out(output, std::ios::binary);
            if (!out)
                ThrowCannotCreate(output);
            out << library;
            if (!out)
                ThrowCannotWrite(output);
        } else if (!report) {
            std::cout << library;
        }
        if (report)
            std::cout << ReportText(reports);
        return 0;
    } catch (const KelvoraError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    }
}
