// mollierchart: the refrigeration cycle on the log p-h chart of its refrigerant.
#include <iostream>
#include <string>
#include <vector>

#include <QApplication>
#include <QGuiApplication>

#include "core/errors.h"
#include "env/companion.h"
#include "env/platform.h"
#include "tools/mollierform/mollierprogram.h"
#include "tools/mollierform/mollierwindow.h"

namespace {

std::string JoinedWords(const std::vector<std::string>& words)
{
    std::string text;
    for (const auto& w : words)
        text += (text.empty() ? "" : " ") + w;
    return text;
}

int RunWindow(int argc, char** argv, const TMollierCommand& command)
{
    QApplication app(argc, argv);
    const std::string text = JoinedWords(command.Words);
    const std::string server = CompanionServerName(ProgramNameOf(RunningProgramFile()));
    // A second start hands its text to the running chart and ends.
    if (HandOverToRunning(ProgramNameOf(RunningProgramFile()), text))
        return 0;
    TMollierWindow window(MollierLibraryFile(command), MollierUnits(command));
    window.Listen(server);
    window.show();
    if (text.empty())
        window.ShowDefaultCycle();
    else if (!window.ShowText(text))
        window.ShowDefaultCycle();
    return app.exec();
}

} // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    TMollierCommand command;
    try {
        command = ParseMollierCommand(args);
    } catch (const KelvoraError& e) {
        std::cerr << e.what() << "\n";
        return kExitRefused;
    }
    // The headless faces answer before any window system is asked for.
    if (command.Face == TMollierCommand::fcPoints || command.Face == TMollierCommand::fcHelp)
        return RunHeadless(command, std::cout, std::cerr);
    if (command.Face == TMollierCommand::fcExport) {
        // Drawing text needs a GUI application, but never a display.
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QGuiApplication app(argc, argv);
        return RunHeadless(command, std::cout, std::cerr);
    }
    return RunWindow(argc, argv, command);
}
