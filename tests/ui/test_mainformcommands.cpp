// The main window's commands: project files, clipboard, diagnosis, help, companions
// and the windows that other modules bring.
#include "tests/ui/uitest.h"

#include <QAction>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

#include "ui/aboutbox.h"
#include "widgets/clicklabel.h"
#include "core/cliptext.h"
#include "ui/companions.h"
#include "env/platform.h"
#include "env/recentfiles.h"

namespace {

QString ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

std::string CycleText(TKelvora& cycle)
{
    return JoinTextLines(cycle.GetClipText());
}

} // namespace

TEST_F(MainWindowTest, SaveAsThenLoadRoundTripsTheProject)
{
    Open();
    TypeAndLeave(Field("shEdit"), "10");
    QString title, filter, suffix, folder;
    OnNextModal<QFileDialog>([&](QFileDialog* dialog) {
        title = dialog->windowTitle();
        filter = dialog->nameFilters().join(";;");
        suffix = dialog->defaultSuffix();
        folder = dialog->directory().absolutePath();
        // The user types a name without extension into the dialog's name field.
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, "plant");
        static_cast<QDialog*>(dialog)->accept();
    });
    form->SaveAs1->trigger();
    EXPECT_EQ(title, "Save Kelvora File");
    EXPECT_EQ(filter, "Kelvora data file (*.rdf *.RDF)");
    EXPECT_EQ(suffix, "rdf");
    EXPECT_EQ(folder.toStdString(), std::filesystem::canonical(dir.File("Projects")).string());

    const std::string plant = dir.File("Projects/plant.rdf");
    EXPECT_EQ(form->ProjectFile(), plant);
    EXPECT_EQ(form->FileStatusText().toStdString(), plant);
    ASSERT_TRUE(std::filesystem::exists(plant));
    EXPECT_EQ(form->StatusText(), "Not solved...") << "Save As does not solve";

    form->Reset1->trigger();
    EXPECT_EQ(Field("shEdit")->text(), "7.5");
    EXPECT_EQ(form->StatusText(), "Not solved...");
    form->Load1->trigger();
    EXPECT_EQ(Field("shEdit")->text(), "10.0");
    EXPECT_EQ(Field("tsEdit")->text(), "15.0");
    EXPECT_EQ(form->StatusText(), "Solved...");

    // Save writes the solved cycle to the same file.
    TypeAndLeave(Field("scEdit"), "6");
    form->Save1->trigger();
    TKelvora saved(lib);
    saved.LoadFromFile(plant);
    EXPECT_DOUBLE_EQ(saved.sc, 6);
    EXPECT_DOUBLE_EQ(saved.tl, 39);
    EXPECT_TRUE(messages.empty());
}

namespace {

// Answers the next file dialog as a user would: the path typed into its name field.
void ChooseInNextFileDialog(const std::string& path, QString* title = nullptr, QString* folder = nullptr)
{
    OnNextModal<QFileDialog>([=](QFileDialog* dialog) {
        if (title)
            *title = dialog->windowTitle();
        if (folder)
            *folder = dialog->directory().absolutePath();
        auto* name = dialog->findChild<QLineEdit*>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setFocus();
        name->selectAll();
        QTest::keyClicks(name, QString::fromStdString(path));
        static_cast<QDialog*>(dialog)->accept();
    });
}

QStringList RecentMenu(const TMainForm& form)
{
    QStringList texts;
    for (QAction* action : form.RecentFiles)
        if (action->isVisible())
            texts << action->toolTip();
    return texts;
}

} // namespace

TEST_F(MainWindowTest, OpenLoadsTheChosenFileAsLoadDoesAndRemembersIt)
{
    // A plant kept elsewhere: superheat 10 instead of the start-up project's 7.5.
    std::filesystem::create_directories(dir.File("Customers"));
    const std::string plant = dir.File("Customers/cold store.rdf");
    {
        TKelvora k(lib);
        k.LoadFromFile(dir.File("Projects/Default.rdf"));
        k.sh = 10;
        k.SaveToFile(plant);
    }
    Open();
    TypeAndLeave(Field("scEdit"), "8"); // replaced by the file, no question asked
    QString title, folder;
    ChooseInNextFileDialog(plant, &title, &folder);
    Enter(Field("HPEdit"));
    QTest::keyClick(Field("HPEdit"), Qt::Key_O, Qt::ControlModifier);
    EXPECT_EQ(title, "Load Kelvora File");
    EXPECT_EQ(folder.toStdString(), std::filesystem::canonical(dir.File("Projects")).string());
    EXPECT_EQ(form->OpenDialog->nameFilters().join(";;"), "Kelvora data file (*.rdf *.RDF)");

    EXPECT_EQ(form->ProjectFile(), plant);
    EXPECT_EQ(form->FileStatusText().toStdString(), plant);
    EXPECT_EQ(Field("shEdit")->text(), "10.0");
    EXPECT_EQ(Field("scEdit")->text(), "5.0");
    EXPECT_EQ(Field("tsEdit")->text(), "15.0") << "solved after loading";
    EXPECT_EQ(form->StatusText(), "Solved...");
    EXPECT_EQ(RecentMenu(*form), QStringList {QString::fromStdString(plant)});
    // The menu text keeps the file name and shortens the long scratch folder.
    EXPECT_TRUE(form->RecentFiles[0]->text().startsWith("&1 /")) << form->RecentFiles[0]->text().toStdString();
    EXPECT_TRUE(form->RecentFiles[0]->text().endsWith("/Customers/cold store.rdf"));
    EXPECT_TRUE(messages.empty());

    // The next Open starts in the plant's folder, and Load reloads the plant.
    ChooseInNextFileDialog(dir.File("Projects/Default.rdf"), nullptr, &folder);
    form->Open1->trigger();
    EXPECT_EQ(folder.toStdString(), std::filesystem::canonical(dir.File("Customers")).string());
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));
    EXPECT_EQ(Field("shEdit")->text(), "7.5");
    EXPECT_EQ(RecentMenu(*form), (QStringList {QString::fromStdString(dir.File("Projects/Default.rdf")), QString::fromStdString(plant)}));
    EXPECT_EQ(RecentFiles(settings), (std::vector<std::string> {dir.File("Projects/Default.rdf"), plant}));
}

TEST_F(MainWindowTest, OpenOfAFileThatIsNoProjectKeepsTheProjectFile)
{
    const std::string foreign = dir.Write("Projects/notes.rdf", "{\"some\": \"other program\"}");
    Open();
    ChooseInNextFileDialog(foreign);
    form->Open1->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("notes.rdf"), std::string::npos) << messages[0];
    // A later Save must not write over the other program's file.
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));
    EXPECT_EQ(form->FileStatusText().toStdString(), dir.File("Projects/Default.rdf"));
    EXPECT_TRUE(RecentMenu(*form).isEmpty());

    OnNextModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    form->Open1->trigger();
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MainWindowTest, RecentFilesComeFromTheSettingsAndDropWhatIsGone)
{
    const std::string a = dir.File("Projects/a.rdf");
    const std::string gone = dir.File("Projects/gone.rdf");
    std::filesystem::copy_file(dir.File("Projects/Default.rdf"), a);
    settings["RecentFiles"] = {a, gone};
    Open();
    ASSERT_EQ(RecentMenu(*form), (QStringList {QString::fromStdString(a), QString::fromStdString(gone)}));
    EXPECT_TRUE(form->RecentFiles[1]->text().startsWith("&2 /"));
    EXPECT_TRUE(form->RecentFiles[1]->text().endsWith("/gone.rdf"));

    form->RecentFiles[1]->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "The project file " + gone + " is no longer there; it has been taken off the list of recent files.");
    EXPECT_EQ(RecentMenu(*form), QStringList {QString::fromStdString(a)});
    EXPECT_EQ(RecentFiles(settings), std::vector<std::string> {a});
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));

    form->RecentFiles[0]->trigger();
    EXPECT_EQ(form->ProjectFile(), a);
    EXPECT_EQ(form->StatusText(), "Solved...");

    // Save As puts its file on top; five at most are kept.
    for (int k = 1; k <= 5; ++k) {
        ChooseInNextFileDialog("plant" + std::to_string(k));
        form->SaveAs1->trigger();
    }
    ASSERT_EQ(RecentFiles(settings).size(), 5u);
    EXPECT_EQ(RecentFiles(settings).front(), dir.File("Projects/plant5.rdf"));
    EXPECT_EQ(RecentFiles(settings).back(), dir.File("Projects/plant1.rdf"));
    EXPECT_EQ(RecentMenu(*form).size(), 5);
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MainWindowTest, SaveAsCancelledChangesNothing)
{
    Open();
    OnNextModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
    form->SaveAs1->trigger();
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));
    EXPECT_EQ(form->FileStatusText().toStdString(), dir.File("Projects/Default.rdf"));
}

TEST_F(MainWindowTest, SaveOfACycleThatDoesNotSolveWritesTheFileAndWarns)
{
    Open();
    TypeAndLeave(Field("IeEdit"), "1");
    QTest::keyClick(Field("HPEdit"), Qt::Key_S, Qt::ControlModifier);
    EXPECT_EQ(form->StatusText(), "Warning: Not able to calculate result with this data...");
    EXPECT_FALSE(form->Solved());
    TKelvora saved(lib);
    saved.LoadFromFile(dir.File("Projects/Default.rdf"));
    EXPECT_DOUBLE_EQ(saved.Ie, 1);
}

TEST_F(MainWindowTest, FileErrorsShowInAMessageBox)
{
    Open();
    std::filesystem::remove_all(dir.File("Projects"));
    std::filesystem::remove_all(dir.File("Report"));
    form->Save1->trigger();
    form->Diagnosis1->trigger();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_TRUE(desktop.urls.empty());
}

TEST_F(MainWindowTest, CopyThenPasteRestoresTheFields)
{
    Open();
    TypeAndLeave(Field("shEdit"), "10");
    form->Solve1->trigger();
    form->Copytoclipboard1->trigger();
    const std::string copied = CycleText(form->Cycle());
    EXPECT_EQ(ClipboardText().toStdString(), copied);
    EXPECT_EQ(ClipboardText().left(17), "Kelvora 1.2.0.0\r\n");
    EXPECT_EQ(form->StatusText(), "Solved...");

    form->Reset1->trigger();
    ASSERT_EQ(Field("shEdit")->text(), "7.5");
    form->PastefromClipboard1->trigger();
    EXPECT_EQ(Field("shEdit")->text(), "10.0");
    EXPECT_EQ(Field("tsEdit")->text(), "15.0");
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/temp.rdf"));
    EXPECT_EQ(form->FileStatusText().toStdString(), dir.File("Projects/temp.rdf"));
    EXPECT_FALSE(std::filesystem::exists(dir.File("Projects/temp.rdf")));
    EXPECT_EQ(form->StatusText(), "Not solved...") << "paste leaves the flag as Reset left it";
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, PasteAfterASolveKeepsDiagnosisAvailable)
{
    Open();
    form->Copytoclipboard1->trigger();
    form->PastefromClipboard1->trigger();
    EXPECT_TRUE(form->Solved());
    form->Diagnosis1->trigger();
    EXPECT_EQ(desktop.urls.size(), 1u);
}

TEST_F(MainWindowTest, PasteRefusesTextsThatAreNoCycle)
{
    Open();
    std::vector<std::string> lines = form->Cycle().GetClipText();
    std::vector<std::string> lowerCase = lines;
    lowerCase[0] = "kelvora 1.2.0.0";
    std::vector<std::string> badRefrigerant = lines;
    badRefrigerant[1] = "ref=R22";
    const std::vector<std::string> firstFive(lines.begin(), lines.begin() + 5);
    const std::pair<std::string, std::string> cases[] = {
        {"", "No text in the Clipboard!"},
        {JoinTextLines(lowerCase), "Clipboard has incorrect data signature!"},
        {"just some words", "Clipboard has incorrect data signature!"},
        {JoinTextLines(badRefrigerant), "Invalid refrigerant!"},
        {JoinTextLines(firstFive), "The text on the clipboard is not a complete Kelvora cycle (5 of 34 lines)."},
    };
    for (const auto& [text, message] : cases) {
        messages.clear();
        form->Reset1->trigger();
        Field("shEdit")->SetValue(11);
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
        form->PastefromClipboard1->trigger();
        ASSERT_EQ(messages.size(), 1u) << text;
        EXPECT_EQ(messages[0], message);
        EXPECT_EQ(Field("shEdit")->text(), "11.0") << "the fields stay";
        EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));
    }
}

TEST_F(MainWindowTest, ClipboardKeysInAFieldActOnTheWholeCycle)
{
    Open();
    Enter(Field("HPEdit"));
    QTest::keyClick(Field("HPEdit"), Qt::Key_C, Qt::ControlModifier);
    EXPECT_EQ(ClipboardText().toStdString(), CycleText(form->Cycle()));

    form->Reset1->trigger();
    Enter(Field("shEdit"));
    QTest::keyClicks(Field("shEdit"), "3");
    QTest::keyClick(Field("shEdit"), Qt::Key_V, Qt::ControlModifier);
    EXPECT_EQ(Field("shEdit")->text(), "7.5") << "the pasted cycle, not the text in the field";
    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/temp.rdf"));
}

TEST_F(MainWindowTest, CopyBeforeASolveWarnsAndCopiesTheModel)
{
    Open();
    TypeAndLeave(Field("shEdit"), "10");
    QGuiApplication::clipboard()->clear();
    form->Copytoclipboard1->trigger();
    EXPECT_EQ(form->StatusText(), "Warning: Solve before Copy to Clipboard!");
    EXPECT_EQ(ClipboardText().toStdString(), CycleText(form->Cycle()));
    EXPECT_TRUE(ClipboardText().contains("\r\nsh=7.500\r\n")) << "the model, not the edited field";
}

TEST_F(MainWindowTest, DiagnosisNeedsASolveThenOpensThePage)
{
    Open();
    TypeAndLeave(Field("shEdit"), "10");
    form->Diagnosis1->trigger();
    EXPECT_EQ(form->StatusText(), "Warning: Solve before Diagnostics!");
    EXPECT_FALSE(std::filesystem::exists(dir.File("Report/diagnosis.htm")));
    EXPECT_TRUE(desktop.urls.empty());

    QTest::keyClick(Field("shEdit"), Qt::Key_F9);
    form->Diagnosis1->trigger();
    const std::string page = dir.File("Report/diagnosis.htm");
    ASSERT_TRUE(std::filesystem::exists(page));
    EXPECT_NE(TTempFolder::Read(page).find("Kelvora 1.2.0.0"), std::string::npos) << "the caption as byline";
    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0], QUrl::fromLocalFile(QString::fromStdString(page)));
}

TEST_F(MainWindowTest, HelpAndWebSiteOpenInTheBrowser)
{
    Open();
    QTest::keyClick(Field("HPEdit"), Qt::Key_F1);
    form->Website1->trigger();
    ASSERT_EQ(desktop.urls.size(), 2u);
    EXPECT_EQ(desktop.urls[0], QUrl::fromLocalFile(QString::fromStdString(dir.File("Help/index.htm"))));
    EXPECT_EQ(desktop.urls[1], QUrl(QString::fromStdString("http://" + WebAddress())));
}

TEST_F(MainWindowTest, DesktopThatCannotOpenIsReported)
{
    class TRefusingDesktop : public TDesktop {
        bool OpenUrl(const QUrl&) override { return false; }
    } refusing;
    Open();
    SetDesktop(&refusing);
    form->Index1->trigger();
    SetDesktop(&desktop);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find(dir.File("Help/index.htm")), std::string::npos);
}

TEST_F(MainWindowTest, MollierChartStartsWithTheModelsValues)
{
    Open();
    const std::string path = CompanionPath(MakerFolder(), cpMollierChart);
    ASSERT_EQ(path.rfind(ScratchRoot(), 0), 0u) << path;

    form->MollierChart1->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], path + "\rnot found...");

    // A stand-in companion that writes down its arguments.
    const std::string received = ScratchRoot() + "/mollier-arguments.txt";
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    {
        std::ofstream script(path);
        script << "#!/bin/sh\necho \"$@\" > \"" << received << ".part\" && mv \"" << received << ".part\" \""
               << received << "\"\n";
    }
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    TypeAndLeave(Field("shEdit"), "10"); // the model's sh, not the field's, goes out
    form->MollierChart1->trigger();
    ASSERT_TRUE(QTest::qWaitFor([&] { return std::filesystem::exists(received); }, 10000));
    // R134a sorts before R22 in the library's name list.
    EXPECT_EQ(TTempFolder::Read(received), MollierArgumentText(form->Cycle()) + "\n");
    EXPECT_EQ(MollierArgumentText(form->Cycle()), "1 0.720 5.000 45.000 7.50 5.00");
    std::filesystem::remove(path);
}

TEST_F(MainWindowTest, OtherCompanionsStartWithoutArguments)
{
    Open();
    const std::pair<QAction*, TCompanion> tools[] = {
        {form->LineSize1, cpLineSize},
        {form->CapillaryTube1, cpCapillaryTube},
        {form->EvaporatorCoil1, cpEvaporatorCoil},
        {form->CondenserCoilDesigner1, cpCondenserCoil},
        {form->RefrigerationCycleSimulation1, cpCycleSimulation},
    };
    for (const auto& [action, companion] : tools) {
        messages.clear();
        action->trigger();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], CompanionPath(MakerFolder(), companion) + "\rnot found...");
    }
}

// The calculator reads the newest recent project from the settings file, which
// must therefore name the project open now, not the one of the last run.
TEST_F(MainWindowTest, LineSizeCalculatorFindsTheOpenProjectInTheSettingsFile)
{
    const std::string plant = dir.File("Customers/cold store.rdf");
    std::filesystem::create_directories(dir.File("Customers"));
    std::filesystem::copy_file(dir.File("Projects/Default.rdf"), plant);
    Open();
    const auto newestSaved = [this] {
        const auto saved = JsonLoadFile(vars.settings_file);
        const auto files = saved ? RecentFiles(*saved) : std::vector<std::string> {};
        return files.empty() ? std::string("(none)") : files.front();
    };
    // The project loaded at start, then one opened later.
    for (const bool openPlant : {false, true}) {
        if (openPlant) {
            ChooseInNextFileDialog(plant);
            form->Open1->trigger();
            ASSERT_EQ(form->ProjectFile(), plant);
        }
        messages.clear();
        form->LineSize1->trigger();
        EXPECT_EQ(newestSaved(), openPlant ? plant : dir.File("Projects/Default.rdf"));
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_EQ(messages[0], CompanionPath(MakerFolder(), cpLineSize) + "\rnot found...");
    }

    // A settings file that cannot be written is told, and the calculator still starts.
    form.reset();
    messages.clear();
    vars.settings_file = dir.File("no folder/Kelvora.json");
    Open();
    form->LineSize1->trigger();
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(messages[0].rfind("Settings not saved: ", 0), 0u) << messages[0];
    EXPECT_EQ(messages[1], CompanionPath(MakerFolder(), cpLineSize) + "\rnot found...");
}

TEST_F(MainWindowTest, WindowsOfOtherModulesAreShownThroughTheirHooks)
{
    Open();
    int shown[mwCompressorSelector + 1] = {};
    const std::pair<TMainWindowCommand, QAction*> items[] = {
        {mwSimpleMeasurement, form->SimpleMeasurement1},
        {mwFaultChart, form->Faultfindingchart1},
        {mwTxValveSelector, form->txValve1},
        {mwCompressorSelector, form->CompressorSelector1},
    };
    for (const auto& [command, action] : items) {
        form->SetCommandWindow(command, [&shown, command = command] { ++shown[command]; });
        EXPECT_TRUE(action->isEnabled());
        action->trigger();
        EXPECT_EQ(shown[command], 1);
        form->SetCommandWindow(command, {});
        EXPECT_FALSE(action->isEnabled());
    }

    // The refrigerant picker changes the library's selection; the label follows.
    QTest::mouseClick(form->RefLabel, Qt::LeftButton);
    EXPECT_EQ(form->StatusText(), "Solved...") << "no picker yet: the click does nothing";
    form->SetCommandWindow(mwRefrigPicker, [&] { lib.SelectByName("R134a"); });
    QTest::mouseClick(form->RefLabel, Qt::LeftButton);
    EXPECT_EQ(form->RefLabel->text(), "R134a");
    EXPECT_EQ(form->StatusText(), "Not solved...");
    EXPECT_EQ(form->Cycle().rnum, "R22") << "the model takes it at the next read";
    form->ReadCycle();
    EXPECT_EQ(form->Cycle().rnum, "R134a");
}

TEST_F(MainWindowTest, AboutShowsTheFilledBoxUntilAClick)
{
    TAboutBox about;
    form = std::make_unique<TMainForm>(lib, vars, settings);
    form->SetAboutBox(&about);
    Open();
    bool wasShown = false;
    OnNextModal<TAboutBox>([&](TAboutBox* box) {
        wasShown = box->isVisible() && box->windowTitle() == "About";
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, 5));
    });
    form->About1->trigger();
    EXPECT_TRUE(wasShown);
    EXPECT_FALSE(about.isVisible());
    EXPECT_EQ(about.Version->text(), "Version: 1.2.0.0");
}

TEST_F(MainWindowTest, ExitStoresThePositionInTheSettings)
{
    Open();
    form->move(120, 90);
    form->Exit1->trigger();
    EXPECT_FALSE(form->isVisible());
    ASSERT_TRUE(settings.contains("MainForm"));
    EXPECT_EQ(settings["MainForm"]["Left"], 120);
    EXPECT_EQ(settings["MainForm"]["Top"], 90);
    EXPECT_EQ(settings["MainForm"]["Width"], form->frameGeometry().width());
}
