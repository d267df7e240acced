// linesize: velocity, pressure drop and the rules of thumb of a plant's suction,
// discharge and liquid lines.
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>

#include "core/errors.h"
#include "env/companion.h"
#include "env/companionlistener.h"
#include "env/companionsettings.h"
#include "env/platform.h"
#include "tools/linesizeform/kelvoraconditions.h"
#include "tools/linesizeform/linesizeprogram.h"
#include "tools/linesizeform/linesizewindow.h"

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    TLineSizeCommand command;
    try {
        command = ParseLineSizeCommand(args);
    } catch (const KelvoraError& e) {
        std::cerr << e.what() << "\n"
                  << kLineSizeUsage;
        return kLineSizeRefused;
    }
    if (command.Help) {
        std::cout << kLineSizeUsage;
        return 0;
    }
    QApplication app(argc, argv);
    const std::string program = ProgramNameOf(RunningProgramFile());
    // A second start brings the running window to the front and ends.
    if (HandOverToRunning(program, ""))
        return 0;
    TLineSizeWindow window(CompanionLibraryFile(command.Library), LineSizeUnits(command), KelvoraSettingsFile());
    auto* listener = new TCompanionListener(window, nullptr);
    listener->Listen(CompanionServerName(program));
    window.show();
    return app.exec();
}
