// The compressor selector: its design, the stored settings, the file and
// compressor clicks with the pick by capacity, the field exits and unit links,
// the refrigerant changes, the results, the keys and the deactivation.
#include "tests/tools/compform/compformtest.h"

#include <functional>

#include <QLabel>
#include <QStatusBar>
#include <QTimer>
#include <QToolButton>

#include "widgets/clicklabel.h"
#include "units/fmteditlabel.h"
#include "core/numtext.h"
#include "units/unitsform.h"

namespace {

// Runs `pick` on the units list once a units label click has opened it, then
// closes the list with Enter.
void WhenUnitsListOpens(int row)
{
    QTimer::singleShot(0, [row] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* list = qobject_cast<TUnitsForm*>(w); list && list->isVisible()) {
                list->ListBox1->setCurrentRow(row);
                QTest::keyClick(list->ListBox1, Qt::Key_Return);
                if (list->isVisible()) {
                    ADD_FAILURE() << "units list still open";
                    list->accept();
                }
                return;
            }
        ADD_FAILURE() << "no units list";
    });
}

double StoredFloat(const char* section, const char* name)
{
    return TSettingsStore(ProgramRegistryKey()).ReadFloat(section, name, -999);
}

int StoredUnits(const char* name)
{
    return TSettingsStore(kCommonRegistryKey).ReadInteger("Compressor", name, -1);
}

} // namespace

TEST_F(CompFormTest, DesignWithAnEmptyDataFolder)
{
    TCompForm& f = Make();
    EXPECT_EQ(f.objectName(), "CompForm");
    EXPECT_EQ(f.windowTitle(), "Select Compressor");
    EXPECT_EQ(f.minimumSize(), QSize(400, 350));
    EXPECT_EQ(f.ToolButton1->text(), "Accept");
    EXPECT_EQ(f.ToolButton2->text(), "Cancel");
    EXPECT_EQ(f.RefrigLabel->text(), "R22");
    EXPECT_TRUE(f.RefrigLabel->font().bold());
    EXPECT_TRUE(f.RefrigLabel->font().underline());
    EXPECT_EQ(f.RefrigLabel->cursor().shape(), Qt::PointingHandCursor);
    EXPECT_EQ(f.Image1->pixmap().deviceIndependentSize(), QSizeF(13, 13));
    EXPECT_EQ(f.Image2->pixmap().deviceIndependentSize(), QSizeF(13, 13));
    EXPECT_EQ(f.SelBtn->toolTip(), "Find compressor with this capacity");
    EXPECT_EQ(f.StatusText(), "Select compressor and press accept");
    EXPECT_EQ(f.FolderDialog1.Title, "Select compressor library folder");
    EXPECT_TRUE(f.DataMemo->isReadOnly());
    EXPECT_EQ(f.FileNames->count(), 0);
    EXPECT_EQ(f.CompNames->count(), 0);
    EXPECT_EQ(f.Te(), 5.0);
    EXPECT_EQ(f.Tc(), 48.0);

    struct Row {
        TFmtEdit* field;
        const char* text;
        QLabel* unitsLabel;
        const char* units;
        double lo, hi;
        TFormatType type;
    };
    const Row rows[] = {
        {f.DutyFactorEdit, "1.000", nullptr, "", 0.1, 10, ft_Manual},
        {f.EdEvapTemp, "5.0", f.TeLabel, "°C", -40, 30, ft_Fixed},
        {f.EdCondTemp, "48.0", f.TcLabel, "°C", 20, 90, ft_Fixed},
        {f.EdQe, "0.000", f.QeLabel, "kW", 0, 0, ft_Fixed},
        {f.EdQc, "0.000", f.QcLabel, "kW", 0, 0, ft_Fixed},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.field->objectName().toStdString());
        EXPECT_EQ(r.field->text(), r.text);
        EXPECT_EQ(r.field->UnitsLabel(), r.unitsLabel);
        if (r.unitsLabel) {
            EXPECT_EQ(r.unitsLabel->text(), QString::fromUtf8(r.units));
        }
        EXPECT_EQ(r.field->RangeLo(), r.lo);
        EXPECT_EQ(r.field->RangeHi(), r.hi);
        EXPECT_EQ(r.field->FormatType(), r.type);
        EXPECT_EQ(r.field->SigDigs(), 5);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, CreationSelectsTheFirstFileAndItsSmallestCompressor)
{
    const std::string rising = WriteRising();
    WriteR2();
    TCompForm& f = Make();
    EXPECT_EQ(Entries(f.FileNames), QStringList {"A-R22.cmp"});
    EXPECT_EQ(Current(f.FileNames), "A-R22.cmp");
    EXPECT_EQ(Entries(f.CompNames), (QStringList {"A5", "A10", "A20"}));
    EXPECT_EQ(Current(f.CompNames), "A5");
    EXPECT_EQ(comp.FileName(), rising);
    EXPECT_EQ(comp.CompName(), "A5");
    EXPECT_EQ(f.EdQe->text(), "5.000");
    EXPECT_EQ(f.EdQc->text(), QString::fromStdString(FormatNumber("%0.3f", 5 + kRejectedPower)));
    EXPECT_EQ(f.StatusText(), "Select compressor...");
    const QStringList memo = MemoLines();
    ASSERT_EQ(memo.size(), 10);
    EXPECT_EQ(memo[0], "[A5]");
    EXPECT_EQ(memo[2], "Refrigerant = R22");
    EXPECT_EQ(memo[4], "Ref Superheat = 7.5 °C");
    EXPECT_EQ(memo[8], "qcf = 1.0000");

    // The first activation finds the window in step with the model.
    Open();
    EXPECT_TRUE(f.isVisible());
    EXPECT_EQ(Current(f.CompNames), "A5");
    EXPECT_TRUE(questions.empty());
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, StoredConditionsOutsideTheirBandsAreReplaced)
{
    struct Case {
        double storedTe, storedTc, te, tc;
    };
    const Case cases[] = {
        {25, 30, 5.5, 47.5},
        {20, 35, 20, 35},
        {-60, 90, -60, 90},
        {-60.5, 90.5, 5.5, 47.5},
        {-10, 55, -10, 55},
        {20.01, 34.99, 5.5, 47.5},
    };
    const TSettingsStore program(ProgramRegistryKey());
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.storedTe) + " " + std::to_string(c.storedTc));
        program.WriteFloat("Settings", "CompressorTe", c.storedTe);
        program.WriteFloat("Settings", "CompressorTc", c.storedTc);
        TCompForm& f = Make();
        EXPECT_EQ(f.Te(), c.te);
        EXPECT_EQ(f.Tc(), c.tc);
        EXPECT_EQ(f.EdEvapTemp->Value(), c.te);
        EXPECT_EQ(f.EdCondTemp->Value(), c.tc);
    }
}

TEST_F(CompFormTest, FileClickPicksTheSmallestCompressorThatCoversTheCapacity)
{
    WriteFiles();
    TCompForm& f = Open();
    Click(f.FileNames, "A-R22.cmp");
    TypeAndLeave(f.EdQe, "9");
    // Falling list: scanned back from the last.
    Click(f.FileNames, "B-R22.cmp");
    EXPECT_EQ(Current(f.CompNames), "B12");
    EXPECT_EQ(comp.CompName(), "B12");
    EXPECT_EQ(f.EdQe->text(), "12.000");
    EXPECT_EQ(f.EdQc->text(), QString::fromStdString(FormatNumber("%0.3f", 12 + kRejectedPower)));
    EXPECT_EQ(MemoLines().value(0), "[B12]");
    EXPECT_EQ(f.StatusText(), "Select compressor...");
    // Rising list: the first that covers 12 kW.
    Click(f.FileNames, "A-R22.cmp");
    EXPECT_EQ(Current(f.CompNames), "A20");

    // None large enough: the position selected before, kept within the new list.
    Click(f.FileNames, "B-R22.cmp");
    Click(f.CompNames, "B6");
    TypeAndLeave(f.EdQe, "100");
    Click(f.FileNames, "A-R22.cmp");
    EXPECT_EQ(Current(f.CompNames), "A20");
    TypeAndLeave(f.EdQe, "100");
    // The table compressor lies in a subfolder of the data folder.
    Click(f.FileNames, "D-R22.cmp");
    EXPECT_EQ(comp.FileName(), data + "more/D-R22.cmp");
    EXPECT_EQ(Entries(f.CompNames), QStringList {"D1"});
    EXPECT_EQ(Current(f.CompNames), "D1");
    EXPECT_EQ(comp.CompName(), "D1");
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, FindButtonSelectsByCapacityOrLeavesEverything)
{
    WriteRising();
    TCompForm& f = Open();
    Click(f.CompNames, "A10");
    const QString memo = f.DataMemo->toPlainText();
    const QString rejected = f.EdQc->text();
    TypeAndLeave(f.EdQe, "50");
    QTest::mouseClick(f.SelBtn, Qt::LeftButton);
    EXPECT_EQ(Current(f.CompNames), "A10");
    EXPECT_EQ(comp.CompName(), "A10");
    EXPECT_EQ(f.EdQe->text(), "50.000");
    EXPECT_EQ(f.EdQc->text(), rejected);
    EXPECT_EQ(f.DataMemo->toPlainText(), memo);

    TypeAndLeave(f.EdQe, "15");
    QTest::mouseClick(f.SelBtn, Qt::LeftButton);
    EXPECT_EQ(Current(f.CompNames), "A20");
    EXPECT_EQ(comp.CompName(), "A20");
    EXPECT_EQ(f.EdQe->text(), "20.000");
}

TEST_F(CompFormTest, ConditionsAndDutyFactorRecalculate)
{
    // Rated at 10 K superheat, so that the correction factors depend on te.
    TCompData rated = Poly("R10", 10);
    rated.RefSuperheat = 10;
    Cmp("E-R22.cmp", cmpfixture::Header(), {rated, Poly("R20", 20)});
    TCompForm& f = Open();
    ASSERT_EQ(comp.CompName(), "R10");
    const QStringList memo = MemoLines();

    // 25 °C lies outside the stored band but inside the field's range.
    TypeAndLeave(f.EdEvapTemp, "25");
    EXPECT_EQ(f.EdEvapTemp->text(), "25.0");
    EXPECT_EQ(f.Te(), 25.0);
    const double qe = comp.Capacity(25, 48);
    EXPECT_EQ(f.EdQe->text(), QString::fromStdString(FormatNumber("%0.3f", qe)));
    EXPECT_NE(f.EdQe->text(), "10.000");
    // The memo keeps the factors of the selection until a compressor is selected again.
    EXPECT_EQ(MemoLines(), memo);
    Click(f.CompNames, "R20");
    Click(f.CompNames, "R10");
    EXPECT_NE(MemoLines().value(8), memo.value(8));

    TypeAndLeave(f.EdCondTemp, "40");
    EXPECT_EQ(f.Tc(), 40.0);
    TypeAndLeave(f.DutyFactorEdit, "2");
    EXPECT_EQ(comp.DutyFactor(), 2.0);
    EXPECT_EQ(f.EdQe->text(), QString::fromStdString(FormatNumber("%0.3f", comp.Capacity(25, 40))));
    EXPECT_NEAR(comp.Capacity(25, 40), 2 * qe * comp.qcf(25, 40) / comp.qcf(25, 48), 1e-9);
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, TableDataOutsideTheGridShowTheFileRanges)
{
    WriteRising();
    WriteTable();
    TCompForm& f = Open();
    Click(f.FileNames, "D-R22.cmp");
    ASSERT_EQ(comp.CompName(), "D1");
    EXPECT_EQ(f.StatusText(), "Select compressor...");
    struct Case {
        const char* te;
        const char* status;
    };
    const Case cases[] = {
        {"-10", "Range warning... [Suction -20 to 10°C Discharge 30 to 50°C]"},
        {"-30", "Out of range... [Suction -20 to 10°C Discharge 30 to 50°C]"},
        {"10", "Select compressor..."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.te);
        TypeAndLeave(f.EdEvapTemp, c.te);
        EXPECT_EQ(f.StatusText(), QString::fromUtf8(c.status));
    }
    // Polynomial data never show a status.
    Click(f.FileNames, "A-R22.cmp");
    TypeAndLeave(f.EdEvapTemp, "-30");
    EXPECT_EQ(f.StatusText(), "Select compressor...");
}

TEST_F(CompFormTest, UnitsComeFromTheStoreAndTravelInPairs)
{
    const TSettingsStore common(kCommonRegistryKey);
    common.WriteInteger("Compressor", "UnitsTemp", 1);
    common.WriteInteger("Compressor", "UnitsDuty", 2);
    WriteRising();
    TCompForm& f = Open();
    EXPECT_EQ(f.TeLabel->text(), "°F");
    EXPECT_EQ(f.TcLabel->text(), "°F");
    EXPECT_EQ(f.QeLabel->text(), "Btu/hr");
    EXPECT_EQ(f.QcLabel->text(), "Btu/hr");
    EXPECT_EQ(f.EdEvapTemp->text(), "41.0");

    struct Case {
        TFmtEditLabel* clicked;
        int row;
        TFmtEdit* partner;
        const char* units;
    };
    const Case cases[] = {
        {f.TeLabel, 2, f.EdCondTemp, "K"},
        {f.TcLabel, 0, f.EdEvapTemp, "°C"},
        {f.QcLabel, 1, f.EdQe, "W"},
        {f.QeLabel, 0, f.EdQc, "kW"},
        {f.TeLabel, 1, f.EdCondTemp, "°F"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.clicked->objectName().toStdString() + " " + c.units);
        WhenUnitsListOpens(c.row);
        c.clicked->Click();
        EXPECT_EQ(c.partner->UnitsValue(), c.row);
        EXPECT_EQ(c.partner->UnitsLabel()->text(), QString::fromUtf8(c.units));
    }
    EXPECT_EQ(f.EdCondTemp->text(), "118.4");
    EXPECT_EQ(f.EdQe->text(), "5.000");
    f.ToolButton2->click();
    EXPECT_EQ(StoredUnits("UnitsTemp"), 1);
    EXPECT_EQ(StoredUnits("UnitsDuty"), 0);
}

TEST_F(CompFormTest, RefrigerantArrowsAndPicker)
{
    WriteFiles();
    TCompForm& f = Open();
    ASSERT_EQ(lib.RefrigNames(), (std::vector<std::string> {"R2", "R22"}));
    struct Step {
        std::function<void()> act;
        const char* refrigerant;
        QStringList files;
    };
    double pickedTe = 0;
    const QStringList r22Files = Entries(f.FileNames);
    const Step steps[] = {
        // Next from the last wraps to the first, prior from the first to the last.
        {[&] { QTest::mousePress(f.Image2, Qt::LeftButton); }, "R2", {"C-R2.cmp"}},
        {[&] { QTest::mousePress(f.Image2, Qt::LeftButton); }, "R22", r22Files},
        {[&] { QTest::mousePress(f.Image1, Qt::LeftButton); }, "R2", {"C-R2.cmp"}},
        {[&] { QTest::mousePress(f.Image1, Qt::LeftButton); }, "R22", r22Files},
        // Without a picker the name is no command.
        {[&] { QTest::mouseClick(f.RefrigLabel, Qt::LeftButton); }, "R22", r22Files},
        {[&] {
             f.SetRefrigPicker([&](double te) {
                 pickedTe = te;
                 lib.SelectByName("R2");
                 return true;
             });
             QTest::mouseClick(f.RefrigLabel, Qt::LeftButton);
         },
         "R2",
         {"C-R2.cmp"}},
        // Closed without OK, the picker's choice still holds.
        {[&] {
             f.SetRefrigPicker([&](double) {
                 lib.SelectByName("R22");
                 return false;
             });
             QTest::mouseClick(f.RefrigLabel, Qt::LeftButton);
         },
         "R22", r22Files},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.refrigerant);
        s.act();
        EXPECT_EQ(lib.GetName(), s.refrigerant);
        EXPECT_EQ(f.RefrigLabel->text(), s.refrigerant);
        EXPECT_EQ(Entries(f.FileNames), s.files);
        EXPECT_TRUE(f.CompNames->currentItem());
        EXPECT_EQ(MemoLines().value(2), QString("Refrigerant = ") + s.refrigerant);
    }
    EXPECT_EQ(pickedTe, f.Te());
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, WithoutAFileForTheRefrigerantNoFiguresAndNoSearch)
{
    WriteRising(); // nothing for R2
    TCompForm& f = Open();
    TypeAndLeave(f.EdQe, "8");
    QTest::mouseClick(f.SelBtn, Qt::LeftButton);
    ASSERT_EQ(Current(f.CompNames), "A10");
    ASSERT_EQ(f.EdQe->text(), "10.000");

    QTest::mousePress(f.Image2, Qt::LeftButton);
    ASSERT_EQ(f.RefrigLabel->text(), "R2");
    EXPECT_EQ(f.FileNames->count(), 0);
    EXPECT_EQ(f.CompNames->count(), 0);
    EXPECT_EQ(f.EdQe->text(), "") << "no capacity of the R22 compressor still loaded";
    EXPECT_EQ(f.EdQc->text(), "");
    EXPECT_EQ(f.DataMemo->toPlainText(), "");
    EXPECT_EQ(f.StatusText(), "Select compressor...");

    // Neither new conditions nor the find button bring the R22 compressor back.
    TypeAndLeave(f.EdEvapTemp, "0");
    EXPECT_EQ(f.EdQe->text(), "");
    TypeAndLeave(f.EdQe, "15");
    QTest::mouseClick(f.SelBtn, Qt::LeftButton);
    EXPECT_EQ(f.CompNames->count(), 0);
    EXPECT_EQ(f.EdQe->text(), "15.000");
    EXPECT_EQ(f.EdQc->text(), "");
    EXPECT_EQ(comp.CompName(), "A10") << "the model is left alone";

    // Back at R22 the wanted capacity picks again.
    QTest::mousePress(f.Image1, Qt::LeftButton);
    EXPECT_EQ(Current(f.FileNames), "A-R22.cmp");
    EXPECT_EQ(Current(f.CompNames), "A20");
    EXPECT_EQ(f.EdQe->text(), "20.000");
    EXPECT_TRUE(messages.empty());
}

// Names of very different widths beside the arrows: pressing the left arrow three
// times at one spot of the screen steps back three refrigerants.
TEST_F(CompFormTest, RefrigerantArrowsKeepTheirPlace)
{
    TRefrigLib names(dir.Write("Names.rdf", "[R22]\r\nRNumber=R22\r\n[R290]\r\nRNumber=R290\r\n"
                                            "[R1234ze(E)]\r\nRNumber=R1234ze(E)\r\n[R32]\r\nRNumber=R32\r\n"));
    names.SelectByName("R290");
    WriteRising(); // data files, so that the selector asks for no folder
    TComp model(names);
    model.SetDataFolder(data);
    TCompForm f(model, names, nullptr);
    f.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&f));
    const QPoint spot = f.Image1->mapTo(&f, f.Image1->rect().center());
    const QPoint nextSpot = f.Image2->mapTo(&f, f.Image2->rect().center());
    ASSERT_EQ(names.RefrigNames(), (std::vector<std::string> {"R1234ze(E)", "R22", "R290", "R32"}));
    for (const char* expected : {"R22", "R1234ze(E)", "R32"}) {
        QWidget* under = f.childAt(spot);
        ASSERT_EQ(under, f.Image1) << "before stepping to " << expected;
        QTest::mousePress(under, Qt::LeftButton, {}, under->mapFrom(&f, spot));
        QCoreApplication::processEvents();
        EXPECT_EQ(names.GetName(), expected);
        EXPECT_EQ(f.RefrigLabel->text(), expected);
    }
    EXPECT_EQ(f.childAt(nextSpot), f.Image2);
    EXPECT_GE(f.RefrigLabel->width(), f.RefrigLabel->fontMetrics().horizontalAdvance("R1234ze(E)"));
}

TEST_F(CompFormTest, AcceptGivesOkOnlyWithACompressorLoaded)
{
    struct Case {
        const char* name;
        std::function<void()> files;
        QToolButton* TCompForm::*button;
        int result;
    };
    const Case cases[] = {
        {"compressor loaded", [this] { WriteRising(); }, &TCompForm::ToolButton1, QDialog::Accepted},
        {"cancel", [this] { WriteRising(); }, &TCompForm::ToolButton2, QDialog::Rejected},
        {"no file for R22", [this] { WriteR2(); }, &TCompForm::ToolButton1, QDialog::Rejected},
        {"nameless compressor", [this] { Cmp("N-R22.cmp", cmpfixture::Header(), {Poly("", 4)}); },
         &TCompForm::ToolButton1, QDialog::Rejected},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        std::filesystem::remove_all(data);
        std::filesystem::create_directories(data);
        c.files();
        form.reset();
        TCompForm& f = Open();
        ASSERT_TRUE(f.isVisible());
        QTest::mouseClick(f.*c.button, Qt::LeftButton);
        EXPECT_FALSE(f.isVisible());
        EXPECT_EQ(f.result(), c.result);
    }
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, ReopeningFollowsTheModel)
{
    WriteFiles();
    TCompForm& f = Open();
    Click(f.FileNames, "B-R22.cmp");
    Click(f.CompNames, "B6");
    f.ToolButton1->click();

    // Unchanged: the same selection, and the model's duty factor.
    comp.SetDutyFactor(1.5);
    Open();
    EXPECT_EQ(Current(f.FileNames), "B-R22.cmp");
    EXPECT_EQ(Current(f.CompNames), "B6");
    EXPECT_EQ(f.DutyFactorEdit->text(), "1.500");
    f.ToolButton1->click();

    // The model loaded another compressor: it is shown, not the one the capacity
    // in EdQe would pick (A10).
    comp.SetDutyFactor(1.0);
    comp.SetCompName("A20");
    Open();
    EXPECT_EQ(Current(f.FileNames), "A-R22.cmp");
    EXPECT_EQ(Current(f.CompNames), "A20");
    EXPECT_EQ(f.EdQe->text(), "20.000");
    EXPECT_EQ(MemoLines().value(0), "[A20]");
    f.ToolButton1->click();

    // Another refrigerant meanwhile: its files, none chosen yet.
    lib.SelectByName("R2");
    Open();
    EXPECT_EQ(f.RefrigLabel->text(), "R2");
    EXPECT_EQ(Entries(f.FileNames), QStringList {"C-R2.cmp"});
    EXPECT_EQ(Current(f.FileNames), "");
    EXPECT_EQ(f.CompNames->count(), 0);
    // A click on the file picks by capacity again.
    Click(f.FileNames, "C-R2.cmp");
    EXPECT_EQ(Current(f.CompNames), "C7");
    EXPECT_TRUE(messages.empty());
}

TEST_F(CompFormTest, KeysMoveBetweenFieldsButNotOutOfLists)
{
    WriteFiles();
    TCompForm& f = Open();
    Enter(f.EdEvapTemp);
    QTest::keyClick(f.EdEvapTemp, Qt::Key_Return);
    EXPECT_TRUE(f.EdCondTemp->hasFocus());
    QTest::keyClick(f.EdCondTemp, Qt::Key_Up);
    EXPECT_TRUE(f.EdEvapTemp->hasFocus());
    QTest::keyClick(f.EdEvapTemp, Qt::Key_Down);
    EXPECT_TRUE(f.EdCondTemp->hasFocus());
    f.FileNames->setFocus();
    ASSERT_TRUE(f.FileNames->hasFocus());
    const int row = f.FileNames->currentRow();
    QTest::keyClick(f.FileNames, Qt::Key_Down);
    EXPECT_TRUE(f.FileNames->hasFocus());
    EXPECT_EQ(f.FileNames->currentRow(), row + 1);
    QTest::keyClick(f.FileNames, Qt::Key_Return);
    EXPECT_TRUE(f.FileNames->hasFocus());
    EXPECT_TRUE(f.isVisible());
}

TEST_F(CompFormTest, DeactivationCommitsTheFocusedFieldAndStoresTheSettings)
{
    WriteRising();
    TCompForm& f = Open();
    // Typed, not left: the window loses the activation.
    Enter(f.EdCondTemp);
    QTest::keyClicks(f.EdCondTemp, "36");
    QEvent deactivate(QEvent::WindowDeactivate);
    QCoreApplication::sendEvent(&f, &deactivate);
    EXPECT_EQ(f.Tc(), 36.0);
    EXPECT_EQ(StoredFloat("Settings", "CompressorTc"), 36.0);
    EXPECT_EQ(StoredFloat("Settings", "CompressorTe"), 5.0);

    // Typed and accepted at once.
    Enter(f.EdEvapTemp);
    QTest::keyClicks(f.EdEvapTemp, "-12");
    f.ToolButton1->click();
    EXPECT_EQ(f.result(), QDialog::Accepted);
    EXPECT_EQ(f.Te(), -12.0);
    EXPECT_EQ(StoredFloat("Settings", "CompressorTe"), -12.0);
    EXPECT_EQ(StoredFloat("CompForm", "Width"), f.width());
    EXPECT_EQ(StoredUnits("UnitsTemp"), 0);

    // The next window made from the store starts at the stored conditions.
    form.reset();
    TCompForm& again = Make();
    EXPECT_EQ(again.Te(), -12.0);
    EXPECT_EQ(again.Tc(), 36.0);
}

TEST_F(CompFormTest, AnUnreadableFileShowsItsMessagesAndKeepsTheFields)
{
    const std::string rising = WriteRising();
    TCompForm& f = Open();
    ASSERT_EQ(comp.CompName(), "A5");
    dir.Write("data/A-R22.cmp", "not a compressor file");
    Click(f.CompNames, "A20");
    EXPECT_EQ(messages, (std::vector<std::string> {"Error reading compressor file " + rising, "Error finding compressor in file"}));
    EXPECT_EQ(f.EdQe->text(), "5.000");
    EXPECT_EQ(comp.CompName(), "A5");
}
