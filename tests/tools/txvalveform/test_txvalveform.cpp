// The TX valve selector: its design, the pressures shared between the liquid
// line and the valve, the search and the model click, units, the liquid line
// window, and the stored range and unit choices.
#include "tests/tools/txvalveform/valveformtest.h"

#include <cmath>

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QToolButton>

#include "tools/txvalveform/liquidlineform.h"
#include "tools/txvalve/valveselection.h"

namespace {

QStringList Items(const QComboBox* box)
{
    QStringList items;
    for (int i = 0; i < box->count(); ++i)
        items << box->itemText(i);
    return items;
}

QString Current(const QListWidget* list)
{
    return list->currentItem() && list->currentItem()->isSelected() ? list->currentItem()->text() : QString();
}

// A small range in kW at 4 and 8 bar and at 0 degrees C.
std::string SmallRange(const std::string& models)
{
    return "[Header]\r\nPUnits=Bar\r\nTUnits=DegC\r\nQUnits=kW\r\ndPRange=4,8\r\nteRange=0\r\n" + models;
}

class ValveFormTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        InstallSample();
    }

    // R22 from the built-in record at the window's design temperatures.
    TValvePressures DesignPressures() const { return ValvePressures(lib, 5.5, 47.0); }
};

} // namespace

TEST_F(ValveFormTest, DesignAndCreation)
{
    WriteValveFile("b range.txv", SmallRange("[B1]\r\nte0=1,2\r\n"));
    WriteValveFile("A range.TXV", SmallRange("[A1]\r\nte0=1,2\r\n"));
    dir.Write("Common Files/readme.txt", "not a range");
    lib.SelectByName("R22");

    TTxValveForm w(lib, Folder());
    EXPECT_EQ(w.windowTitle(), "Expansion Valve Selection");
    EXPECT_EQ(w.minimumSize(), QSize(350, 300));
    EXPECT_EQ(w.maximumSize(), QSize(600, 600));
    EXPECT_EQ(w.ToolButton1->text(), "&Accept");
    EXPECT_EQ(w.ToolButton2->text(), "&Cancel");
    EXPECT_EQ(w.UnitsBtn->text(), "&Units");
    EXPECT_EQ(w.UnitsBtn->toolTip(), "Use all Metric or Imperial units");
    EXPECT_EQ(w.UnitsBtn->menu(), w.PopupMenu1);
    ASSERT_EQ(w.PopupMenu1->actions(), (QList<QAction*> {w.Metric1, w.Imperial1}));
    EXPECT_EQ(w.Metric1->text(), "&Metric");
    EXPECT_EQ(w.Imperial1->text(), "&Imperial");
    EXPECT_EQ(w.SpeedButton2->toolTip(), "AutoFind");
    EXPECT_EQ(w.PeLabel->text(), "Pe=...");
    EXPECT_EQ(w.PcLabel->text(), "Pc=...");
    EXPECT_EQ(w.findChild<QLabel*>("CBManufCaption")->text(), "Range");
    EXPECT_EQ(w.findChild<QLabel*>("CBRefrigCaption")->text(), "Refrigerant");

    struct Row {
        const char* name;
        const char* caption;
        const char* text;
        const char* units;
        TFormatType formatType;
    };
    const Row rows[] = {
        {"EvapTempEd", "Evaporating", "5.5", "°C", ft_Fixed},
        {"CondTempEd", "Condensing", "47.0", "°C", ft_Fixed},
        {"LiqLineDPEd", "Liq Line dP", "130.000", "kPa", ft_AutoOverride},
        {"ValveDpEd", "Tx Valve dP", "900.000", "kPa", ft_AutoOverride},
        {"CapacityEd", "Cooling Duty", "21.000", "kW", ft_Fixed},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* field = w.findChild<TFmtEdit*>(row.name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(), row.text);
        EXPECT_EQ(field->UnitsLabel()->text(), QString::fromUtf8(row.units));
        EXPECT_EQ(field->FormatType(), row.formatType);
        EXPECT_EQ(field->SigDigs(), 5);
        EXPECT_EQ(field->RangeLo(), 0);
        EXPECT_EQ(field->RangeHi(), 0);
        EXPECT_EQ(w.findChild<QLabel*>(QString(row.name) + "Caption")->text(), row.caption);
    }

    // The ranges by file name in alphabetical order, whatever the folder's order.
    EXPECT_EQ(Items(w.CBManuf), (QStringList {"A range.TXV", "b range.txv", kSampleR22}));
    // The refrigerants of the library; the list stands at the one in force, which
    // the set-up leaves selected.
    EXPECT_EQ(Items(w.CBRefrig), (QStringList {"R134a", "R22"}));
    EXPECT_EQ(w.CBRefrig->currentText(), "R22");
    EXPECT_EQ(lib.GetName(), "R22");
    EXPECT_EQ(w.FileName(), kDefaultValveFile);
    EXPECT_EQ(w.StatusText(), kValveOutOfRange);
}

TEST_F(ValveFormTest, ActivationSharesPcMinusPeBetweenLiquidLineAndValve)
{
    TTxValveForm& w = Open();
    const TValvePressures p = DesignPressures();
    // Without the default range the first of the list is chosen.
    EXPECT_EQ(w.FileName(), kSampleR22);
    EXPECT_EQ(w.CBManuf->currentText(), kSampleR22);
    EXPECT_EQ(w.ModelList->count(), 9);
    EXPECT_NEAR(w.ValveDpEd->Value(), p.dP - 130, 5e-4);
    EXPECT_NEAR(w.ValveDpEd->Value(), 1080, 20) << "about 10.8 bar left for the valve";
    EXPECT_EQ(w.PeLabel->text(), QString("Pe=%1kPa").arg(std::lround(p.Pe)));
    EXPECT_EQ(w.PcLabel->text(), QString("Pc=%1kPa").arg(std::lround(p.Pc)));
    // 21 kW at 10.8 bar (column 10 bar) and 5.5 degrees C (row 10 degrees C).
    EXPECT_EQ(w.ModelName(), "SV 24 kW");
    EXPECT_EQ(Current(w.ModelList), "SV 24 kW");
    EXPECT_NEAR(w.Capacity(), 27.17, 1e-9);
    EXPECT_EQ(w.StatusText(), "Tx Valve Capacity: 27.2 kW");

    // The valve drop typed: the liquid line takes the rest.
    TypeAndLeave(w.ValveDpEd, "1000");
    EXPECT_EQ(w.ValveDpEd->text(), "1000.000");
    EXPECT_NEAR(w.LiqLineDPEd->Value(), p.dP - 1000, 5e-4);
    EXPECT_NEAR(w.LiqLineDPEd->Value() + w.ValveDpEd->Value(), p.dP, 1e-3);
    EXPECT_EQ(w.ModelName(), "SV 24 kW");
    EXPECT_NEAR(w.Capacity(), 27.17, 1e-9);

    // A warmer condenser raises Pc; the valve gets the whole rise.
    const double liquidLine = w.LiqLineDPEd->Value();
    TypeAndLeave(w.CondTempEd, "55");
    const TValvePressures warmer = ValvePressures(lib, 5.5, 55);
    EXPECT_NEAR(w.LiqLineDPEd->Value(), liquidLine, 5e-4);
    EXPECT_NEAR(w.ValveDpEd->Value(), warmer.dP - liquidLine, 1e-3);
    EXPECT_EQ(w.PcLabel->text(), QString("Pc=%1kPa").arg(std::lround(warmer.Pc)));
    EXPECT_EQ(messages, std::vector<std::string> {});
}

TEST_F(ValveFormTest, SearchFollowsTheDutyAndAClickShowsAnyModel)
{
    TTxValveForm& w = Open();
    TypeAndLeave(w.CapacityEd, "10");
    EXPECT_EQ(w.ModelName(), "SV 12 kW");
    EXPECT_EQ(Current(w.ModelList), "SV 12 kW");
    EXPECT_NEAR(w.Capacity(), 13.58, 1e-9);

    ClickItem(w.ModelList, "SV 24 kW");
    EXPECT_EQ(w.ModelName(), "SV 24 kW");
    EXPECT_NEAR(w.Capacity(), 27.17, 1e-9);
    EXPECT_EQ(w.StatusText(), "Tx Valve Capacity: 27.2 kW");
    EXPECT_EQ(w.CapacityEd->text(), "10.000") << "the duty stays";

    // The AutoFind button goes back to the smallest model that covers the duty.
    QTest::mouseClick(w.SpeedButton2, Qt::LeftButton);
    EXPECT_EQ(Current(w.ModelList), "SV 12 kW");

    // More than the largest model can give: no model, no capacity.
    TypeAndLeave(w.CapacityEd, "500");
    EXPECT_EQ(w.CapacityEd->text(), "500.000");
    EXPECT_EQ(w.ModelName(), kNoValve);
    EXPECT_EQ(w.Capacity(), 0);
    EXPECT_TRUE(w.ModelList->selectedItems().isEmpty());
    EXPECT_EQ(w.StatusText(), kValveOutOfRange);
    // Tab went on into the list; that alone picks no model.
    EXPECT_TRUE(w.ModelList->hasFocus());
    QTest::keyClick(w.ModelList, Qt::Key_Down);
    EXPECT_EQ(Current(w.ModelList), w.ModelName().c_str()) << "the arrow keys pick as a click does";
    EXPECT_GT(w.Capacity(), 0);
}

TEST_F(ValveFormTest, PressureTextsFollowTheLiquidLineUnit)
{
    TTxValveForm& w = Open();
    const TValvePressures p = DesignPressures();
    PickUnit(w.LiqLineDPEd, 3); // "Bar"
    EXPECT_EQ(w.LiqLineDPEd->UnitsLabel()->text(), "Bar");
    EXPECT_EQ(w.LiqLineDPEd->text(), "1.30000");
    EXPECT_EQ(w.PeLabel->text(), QString("Pe=%1Bar").arg(p.Pe / 100, 0, 'f', 2));
    EXPECT_EQ(w.PcLabel->text(), QString("Pc=%1Bar").arg(p.Pc / 100, 0, 'f', 1));
    EXPECT_EQ(w.ValveDpEd->UnitsLabel()->text(), "kPa");
    EXPECT_NEAR(w.ValveDpEd->Value(), p.dP - 130, 5e-4);

    // The duty's unit changes the status line only.
    PickUnit(w.CapacityEd, 2);
    EXPECT_EQ(w.StatusText(), QString::fromStdString(ValveCapacityStatus(27.17, 2, 0)));
    EXPECT_NE(w.StatusText(), "Tx Valve Capacity: 27.2 kW");
    EXPECT_EQ(w.ModelName(), "SV 24 kW");
}

TEST_F(ValveFormTest, MetricAndImperialSwitchEveryField)
{
    TTxValveForm& w = Open();
    w.Imperial1->trigger();
    EXPECT_EQ(w.EvapTempEd->UnitsLabel()->text(), "°F");
    EXPECT_EQ(w.EvapTempEd->text(), "41.9");
    EXPECT_EQ(w.CondTempEd->text(), "116.6");
    EXPECT_EQ(w.LiqLineDPEd->UnitsLabel()->text(), "Psi");
    EXPECT_EQ(w.ValveDpEd->UnitsLabel()->text(), "Psi");
    EXPECT_EQ(w.CapacityEd->UnitsLabel()->text(), "Btu/hr");
    EXPECT_TRUE(w.PeLabel->text().startsWith("Pe=") && w.PeLabel->text().endsWith("Psi")) << w.PeLabel->text().toStdString();
    EXPECT_TRUE(w.StatusText().startsWith("Tx Valve Capacity: ") && w.StatusText().endsWith(" Btu/hr"))
        << w.StatusText().toStdString();
    EXPECT_NEAR(w.EvapTempEd->Value(), 5.5, 1e-9);

    w.Metric1->trigger();
    EXPECT_EQ(w.EvapTempEd->text(), "5.5");
    EXPECT_EQ(w.LiqLineDPEd->text(), "130.000");
    EXPECT_EQ(w.CapacityEd->text(), "21.000");
    EXPECT_EQ(w.PeLabel->text(), QString("Pe=%1kPa").arg(std::lround(DesignPressures().Pe)));
    EXPECT_EQ(w.StatusText(), "Tx Valve Capacity: 27.2 kW");
}

TEST_F(ValveFormTest, LiquidLineWindowHandsItsTotalOverOnAcceptOnly)
{
    TTxValveForm& w = Open();
    const TValvePressures p = DesignPressures();
    EXPECT_EQ(w.LiquidLineForm(), nullptr) << "made on first use";
    OnNextModal<TLiquidLineForm>([](TLiquidLineForm* liquid) {
        EXPECT_DOUBLE_EQ(liquid->TotalDP(), 130) << "the defaults are the selector's design drop";
        TypeAndLeave(liquid->LiqRiserEd, "0.7");
        QTest::mouseClick(liquid->ToolButton1, Qt::LeftButton);
    });
    QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
    ASSERT_NE(w.LiquidLineForm(), nullptr);
    EXPECT_NEAR(w.LiqLineDPEd->Value(), 200, 5e-4);
    EXPECT_NEAR(w.ValveDpEd->Value(), p.dP - 200, 1e-3);

    TLiquidLineForm* liquidLine = w.LiquidLineForm();
    OnNextModal<TLiquidLineForm>([](TLiquidLineForm* liquid) {
        TypeAndLeave(liquid->LiqRiserEd, "2");
        QTest::mouseClick(liquid->ToolButton2, Qt::LeftButton);
    });
    QTest::mouseClick(w.SpeedButton1, Qt::LeftButton);
    EXPECT_EQ(w.LiquidLineForm(), liquidLine) << "kept for the rest of the run";
    EXPECT_NEAR(w.LiqLineDPEd->Value(), 200, 5e-4) << "Cancel leaves the selector's drop";
    EXPECT_NEAR(liquidLine->TotalDP(), 330, 1e-9) << "but the window keeps what was typed";
}

TEST_F(ValveFormTest, RangeAndUnitChoicesComeBackButNotTheFieldValues)
{
    WriteValveFile("Small.txv", SmallRange("[S1]\r\nte0=1,2\r\n[S2]\r\nte0=20,30\r\n"));
    TTxValveForm& w = Open();
    EXPECT_EQ(w.FileName(), kSampleR22);
    w.CBManuf->setCurrentText("Small.txv");
    emit w.CBManuf->activated(w.CBManuf->currentIndex());
    EXPECT_EQ(w.FileName(), "Small.txv");
    EXPECT_EQ(Items(w.CBManuf).size(), 2);
    EXPECT_EQ(w.ModelList->count(), 2);
    EXPECT_EQ(Current(w.ModelList), "S2");

    PickUnit(w.EvapTempEd, 2);  // K
    PickUnit(w.CondTempEd, 1);  // degrees F
    PickUnit(w.LiqLineDPEd, 3); // Bar
    PickUnit(w.ValveDpEd, 2);   // Psi
    PickUnit(w.CapacityEd, 1);
    TypeAndLeave(w.CapacityEd, "12345");
    w.resize(520, 410);
    QTest::mouseClick(w.ToolButton1, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);
    EXPECT_FALSE(w.isVisible());

    form.reset();
    TTxValveForm& again = Open();
    EXPECT_EQ(again.size(), QSize(520, 410));
    EXPECT_EQ(again.FileName(), "Small.txv");
    EXPECT_EQ(again.CBManuf->currentText(), "Small.txv");
    EXPECT_EQ(again.EvapTempEd->UnitsValue(), 2);
    EXPECT_EQ(again.CondTempEd->UnitsValue(), 1);
    EXPECT_EQ(again.LiqLineDPEd->UnitsValue(), 3);
    EXPECT_EQ(again.ValveDpEd->UnitsValue(), 2);
    EXPECT_EQ(again.CapacityEd->UnitsValue(), 1);
    EXPECT_NEAR(again.EvapTempEd->Value(), 5.5, 1e-9);
    EXPECT_NEAR(again.CapacityEd->Value(), 21, 1e-9);
    EXPECT_TRUE(again.PcLabel->text().endsWith("Bar")) << again.PcLabel->text().toStdString();
}

TEST_F(ValveFormTest, FaultyRangesGiveNoValve)
{
    WriteValveFile("Kelvin.txv", "[Header]\r\nTUnits=K\r\ndPRange=4,8\r\nteRange=0\r\n[K1]\r\nte0=50,60\r\n");
    // The first model's row is too short for the 8 bar column.
    WriteValveFile("Short.txv", SmallRange("[Short]\r\nte0=50\r\n[Long]\r\nte0=50,60\r\n"));
    // Without the default range the first of the list opens.
    TTxValveForm& w = Open();
    EXPECT_EQ(w.FileName(), "Kelvin.txv");
    EXPECT_EQ(messages, std::vector<std::string> {"Expansion valve file error: Temperature units \"K\" not allowed..."});
    EXPECT_EQ(w.ModelList->count(), 1);
    EXPECT_TRUE(w.ModelList->selectedItems().isEmpty());
    EXPECT_EQ(w.StatusText(), kValveOutOfRange);

    messages.clear();
    w.CBManuf->setCurrentText("Short.txv");
    emit w.CBManuf->activated(w.CBManuf->currentIndex());
    ASSERT_EQ(messages.size(), 1u) << "the search ends at the short row with an error message";
    EXPECT_TRUE(w.ModelList->selectedItems().isEmpty());
    EXPECT_EQ(w.StatusText(), kValveOutOfRange);

    messages.clear();
    ClickItem(w.ModelList, "Long");
    EXPECT_EQ(w.StatusText(), "Tx Valve Capacity: 60.0 kW");
    ClickItem(w.ModelList, "Short");
    EXPECT_EQ(w.Capacity(), 0);
    EXPECT_EQ(w.StatusText(), kValveOutOfRange);
    EXPECT_EQ(messages, std::vector<std::string> {}) << "a clicked model without data shows no message";
}

TEST_F(ValveFormTest, RefrigerantChoiceActsOnTheLibrary)
{
    // The list stands at the refrigerant in force; choosing in it selects for the
    // whole program.
    lib.SelectByName("R22");
    TTxValveForm& w = Open();
    EXPECT_EQ(w.CBRefrig->currentText(), "R22");
    w.CBRefrig->setCurrentIndex(0);
    emit w.CBRefrig->activated(0);
    EXPECT_EQ(lib.GetName(), "R134a");
    const TValvePressures p = ValvePressures(lib, 5.5, 47);
    EXPECT_NEAR(w.Pressures().dP, p.dP, 1e-9);
    EXPECT_NEAR(w.ValveDpEd->Value(), p.dP - 130, 5e-4);

    // Shown again after the program chose another refrigerant: the window follows.
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    lib.SelectByName("R22");
    Open();
    EXPECT_EQ(w.CBRefrig->currentText(), "R22");
    EXPECT_NEAR(w.ValveDpEd->Value(), DesignPressures().dP - 130, 5e-4);
}

TEST_F(ValveFormTest, SetUpLeavesTheSelectionOfTheProgramAlone)
{
    // Whatever the library holds when the program makes its windows, the set-up
    // keeps it; the list stands at it, or at its top when it does not name it.
    for (const char* selected : {"R22", "R134a"}) {
        lib.SelectByName(selected);
        TTxValveForm w(lib, Folder());
        EXPECT_EQ(lib.GetName(), selected);
        EXPECT_EQ(w.CBRefrig->currentText(), selected);
    }
    // The built-in R22 record in force, a library without R22.
    TRefrigLib other(dir.Write("Other.rdf", "[R1234yf]\r\nRNumber=R1234yf\r\n[R404A]\r\nRNumber=R404A\r\n"));
    const std::string builtIn = other.GetName();
    TTxValveForm w(other, Folder());
    EXPECT_EQ(other.GetName(), builtIn);
    EXPECT_EQ(w.CBRefrig->currentText(), "R1234yf");
}

TEST_F(ValveFormTest, EnterMovesFromFieldToField)
{
    TTxValveForm& w = Open();
    Enter(w.EvapTempEd);
    QTest::keyClicks(w.EvapTempEd, "0");
    QTest::keyClick(w.EvapTempEd, Qt::Key_Return);
    EXPECT_TRUE(w.CondTempEd->hasFocus());
    EXPECT_NEAR(w.Pressures().Pe, ValvePressures(lib, 0, 47).Pe, 1e-9);
    QTest::keyClick(w.CondTempEd, Qt::Key_Up);
    EXPECT_TRUE(w.EvapTempEd->hasFocus());
}
