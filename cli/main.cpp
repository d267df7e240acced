// kelvora-cli: the headless companion of Kelvora.
#include <cstdio>
#include <iostream>
#include <string>
#include <vector>

#include "errors.h"
#include "numtext.h"
#include "productinfo.h"
#include "refriglib.h"
#include "refrigsummary.h"

namespace {

const char* const kUsage =
    "Usage: kelvora-cli COMMAND [ARGUMENTS] [--library FILE]\n"
    "  list                      the refrigerants of the library, one a line\n"
    "  props REFRIGERANT TEMP    saturation data of a refrigerant at TEMP °C\n";

int Usage(int code)
{
    (code == 0 ? std::cout : std::cerr) << kUsage;
    return code;
}

} // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> args;
    std::string library;
    for (int i = 1; i < argc; ++i) {
        const std::string a = argv[i];
        if (a == "--help" || a == "-h")
            return Usage(0);
        if (a == "--library") {
            if (i + 1 >= argc) {
                std::cerr << "Option --library needs a file name.\n";
                return 2;
            }
            library = argv[++i];
        } else if (a.rfind("--", 0) == 0) {
            std::cerr << "Unknown option " << a << "\n";
            return 2;
        } else {
            args.push_back(a);
        }
    }
    if (args.empty())
        return Usage(0);

    try {
        TRefrigLib& lib = OpenSharedRefrigLib(library);
        lib.SelectByName("R22");
        const std::string& command = args[0];
        if (command == "list" && args.size() == 1) {
            for (const auto& name : lib.RefrigNames())
                std::cout << name << "\n";
            return 0;
        }
        if (command == "props" && args.size() == 3) {
            const auto temp = ParseReal(args[2]);
            if (!temp) {
                std::cerr << "'" << args[2] << "' is not a valid temperature\n";
                return 2;
            }
            lib.SelectByName(args[1]);
            const double pressure = lib.DewP(*temp) * 0.001;
            for (const auto& line : RefrigSummaryLines(lib, *temp, pressure))
                std::cout << line << "\n";
            std::cout << FormatNumber("Saturation Pressure = %0.3f kPa", pressure) << "\n";
            return 0;
        }
        std::cerr << "Unknown command or wrong arguments: " << command << "\n";
        return Usage(2);
    } catch (const KelvoraError& e) {
        std::cerr << e.what() << "\n";
        return 2;
    }
}
