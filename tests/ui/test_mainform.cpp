// The main window's design, its first activation and the linking of the fields.
#include "tests/ui/uitest.h"

#include <fstream>

#include <QAction>
#include <QCheckBox>
#include <QFontMetrics>
#include <QImage>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include "ui/aboutbox.h"
#include "widgets/clicklabel.h"
#include "core/numtext.h"
#include "ui/pathlabel.h"

namespace {

// "Default.rdf" solved with the built-in R22 record.
constexpr double kDefaultHP = 1735.966;

} // namespace

TEST_F(MainWindowTest, DesignBeforeTheFirstActivation)
{
    TMainForm window(lib, vars, settings);
    EXPECT_EQ(window.windowTitle(), "Kelvora 1.2.0.0");
    EXPECT_EQ(window.Panel1->size(), QSize(616, 404));
    EXPECT_EQ(window.statusBar()->height(), 19);
    EXPECT_EQ(window.StatusText(), "Kelvora Status");
    EXPECT_EQ(window.FileStatusText(), "File name...");
    EXPECT_FALSE(window.Solved());
    EXPECT_EQ(window.RefLabel->text(), "rnum");
    EXPECT_EQ(window.COPLabel->text(), "1.00");
    EXPECT_EQ(window.x4Label->text(), "0.00");
    EXPECT_TRUE(window.cbcond->isChecked());
    EXPECT_TRUE(window.cbevap->isChecked());
    EXPECT_EQ(window.cbcond->text(), "link SDT");
    EXPECT_EQ(window.cbevap->text(), "Link SST");

    struct Row {
        const char* name;
        QPoint at;
        const char* caption;
        const char* text;
        const char* units;
        bool readOnly;
    };
    const Row rows[] = {
        {"scEdit", {80, 56}, "Sub-cooling", "5.0", "°C", false},
        {"dtCondEdit", {235, 25}, "dt,fluid", "10.0", "°C", false},
        {"itdCondEdit", {235, 50}, "Cond ITD", "20.0", "°C", false},
        {"tcEdit", {241, 86}, "Cond Temp", "45.0", "°C", false},
        {"qcEdit", {245, 139}, "Heat Rejection", "10.000", "kW", false},
        {"qeEdit", {239, 260}, "Cooling Load", "10.000", "kW", false},
        {"teEdit", {240, 294}, "Evap Temp", "5.0", "°C", false},
        {"dtEvapEdit", {220, 349}, "dt,fluid", "10.0", "°C", false},
        {"itdEvapEdit", {220, 373}, "Evap ITD", "18.0", "°C", false},
        {"pwEdit", {311, 173}, "Compressor Power", "10.000", "kW", false},
        {"IeEdit", {311, 198}, "Isentropic Efficiency", "0.720", "ratio", false},
        {"HPEdit", {512, 138}, "HP, abs", "1800.0", "kPa", false},
        {"SDTEdit", {512, 164}, "SDT, bub", "45.0", "°C", false},
        {"LPEdit", {489, 226}, "LP, abs", "450.00", "kPa", false},
        {"SSTEdit", {489, 252}, "SST, dew", "5.0", "°C", false},
        {"mrEdit", {60, 231}, "Flow", "1.0000", "kg/s", true},
        {"shEdit", {395, 342}, "Superheat", "7.5", "°C", false},
        {"tdEdit", {512, 89}, "Discharge", "90.0", "°C", true},
        {"tlEdit", {81, 83}, "Liquid", "40.0", "°C", true},
        {"tsEdit", {395, 365}, "Suction", "12.5", "°C", true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* field = window.findChild<TFmtEdit*>(row.name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->geometry(), QRect(row.at, QSize(52, 21)));
        EXPECT_EQ(field->text(), row.text);
        EXPECT_EQ(field->isReadOnly(), row.readOnly);
        // Results do not look like the fields one types into.
        const QPalette& look = field->palette();
        EXPECT_EQ(look.color(QPalette::Base) == look.color(QPalette::Window), row.readOnly);
        EXPECT_EQ(field->cursor().shape(), row.readOnly ? Qt::ArrowCursor : Qt::IBeamCursor);
        ASSERT_NE(field->UnitsLabel(), nullptr);
        EXPECT_EQ(field->UnitsLabel()->text(), QString::fromUtf8(row.units));
        EXPECT_EQ(field->UnitsLabel()->x(), row.at.x() + 55);
        const auto* caption = window.findChild<QLabel*>(QString(row.name) + "Caption");
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->text(), QString::fromUtf8(row.caption));
        EXPECT_EQ(caption->geometry().right(), row.at.x() - 5) << "right-aligned just left of the field";
        EXPECT_TRUE(caption->alignment() & Qt::AlignRight);
    }
}

TEST_F(MainWindowTest, TabOrderRunsThroughTheFieldsWithTheLinkBoxes)
{
    Open();
    const char* const order[] = {"scEdit", "dtCondEdit", "itdCondEdit", "tcEdit", "cbcond", "qcEdit",
                                 "qeEdit", "teEdit", "cbevap", "dtEvapEdit", "itdEvapEdit", "pwEdit",
                                 "IeEdit", "HPEdit", "SDTEdit", "LPEdit", "SSTEdit", "mrEdit",
                                 "shEdit", "tdEdit", "tlEdit", "tsEdit"};
    QWidget* focused = form->findChild<QWidget*>(order[0]);
    focused->setFocus(Qt::TabFocusReason);
    for (const char* name : order) {
        ASSERT_EQ(QApplication::focusWidget()->objectName(), name);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
}

TEST_F(MainWindowTest, MenusInOrderWithAccessKeysAndShortcuts)
{
    TMainForm window(lib, vars, settings);
    QStringList seen;
    for (QAction* top : window.menuBar()->actions()) {
        const QString shortcut = top->shortcut().toString(QKeySequence::PortableText);
        seen << top->text() + (shortcut.isEmpty() ? "" : " " + shortcut);
        if (!top->menu())
            continue;
        for (QAction* item : top->menu()->actions()) {
            if (!item->isVisible())
                continue; // the recent files, none yet
            const QString keys = item->shortcut().toString(QKeySequence::PortableText);
            seen << "  " + (item->isSeparator() ? "-" : item->text()) + (keys.isEmpty() ? "" : " " + keys);
        }
    }
    const QStringList expected = {
        "&File",
        "  &Open... Ctrl+O",
        "  &Load",
        "  &Save Ctrl+S",
        "  Save &As...",
        "  -",
        "  &Reset...",
        "  -",
        "  &Exit",
        "&Edit",
        "  Simple Measurement",
        "  Fault finding chart",
        "  -",
        "  &Copy to Clipboard Ctrl+C",
        "  Paste from Clipboard Ctrl+V",
        "&View",
        "  &Report",
        "  &Diagnosis",
        "&Solve F9",
        "&Tools",
        "  Refrigerant &Mollier Chart",
        "  &Line Size Calculator",
        "  Capillary &Tube Size",
        "  Tx &Valve Selector",
        "  &Compressor Selector",
        "  &Evaporator Coil Designer",
        "  Con&denser Coil Designer",
        "  Refrigeration Cycle Simulation",
        "&Help",
        "  &Index F1",
        "  &Web site",
        "  -",
        "  &About",
    };
    EXPECT_EQ(seen, expected);

    // The windows of these commands come with their own modules.
    for (QAction* later : {window.SimpleMeasurement1, window.Faultfindingchart1, window.txValve1,
                           window.CompressorSelector1})
        EXPECT_FALSE(later->isEnabled()) << later->text().toStdString();
    EXPECT_TRUE(window.Diagnosis1->isEnabled());
    EXPECT_TRUE(window.Report1->isEnabled()) << "the window's own command";
}

TEST(ElidePath, KeepsTheFileNameAndShortensTheFolder)
{
    const QFontMetrics metrics(QApplication::font());
    const QString path = "/home/technician/Documents/Customers/North Street Cold Store/plant room two.rdf";
    EXPECT_EQ(ElidePath(path, metrics, metrics.horizontalAdvance(path)), path) << "what fits stays";
    for (const int width : {300, 200}) {
        SCOPED_TRACE(width);
        const QString shown = ElidePath(path, metrics, width);
        EXPECT_LE(metrics.horizontalAdvance(shown), width);
        EXPECT_TRUE(shown.endsWith("/plant room two.rdf")) << shown.toStdString();
        EXPECT_TRUE(shown.startsWith("/h")) << shown.toStdString();
        EXPECT_TRUE(shown.contains(QChar(0x2026)));
    }
    const int tight = metrics.horizontalAdvance(QString::fromUtf8("/…/plant room two.rdf"));
    EXPECT_TRUE(ElidePath(path, metrics, tight).endsWith("/plant room two.rdf"));
    EXPECT_LE(metrics.horizontalAdvance(ElidePath(path, metrics, tight)), tight);
    // A name too long for the room on its own loses its middle, never its end.
    const QString narrow = ElidePath(path, metrics, 60);
    EXPECT_LE(metrics.horizontalAdvance(narrow), 60);
    EXPECT_TRUE(narrow.endsWith("rdf")) << narrow.toStdString();
}

TEST_F(MainWindowTest, StatusBarShowsTheFileNameAndTheWholeWarning)
{
    const std::string deep = dir.File("Customers/North Street Cold Store Limited/Machine room two/Projects");
    std::filesystem::create_directories(deep);
    std::filesystem::copy_file(dir.File("Projects/Default.rdf"), deep + "/Default.rdf");
    vars.projects_path = deep;
    Open();
    const int width = form->width();
    const QString path = QString::fromStdString(deep + "/Default.rdf");
    auto* file = form->findChild<QLabel*>("StatusPanel2");
    auto* status = form->findChild<QLabel*>("StatusPanel1");
    ASSERT_TRUE(file && status);
    QCoreApplication::processEvents();
    EXPECT_EQ(form->FileStatusText(), path);
    EXPECT_EQ(file->toolTip(), path);
    EXPECT_TRUE(file->text().endsWith("/Default.rdf")) << file->text().toStdString();
    EXPECT_TRUE(file->text().contains(QChar(0x2026))) << file->text().toStdString();
    EXPECT_LE(file->fontMetrics().horizontalAdvance(file->text()), file->contentsRect().width());
    EXPECT_GE(status->width(), 300);

    // A warning is read whole; the window keeps its size and the file name stays.
    TypeAndLeave(Field("IeEdit"), "1");
    form->Solve1->trigger();
    QCoreApplication::processEvents();
    ASSERT_EQ(form->StatusText(), "Warning: Not able to calculate result with this data...");
    EXPECT_GE(status->contentsRect().width(), status->fontMetrics().horizontalAdvance(form->StatusText()));
    EXPECT_EQ(form->width(), width);
    EXPECT_TRUE(file->text().endsWith("/Default.rdf")) << file->text().toStdString();
    EXPECT_LE(file->fontMetrics().horizontalAdvance(file->text()), file->contentsRect().width());
}

TEST_F(MainWindowTest, FirstActivationLoadsAndSolvesTheStartUpProject)
{
    settings["MainForm"] = {{"Left", 200}, {"Top", 150}, {"Width", 688}, {"Height", 563}};
    TAboutBox about;
    QImage picture(616, 404, QImage::Format_ARGB32);
    picture.fill(Qt::white);
    ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("Images/cycle.png"))));

    form = std::make_unique<TMainForm>(lib, vars, settings);
    form->SetAboutBox(&about);
    Open();

    EXPECT_EQ(form->ProjectFile(), dir.File("Projects/Default.rdf"));
    EXPECT_EQ(form->FileStatusText().toStdString(), dir.File("Projects/Default.rdf"));
    EXPECT_EQ(form->StatusText(), "Solved...");
    EXPECT_TRUE(form->Solved());
    EXPECT_EQ(form->RefLabel->text(), "R22");
    EXPECT_EQ(Field("HPEdit")->text(), "1736.0"); // 1735.97 kPa with five significant digits
    EXPECT_NEAR(form->Cycle().HP, kDefaultHP, 0.001);
    EXPECT_EQ(Field("SDTEdit")->text(), "45.0");
    EXPECT_EQ(form->COPLabel->text(), "4.15");
    EXPECT_EQ(form->x4Label->text(), "0.22");
    EXPECT_EQ(form->frameGeometry().topLeft(), QPoint(200, 150));
    EXPECT_EQ(about.ProductName->text(), "Kelvora");
    EXPECT_EQ(about.Version->text(), "Version: 1.2.0.0");
    EXPECT_EQ(form->Image1->geometry(), QRect(0, 0, 616, 404));
    EXPECT_TRUE(messages.empty());

    // Later activations leave everything alone.
    TypeAndLeave(Field("shEdit"), "9");
    form->FormActivate();
    EXPECT_EQ(Field("shEdit")->text(), "9.0");
}

TEST_F(MainWindowTest, AWindowNeverActivatedStillLoadsTheStartUpProject)
{
    // As under a window manager that never gives the new window the focus.
    struct TNoActivation : QObject {
        bool eventFilter(QObject*, QEvent* e) override { return e->type() == QEvent::WindowActivate; }
    } noActivation;
    form = std::make_unique<TMainForm>(lib, vars, settings);
    form->installEventFilter(&noActivation);
    form->show();
    ASSERT_TRUE(QTest::qWaitFor([this] { return !form->ProjectFile().empty(); }));
    EXPECT_EQ(form->StatusText(), "Solved...");
    EXPECT_EQ(form->COPLabel->text(), "4.15");
}

TEST_F(MainWindowTest, StartUpProjectMissingOrInvalidKeepsTheDesignTexts)
{
    for (const bool missing : {true, false}) {
        SCOPED_TRACE(missing ? "missing" : "invalid");
        messages.clear();
        form.reset();
        if (missing)
            std::filesystem::remove(dir.File("Projects/Default.rdf"));
        else
            dir.Write("Projects/Default.rdf", "{\"app\": \"SomethingElse\"}");
        Open();
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_NE(messages[0].find(dir.File("Projects/Default.rdf")), std::string::npos) << messages[0];
        if (!missing) {
            EXPECT_EQ(messages[0], "Invalid Json data file (" + dir.File("Projects/Default.rdf") + ")!");
        }
        EXPECT_EQ(Field("HPEdit")->text(), "1800.0");
        EXPECT_EQ(form->RefLabel->text(), "rnum");
        EXPECT_EQ(form->StatusText(), "Kelvora Status");
        EXPECT_FALSE(form->Solved());
        form->FormActivate(); // counted as done: no second message
        EXPECT_EQ(messages.size(), 1u);
    }
}

TEST_F(MainWindowTest, LeavingAChangedFieldLinksItsSideOfTheCycle)
{
    Open();
    const auto bubbleT = [&](double kPa) { return lib.BubbleT(kPa * 1000); };
    const auto bubbleP = [&](double t) { return lib.BubbleP(t) / 1000; };
    const auto dewT = [&](double kPa) { return lib.DewT(kPa * 1000); };
    const auto dewP = [&](double t) { return lib.DewP(t) / 1000; };
    const double hp = kDefaultHP;
    const double lp = dewP(5);

    // A field reads back the number it shows, so each linked value carries the
    // rounding of the field it came from: half a unit of the shown digits.
    struct Case {
        const char* field;
        const char* typed;
        bool linked;
        std::vector<std::pair<const char*, double>> expected;
    };
    constexpr double kShownDigits = 0.051;
    const Case cases[] = {
        {"HPEdit", "1600", true, {{"SDTEdit", bubbleT(1600)}, {"tcEdit", bubbleT(1600)}, {"tlEdit", bubbleT(1600) - 5}}},
        {"HPEdit", "1600", false, {{"SDTEdit", bubbleT(1600)}, {"tcEdit", 45}, {"tlEdit", 40}}},
        {"SDTEdit", "40", true, {{"HPEdit", bubbleP(40)}, {"tcEdit", 40}, {"tlEdit", 35}}},
        {"SDTEdit", "40", false, {{"HPEdit", bubbleP(40)}, {"tcEdit", 45}, {"tlEdit", 40}}},
        {"tcEdit", "50", true, {{"tlEdit", 45}, {"SDTEdit", 50}, {"HPEdit", bubbleP(50)}}},
        {"tcEdit", "50", false, {{"tlEdit", 45}, {"SDTEdit", 45}, {"HPEdit", hp}}},
        {"scEdit", "8", true, {{"tlEdit", 37}, {"tcEdit", 45}}},
        {"LPEdit", "500", true, {{"SSTEdit", dewT(500)}, {"teEdit", dewT(500)}, {"tsEdit", dewT(500) + 7.5}}},
        {"LPEdit", "500", false, {{"SSTEdit", dewT(500)}, {"teEdit", 5}, {"tsEdit", 12.5}}},
        {"SSTEdit", "0", true, {{"LPEdit", dewP(0)}, {"teEdit", 0}, {"tsEdit", 7.5}}},
        {"teEdit", "-5", true, {{"tsEdit", 2.5}, {"SSTEdit", -5}, {"LPEdit", dewP(-5)}}},
        {"teEdit", "-5", false, {{"tsEdit", 2.5}, {"SSTEdit", 5}, {"LPEdit", lp}}},
        {"shEdit", "10", true, {{"tsEdit", 15}, {"teEdit", 5}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.typed + (c.linked ? " linked" : " unlinked"));
        form->Load1Click();
        ASSERT_EQ(form->StatusText(), "Solved...");
        form->cbcond->setChecked(c.linked);
        form->cbevap->setChecked(c.linked);
        TypeAndLeave(Field(c.field), c.typed);
        for (const auto& [name, value] : c.expected)
            EXPECT_NEAR(Field(name)->Value(), value, kShownDigits) << name;
        EXPECT_EQ(form->StatusText(), "Not solved...");
        EXPECT_FALSE(form->Solved());
    }
}

TEST_F(MainWindowTest, SaturationFiguresOfTheBuiltInR22)
{
    Open();
    EXPECT_NEAR(lib.BubbleP(45) / 1000, 1735.97, 0.005);
    TypeAndLeave(Field("SDTEdit"), "42");
    TypeAndLeave(Field("SDTEdit"), "45");
    EXPECT_EQ(Field("HPEdit")->text(), "1736.0");
    TypeAndLeave(Field("HPEdit"), "1735.97");
    EXPECT_EQ(Field("SDTEdit")->text(), "45.0");
}

TEST_F(MainWindowTest, TabbingThroughAnUntouchedFieldLinksNothing)
{
    Open();
    ASSERT_TRUE(form->Solved());
    Field("tlEdit")->SetValue(99); // a link from HPEdit would put 40.0 back
    Enter(Field("HPEdit"));
    QTest::keyClick(Field("HPEdit"), Qt::Key_Tab);
    EXPECT_EQ(Field("tlEdit")->text(), "99.0");
    EXPECT_EQ(form->StatusText(), "Solved...");
    EXPECT_TRUE(form->Solved());
}

TEST_F(MainWindowTest, F9InAChangedFieldLinksItFirstThenSolves)
{
    Open();
    Enter(Field("SDTEdit"));
    QTest::keyClicks(Field("SDTEdit"), "40");
    QTest::keyClick(Field("SDTEdit"), Qt::Key_F9);
    EXPECT_TRUE(Field("SDTEdit")->hasFocus());
    EXPECT_FALSE(Field("SDTEdit")->Modified());
    EXPECT_EQ(form->StatusText(), "Solved...");
    // The link set tc to 40 before the fields were read.
    EXPECT_DOUBLE_EQ(form->Cycle().tc, 40);
    EXPECT_EQ(Field("tcEdit")->text(), "40.0");
    EXPECT_EQ(Field("tlEdit")->text(), "35.0");
    EXPECT_NEAR(form->Cycle().HP, lib.BubbleP(40) / 1000, 1e-9);
    EXPECT_NE(form->COPLabel->text(), "4.15");
}

TEST_F(MainWindowTest, DutyFieldsChooseTheDutyBasis)
{
    Open();
    const std::pair<const char*, int> cases[] = {{"pwEdit", dbCompressorPower}, {"qcEdit", dbHeatRejection}, {"qeEdit", dbCoolingLoad}};
    for (const auto& [name, basis] : cases) {
        TypeAndLeave(Field(name), "20");
        EXPECT_EQ(form->Cycle().DutyBasis, basis) << name;
    }
    TypeAndLeave(Field("pwEdit"), "20");
    form->Solve1->trigger();
    EXPECT_NEAR(form->Cycle().pw, 20, 1e-9);
    EXPECT_NEAR(form->Cycle().mr, 20 / form->Cycle().dhComp, 1e-9);
    EXPECT_GT(Field("qeEdit")->Value(), 20);
}

TEST_F(MainWindowTest, EnterAndDownMoveToTheNextFieldUpToThePrevious)
{
    Open();
    Enter(Field("scEdit"));
    QTest::keyClick(Field("scEdit"), Qt::Key_Return);
    EXPECT_TRUE(Field("dtCondEdit")->hasFocus());
    QTest::keyClick(Field("dtCondEdit"), Qt::Key_Down);
    EXPECT_TRUE(Field("itdCondEdit")->hasFocus());
    QTest::keyClick(Field("itdCondEdit"), Qt::Key_Up);
    EXPECT_TRUE(Field("dtCondEdit")->hasFocus());

    // Leaving by Enter is leaving: the link runs.
    Enter(Field("scEdit"));
    QTest::keyClicks(Field("scEdit"), "8");
    QTest::keyClick(Field("scEdit"), Qt::Key_Enter);
    EXPECT_EQ(Field("tlEdit")->text(), "37.0");

    // A check box is no text field: Enter passes to it, and it ignores it.
    form->cbcond->setFocus(Qt::TabFocusReason);
    QTest::keyClick(form->cbcond, Qt::Key_Return);
    EXPECT_TRUE(form->cbcond->hasFocus());
}

TEST_F(MainWindowTest, ASolveOutsideTheDataRangeAddsTheNoteToTheStatus)
{
    Open();
    form->cbcond->setChecked(true);
    TypeAndLeave(Field("tcEdit"), "65");
    QTest::keyClick(Field("tcEdit"), Qt::Key_F9);
    EXPECT_EQ(form->StatusText(), "Solved... \u2014 outside the data range of R22 (\u221260\u202660 \u00B0C)");
    EXPECT_TRUE(form->Solved());
    TypeAndLeave(Field("tcEdit"), "45");
    QTest::keyClick(Field("tcEdit"), Qt::Key_F9);
    EXPECT_EQ(form->StatusText(), "Solved...");
}
