// kelvora: the technician's window on the refrigeration cycle. It takes no
// command-line arguments; its folders follow the working directory it starts in.
#include <clocale>
#include <exception>

#include <QApplication>
#include <QLocale>

#include "ui/aboutbox.h"
#include "widgets/clicklabel.h"
#include "tools/compressor/comp.h"
#include "tools/compform/compform.h"
#include "ui/flowchartform.h"
#include "units/fmtedit.h"
#include "ui/mainform.h"
#include "ui/measureform.h"
#include "widgets/messages.h"
#include "core/numtext.h"
#include "env/platform.h"
#include "core/refriglib.h"
#include "ui/refrigtypeform.h"
#include "tools/txvalveform/txvalveform.h"
#include "env/uglobal.h"

namespace {

// "." as the decimal separator and "," as the thousands separator whatever the
// user's locale; Qt has just set the C library's locale from the environment.
void FixNumberText()
{
    std::setlocale(LC_NUMERIC, "C");
    QLocale::setDefault(QLocale::c());
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // The application's title, which message boxes carry.
    QCoreApplication::setApplicationName("Kelvora");

    // Start: platform folders, number text, the shared refrigerant library, settings.
    try {
        StartPlatform();
        FixNumberText();
        OpenSharedRefrigLib(CommonDataFolder() + "RefLib8.rdf");
        // A damaged R22 record leaves the built-in one selected; the program carries on.
        RunCommand([] { SharedRefrigLib().SelectByName("R22"); });
        uGlobal().Start(RunningGlobalInputs());
    } catch (const std::exception& e) {
        ShowMessage(e.what());
        return 1;
    }
    // The compressor model (empty name, 7.5 K, 5.0 K) and its scan of the common
    // data folder for "*.cmp" files.
    SharedComp().SetMessageHook([](const std::string& text) { ShowMessage(text); });
    SharedComp().SetDataFolder(CommonDataFolder());

    // The windows, in their order; all but the main window stay hidden until a
    // command shows them modally.
    TMainForm mainForm(SharedRefrigLib(), uGlobal().Vars(), uGlobal().Settings());
    // The refrigerant picker; other windows (the compressor selector) open it
    // through showRefrigPicker too.
    TRefrigTypeForm refrigPicker(SharedRefrigLib(), &mainForm);
    const auto showRefrigPicker = [&refrigPicker] { refrigPicker.exec(); };
    mainForm.SetCommandWindow(mwRefrigPicker, showRefrigPicker);
    TAboutBox aboutBox(&mainForm);
    mainForm.SetAboutBox(&aboutBox);
    TCompForm compForm(SharedComp(), SharedRefrigLib(), &mainForm);
    compForm.SetRefrigPicker([&refrigPicker](double te) {
        refrigPicker.edTemp->SetValue(te);
        return refrigPicker.exec() == QDialog::Accepted;
    });
    mainForm.SetCommandWindow(mwCompressorSelector, [&] {
        // A refrigerant chosen in the selector is the program's from now on.
        const std::string before = SharedRefrigLib().GetName();
        compForm.exec();
        if (!SameText(before, SharedRefrigLib().GetName())) {
            mainForm.RefLabel->setText(QString::fromStdString(SharedRefrigLib().GetName()));
            mainForm.SetSolved(false);
        }
    });
    TTxValveForm txValveForm(SharedRefrigLib(), CommonDataFolder(), &mainForm);
    mainForm.SetCommandWindow(mwTxValveSelector, [&] { txValveForm.exec(); });
    TMeasureForm measureForm(mainForm, uGlobal().Settings(), &mainForm);
    mainForm.SetCommandWindow(mwSimpleMeasurement, [&] {
        measureForm.AttachCycle(mainForm.Cycle());
        measureForm.exec();
    });
    TFlowChartForm faultChart(uGlobal().Vars().help_path, &mainForm);
    mainForm.SetCommandWindow(mwFaultChart, [&faultChart] { faultChart.exec(); });

    mainForm.show();
    const int result = app.exec();

    // Stop: the main window has stored its position; the settings are saved.
    uGlobal().Save();
    return result;
}
