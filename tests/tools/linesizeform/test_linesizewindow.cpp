// The line sizing window offscreen, used as a technician uses it: the figures it
// shows against the calculation's, Select, the unit switch, the errors without
// stale figures, the conditions of the main window's last project, and a real
// second start of the program.
#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <fstream>

#include <QComboBox>
#include <QElapsedTimer>
#include <QProcess>
#include <QLabel>
#include <QPushButton>

#include "core/cycle.h"
#include "core/jsondoc.h"
#include "core/numtext.h"
#include "env/companion.h"
#include "env/companionlistener.h"
#include "env/recentfiles.h"
#include "tests/support/hookguard.h"
#include "tests/support/tempfolder.h"
#include "tests/support/windowtest.h"
#include "tools/linesizeform/linesizeprogram.h"
#include "tools/linesizeform/linesizewindow.h"
#include "widgets/messages.h"

namespace {

const std::string kLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";
const TLineKind kLines[] = {lkSuction, lkDischarge, lkLiquid};

using TPanel = TLineSizeWindow::TLinePanel;

class LineSizeWindow : public ::testing::Test {
public:
    TTempFolder dir;
    std::vector<std::string> messages;
    THookGuard<TMessageHook> hook {SetMessageHook, [this](const std::string& m) { messages.push_back(m); }};
    std::unique_ptr<TLineSizeWindow> window;

    void Open(const std::string& library = kLibrary, TUnitSystem units = usMetric)
    {
        window = std::make_unique<TLineSizeWindow>(library, units, dir.File("Kelvora.json"));
        window->show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(window.get()));
    }
    void SetUp() override { Open(); }
    TPanel& P(TLineKind line) { return window->Panel(line); }
    QString Status() { return window->StatusText()->text(); }

    // The brief's plant: 10 kW R134a, te -10, tc 40, sh 7.5, sc 5; 28x1, 18x1 and
    // 12x1 tubes of 15 m, a suction riser of 3 m. Typed as a user types.
    void TypeThePlant()
    {
        TypeAndLeave(window->CapacityEd, "10");
        TypeAndLeave(window->TeEd, "-10");
        TypeAndLeave(window->TcEd, "40");
        TypeAndLeave(window->ShEd, "7.5");
        TypeAndLeave(window->ScEd, "5");
        TypeAndLeave(window->IeEd, "0.7");
        const char* od[] = {"28", "18", "12"};
        for (TLineKind line : kLines) {
            TypeAndLeave(P(line).OdEd, od[line]);
            TypeAndLeave(P(line).WallEd, "1");
            TypeAndLeave(P(line).LengthEd, "15");
            TypeAndLeave(P(line).RiseEd, line == lkSuction ? "3" : "0");
        }
    }
};

// A shown figure agrees with the calculation to the digits the field shows.
void ExpectShown(const TFmtEdit* field, double expected, const char* what)
{
    ASSERT_FALSE(field->text().isEmpty()) << what;
    const double shown = field->Value();
    // Four significant digits or the field's fixed decimals, whichever is coarser.
    const double tolerance = std::max(std::abs(expected) * 6e-4, 0.6 * std::pow(10.0, -field->Decimals()) / field->Factor());
    EXPECT_NEAR(shown, expected, tolerance) << what << " shows " << field->text().toStdString();
}

void ExpectFigures(const TPanel& p, const TLineResult& r, const std::string& line)
{
    const struct {
        const TFmtEdit* field;
        double expected;
        const char* what;
    } rows[] = {
        {p.MassFlowEd, r.state.massFlow, "mass flow"},
        {p.DensityEd, r.state.density, "density"},
        {p.VelocityEd, r.velocity, "velocity"},
        {p.ReynoldsEd, r.reynolds, "Reynolds"},
        {p.FrictionEd, r.frictionFactor, "friction factor"},
        {p.PressureDropEd, r.pressureDrop / 1000, "pressure drop"},
        {p.SaturationDropEd, r.saturationDrop, "saturation drop"},
    };
    for (const auto& row : rows)
        ExpectShown(row.field, row.expected, (line + " " + row.what).c_str());
}

bool AllEmpty(const TPanel& p)
{
    for (const TFmtEdit* f : {p.MassFlowEd, p.DensityEd, p.VelocityEd, p.ReynoldsEd, p.FrictionEd, p.PressureDropEd,
                              p.SaturationDropEd})
        if (!f->text().isEmpty())
            return false;
    return true;
}

} // namespace

TEST_F(LineSizeWindow, ShowsTheFiguresAndJudgementOfTheCalculation)
{
    ASSERT_TRUE(window->SelectRefrigerant("R134a"));
    TypeThePlant();
    TRefrigLib lib(kLibrary);
    lib.SelectByName("R134a");
    const TLineCycle cycle {10, -10, 40, 7.5, 5, 0.7};
    // The sensible tubes, then undersized ones that break rules in every line.
    const std::array<TLineTube, 3> sensible {{{28, 1, 15, 3}, {18, 1, 15, 0}, {12, 1, 15, 0}}};
    const std::array<TLineTube, 3> undersized {{{22, 1, 15, 3}, {10, 1, 15, 0}, {8, 1, 15, 0}}};
    int notMet = 0;
    for (const auto* set : {&sensible, &undersized})
        for (TLineKind line : kLines) {
            const auto& tubes = *set;
            if (set == &undersized)
                TypeAndLeave(P(line).OdEd, FormatNumber("%g", tubes[line].od).c_str());
            const TLineResult r = ComputeLine(lib, line, cycle, tubes[line]);
            ExpectFigures(P(line), r, LineKindName(line));
            EXPECT_TRUE(P(line).Computed);
            // Each rule in its words, met or not as the calculation judges it.
            const std::string judged = P(line).Judgement->text().toStdString();
            const auto says = [&](const std::string& rule, bool ok) {
                const size_t at = judged.find(rule);
                ASSERT_NE(at, std::string::npos) << rule << " in " << judged;
                const std::string verdict = judged.substr(at, judged.find("</b>", at) - at);
                EXPECT_EQ(verdict.find("not&nbsp;met") == std::string::npos, ok) << verdict;
                const size_t span = judged.rfind("<span", at);
                ASSERT_NE(span, std::string::npos) << verdict;
                EXPECT_NE(judged.substr(span, at - span).find(ok ? "#107010" : "#c00000"), std::string::npos) << verdict;
                notMet += !ok;
            };
            says("Saturation drop at most", r.judgement.dropOk);
            if (line == lkSuction)
                says("Oil return up the riser, at least 5", r.judgement.velocityMinOk);
            says(line == lkLiquid ? "Liquid hammer, at most 1.5" : "Noise, at most 20", r.judgement.velocityMaxOk);
            if (line == lkLiquid)
                says("Liquid still sub-cooled at the valve", *r.judgement.subcooled);
        }
    EXPECT_GE(notMet, 4) << "the undersized tubes break rules";
    TypeAndLeave(P(lkSuction).OdEd, "28");
    TypeAndLeave(P(lkLiquid).OdEd, "12");
    EXPECT_EQ(P(lkSuction).TubeList->currentText(), "28x1");
    EXPECT_EQ(P(lkLiquid).TubeList->currentText(), "12x1");
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LineSizeWindow, SelectPutsTheSmallestPassingTubeOfTheSeriesIn)
{
    ASSERT_TRUE(window->SelectRefrigerant("R134a"));
    TypeThePlant();
    TRefrigLib lib(kLibrary);
    lib.SelectByName("R134a");
    const TLineCycle cycle {10, -10, 40, 7.5, 5, 0.7};
    for (int series : {0, 1}) {
        window->SeriesList->setCurrentIndex(series);
        window->SeriesList->activated(series);
        for (TLineKind line : kLines) {
            const TLineTube before = window->Tube(line);
            const auto choice = SelectTube(lib, LineState(lib, line, cycle), series ? tsAcr : tsMetric,
                                           before.length, before.rise);
            ASSERT_TRUE(choice) << LineKindName(line);
            QTest::mouseClick(P(line).SelectButton, Qt::LeftButton);
            EXPECT_NEAR(window->Tube(line).od, choice->tube.od, 1e-9) << choice->tube.name;
            EXPECT_NEAR(window->Tube(line).wall, choice->tube.wall, 1e-9) << choice->tube.name;
            EXPECT_EQ(P(line).TubeList->currentText().toStdString(), choice->tube.name);
            ExpectFigures(P(line), choice->result, LineKindName(line));
            EXPECT_TRUE(Status().contains(QString::fromStdString(choice->tube.name))) << Status().toStdString();
        }
    }
    // A tube picked from the list goes into the fields; a typed size is "Other size".
    P(lkLiquid).TubeList->setCurrentIndex(0);
    P(lkLiquid).TubeList->activated(0);
    EXPECT_NEAR(window->Tube(lkLiquid).od, TubeSeries(tsAcr).front().od, 1e-9);
    TypeAndLeave(P(lkLiquid).OdEd, "13");
    EXPECT_EQ(P(lkLiquid).TubeList->currentText(), "Other size");
    EXPECT_TRUE(messages.empty());
}

TEST_F(LineSizeWindow, SwitchingUnitsKeepsTheValuesAndTheSystemIsKept)
{
    ASSERT_TRUE(window->SelectRefrigerant("R134a"));
    TypeThePlant();
    const TLineCycle cycle = window->Cycle();
    const TLineTube suction = window->Tube(lkSuction);
    const double velocity = P(lkSuction).VelocityEd->Value();
    const double drop = P(lkSuction).PressureDropEd->Value();

    window->ImperialAction->trigger();
    EXPECT_EQ(window->CapacityEd->UnitsLabel()->text(), "Btu/hr");
    EXPECT_EQ(window->TeEd->UnitsLabel()->text(), "°F");
    EXPECT_EQ(P(lkSuction).OdEd->UnitsLabel()->text(), "inch");
    EXPECT_EQ(P(lkSuction).LengthEd->UnitsLabel()->text(), "ft");
    EXPECT_EQ(P(lkSuction).VelocityEd->UnitsLabel()->text(), "fpm");
    EXPECT_EQ(P(lkSuction).PressureDropEd->UnitsLabel()->text(), "Psi");
    EXPECT_EQ(window->TeEd->text(), "14.0");
    EXPECT_EQ(P(lkSuction).OdEd->text(), "1.102");
    EXPECT_NEAR(window->Cycle().capacity, cycle.capacity, 1e-9);
    EXPECT_NEAR(window->Cycle().te, cycle.te, 1e-9);
    EXPECT_NEAR(window->Tube(lkSuction).od, suction.od, 1e-9);
    EXPECT_NEAR(window->Tube(lkSuction).length, suction.length, 1e-9);
    EXPECT_NEAR(P(lkSuction).VelocityEd->Value(), velocity, 0.003);
    EXPECT_NEAR(P(lkSuction).PressureDropEd->Value(), drop, 0.001);
    EXPECT_TRUE(P(lkSuction).Judgement->text().contains(QString::fromUtf8("984\u00a0fpm"))) << P(lkSuction).Judgement->text().toStdString();
    EXPECT_EQ(LineSizeUnits({}), usImperial) << "kept for the next start";

    // A window opened now starts imperial; back to metric shows the typed texts again.
    Open(kLibrary, LineSizeUnits({}));
    EXPECT_EQ(window->TeEd->UnitsLabel()->text(), "°F");
    window->MetricAction->trigger();
    EXPECT_EQ(window->TeEd->UnitsLabel()->text(), "°C");
    EXPECT_EQ(LineSizeUnits({}), usMetric);

    // The window's place and size are kept as well.
    window->move(120, 80);
    window->resize(1000, 660);
    window->close();
    Open();
    EXPECT_EQ(window->size(), QSize(1000, 660));
    EXPECT_TRUE(messages.empty());
}

// Each fault shows its message where the figures were, and none of the figures.
TEST_F(LineSizeWindow, ShowsErrorsPlainlyAndNoStaleFigures)
{
    // A library whose R134a lost its liquid viscosity.
    const std::string library = dir.File("lib.rdf");
    {
        std::ifstream in(kLibrary);
        std::ofstream out(library);
        std::string line, section;
        while (std::getline(in, line)) {
            if (!line.empty() && line[0] == '[')
                section = line;
            if (!(section == "[R134a]" && line.rfind("ul=", 0) == 0))
                out << line << "\n";
        }
    }
    struct TCase {
        const char* what;
        std::function<void(LineSizeWindow&)> fault;
        std::vector<TLineKind> failing;
        std::string message;
    };
    const TCase cases[] = {
        {"no viscosity data", [&](LineSizeWindow& t) { t.Open(library); t.TypeThePlant(); }, {lkSuction, lkDischarge, lkLiquid}, "No viscosity data for R134a"},
        {"a wall leaving no bore", [](LineSizeWindow& t) { TypeAndLeave(t.P(lkDischarge).WallEd, "9"); }, {lkDischarge}, "The wall leaves no bore in the tube."},
        {"a cycle that does not solve", [](LineSizeWindow& t) { TypeAndLeave(t.window->IeEd, "1"); }, {lkSuction, lkDischarge, lkLiquid}, "Not able to calculate the cycle with this data."},
    };
    for (const TCase& c : cases) {
        Open();
        ASSERT_TRUE(window->SelectRefrigerant("R134a"));
        TypeThePlant();
        for (TLineKind line : kLines)
            ASSERT_FALSE(AllEmpty(P(line))) << c.what;
        c.fault(*this);
        for (TLineKind line : kLines) {
            const bool fails = std::find(c.failing.begin(), c.failing.end(), line) != c.failing.end();
            EXPECT_EQ(AllEmpty(P(line)), fails) << c.what << ", " << LineKindName(line);
            EXPECT_EQ(P(line).Computed, !fails) << c.what;
            EXPECT_EQ(P(line).Judgement->text().contains(QString::fromStdString(c.message)), fails) << c.what;
        }
        const std::string told = c.failing.size() == 3 ? c.message : "Discharge line: " + c.message;
        EXPECT_EQ(Status().toStdString(), told) << c.what;
        // Select cannot help either, and leaves the tube.
        const TLineKind failing = c.failing.front();
        const TLineTube before = window->Tube(failing);
        if (c.failing.size() == 3) {
            QTest::mouseClick(P(failing).SelectButton, Qt::LeftButton);
            EXPECT_EQ(window->Tube(failing).od, before.od) << c.what;
            EXPECT_TRUE(AllEmpty(P(failing))) << c.what;
        }
    }
    // Set right again, the figures come back.
    TypeAndLeave(window->IeEd, "0.7");
    for (TLineKind line : kLines)
        EXPECT_FALSE(AllEmpty(P(line)));
    EXPECT_EQ(Status(), "");
    EXPECT_TRUE(messages.empty()) << messages.front();
}

// R32 is fitted up to 50 °C: condensing at 60 °C the figures are shown, with the warning.
TEST_F(LineSizeWindow, WarnsOfAPlantBeyondTheRefrigerantsDataRange)
{
    ASSERT_TRUE(window->SelectRefrigerant("R32"));
    TypeThePlant();
    EXPECT_EQ(Status(), "");
    TypeAndLeave(window->TcEd, "60");
    for (TLineKind line : kLines)
        EXPECT_FALSE(AllEmpty(P(line))) << LineKindName(line);
    EXPECT_EQ(Status().toStdString(), "Warning: outside the data range of R32 (\u221245\u202650 \u00B0C)");
    TypeAndLeave(P(lkDischarge).WallEd, "9");
    EXPECT_EQ(Status().toStdString(), "Discharge line: The wall leaves no bore in the tube.  "
                                      "Warning: outside the data range of R32 (\u221245\u202650 \u00B0C)");
    TypeAndLeave(window->TcEd, "45");
    EXPECT_EQ(Status().toStdString(), "Discharge line: The wall leaves no bore in the tube.");
}

TEST_F(LineSizeWindow, TakesTheConditionsOfTheProjectKelvoraUsedLast)
{
    // Nothing to take: no settings document, then one whose last project is gone.
    const TLineCycle before = window->Cycle();
    EXPECT_FALSE(window->UseKelvoraConditions());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("no saved project"), std::string::npos) << messages[0];
    TJsonDoc settings = JsonNew();
    AddRecentFile(settings, dir.File("gone.rdf"));
    JsonSaveFile(settings, dir.File("Kelvora.json"));
    EXPECT_FALSE(window->UseKelvoraConditions());
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_NE(messages[1].find("gone.rdf, the last one Kelvora used, is no longer there"), std::string::npos);
    EXPECT_EQ(window->Cycle().capacity, before.capacity);
    EXPECT_EQ(window->Cycle().te, before.te);

    // A project that is no project is told, and changes nothing.
    AddRecentFile(settings, dir.Write("notes.rdf", "{\"some\": \"other program\"}"));
    JsonSaveFile(settings, dir.File("Kelvora.json"));
    EXPECT_FALSE(window->UseKelvoraConditions());
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[2].find("notes.rdf cannot be read"), std::string::npos) << messages[2];
    EXPECT_EQ(window->RefrigerantList->currentText(), "R134a");

    // The newest of the recent files: an R404A plant, 12 kW, -25 / 45 °C.
    TRefrigLib lib(kLibrary);
    const std::string project = dir.File("cold room.rdf");
    {
        TKelvora k(lib);
        k.SetDefaults();
        lib.SelectByName("R404A");
        k.DutyBasis = dbCoolingLoad;
        k.qe = 12;
        k.SST = k.te = -25;
        k.SDT = k.tc = 45;
        k.sh = 6;
        k.sc = 4;
        k.Ie = 0.65;
        k.SaveToFile(project);
    }
    AddRecentFile(settings, project);
    JsonSaveFile(settings, dir.File("Kelvora.json"));
    QTest::mouseClick(window->UseKelvoraButton, Qt::LeftButton);
    ASSERT_EQ(messages.size(), 3u) << messages.back();
    EXPECT_EQ(window->RefrigerantList->currentText(), "R404A");
    EXPECT_EQ(window->Lib().GetName(), "R404A");
    const TLineCycle c = window->Cycle();
    EXPECT_NEAR(c.capacity, 12, 1e-9);
    EXPECT_NEAR(c.te, -25, 1e-9);
    EXPECT_NEAR(c.tc, 45, 1e-9);
    EXPECT_NEAR(c.sh, 6, 1e-9);
    EXPECT_NEAR(c.sc, 4, 1e-9);
    EXPECT_NEAR(c.ie, 0.65, 1e-9);
    EXPECT_TRUE(Status().contains("cold room.rdf")) << Status().toStdString();
    lib.SelectByName("R404A");
    for (TLineKind line : kLines)
        ExpectFigures(P(line), ComputeLine(lib, line, c, window->Tube(line)), LineKindName(line));
}

TEST_F(LineSizeWindow, KeyboardReachesEveryInputAndTheHelpStatesTheRules)
{
    // Tab runs through the inputs in reading order and skips the results.
    window->RefrigerantList->setFocus(Qt::TabFocusReason);
    QApplication::setActiveWindow(window.get());
    std::vector<QWidget*> order;
    for (int i = 0; i < 40 && !(i > 0 && QApplication::focusWidget() == window->RefrigerantList); ++i) {
        order.push_back(QApplication::focusWidget());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    const std::vector<QWidget*> expected = {
        window->RefrigerantList, window->CapacityEd, window->IeEd, window->SeriesList, window->TeEd, window->TcEd,
        window->ShEd, window->ScEd, window->UseKelvoraButton,
        P(lkSuction).TubeList, P(lkSuction).OdEd, P(lkSuction).WallEd, P(lkSuction).LengthEd, P(lkSuction).RiseEd,
        P(lkSuction).SelectButton,
        P(lkDischarge).TubeList, P(lkDischarge).OdEd, P(lkDischarge).WallEd, P(lkDischarge).LengthEd,
        P(lkDischarge).RiseEd, P(lkDischarge).SelectButton,
        P(lkLiquid).TubeList, P(lkLiquid).OdEd, P(lkLiquid).WallEd, P(lkLiquid).LengthEd, P(lkLiquid).RiseEd,
        P(lkLiquid).SelectButton};
    EXPECT_EQ(order, expected);

    window->HelpAction->trigger();
    ASSERT_EQ(messages.size(), 1u);
    for (const char* rule : {"at most 1 K", "at most 0.5 K", "at least 5 m/s up a riser", "at least 2.5 m/s",
                             "at least 7.5 m/s", "at most 20 m/s", "at most 1.5 m/s", "still sub-cooled"})
        EXPECT_NE(messages[0].find(rule), std::string::npos) << rule;
}

// The Tools menu starts the program again while it runs: the second start hands
// over to the running window, which comes to the front, and ends.
TEST(LineSizeHandOver, ASecondStartEndsAndRaisesTheRunningWindow)
{
    TTempFolder runtime;
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
    TLineSizeWindow first(kLibrary, usMetric, runtime.File("Kelvora.json"));
    first.show();
    int handedOver = 0;
    auto* listener = new TCompanionListener(first, [&](const std::string& text) {
        EXPECT_EQ(text, "");
        ++handedOver;
    });
    ASSERT_TRUE(listener->Listen(CompanionServerName("linesize")));

    QProcess second;
    second.start(LINESIZE, {"--library", QString::fromStdString(kLibrary)});
    ASSERT_TRUE(second.waitForStarted(5000));
    QElapsedTimer timer;
    timer.start();
    while (second.state() != QProcess::NotRunning && timer.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        second.waitForFinished(20);
    }
    if (second.state() != QProcess::NotRunning) {
        second.kill();
        second.waitForFinished(5000);
        FAIL() << "the second start opened a window of its own";
    }
    EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
    QTest::qWait(50);
    EXPECT_EQ(handedOver, 1);
}
