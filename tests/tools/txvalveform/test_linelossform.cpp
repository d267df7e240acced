// The liquid line window's "Calculate…": the loss of the line or its riser
// worked out for a tube at the valve selector's conditions, put into its field
// on OK only, and refused with the reason when the inputs give none.
#include "tests/tools/txvalveform/valveformtest.h"

#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QToolButton>

#include "tools/linesize/linesize.h"
#include "tools/txvalveform/linelossform.h"
#include "tools/txvalveform/liquidlineform.h"

namespace {

constexpr int kKPa = 0;
constexpr int kBar = 3;

class LineLossTest : public WindowTest {
protected:
    void TearDown() override
    {
        window.reset();
        WindowTest::TearDown();
    }

    // The liquid line window of a 10 kW plant at 5.5 °C / 47 °C.
    TLiquidLineForm& OpenLiquidLine(double capacity = 10)
    {
        if (!window)
            window = std::make_unique<TLiquidLineForm>();
        window->SetPlant({.lib = &lib, .te = 5.5, .tc = 47, .capacity = capacity});
        Show(*window);
        return *window;
    }

    // Clicks "Calculate…" and runs `step` in the dialog it opens.
    template <class Step>
    static void Calculate(QPushButton* button, Step step)
    {
        OnNextModal<TLineLossForm>(step);
        QTest::mouseClick(button, Qt::LeftButton);
    }

    static void PickTube(TLineLossForm* d, TTubeSeries series, const char* name)
    {
        d->SeriesList->setCurrentIndex(series);
        const int index = d->TubeList->findText(name);
        ASSERT_GT(index, 0) << name;
        d->TubeList->setCurrentIndex(index);
    }

    // What the line sizing calculation gives for the plant, in kPa.
    double Expected(const TLineTube& tube, double capacity = 10)
    {
        TLineCycle cycle;
        cycle.capacity = capacity;
        cycle.te = 5.5;
        cycle.tc = 47;
        cycle.sc = 5;
        cycle.sh = 7.5;
        return ComputeLine(lib, lkLiquid, cycle, tube).pressureDrop / 1000;
    }

    std::unique_ptr<TLiquidLineForm> window;
};

} // namespace

// The loss put in is the calculation's, shown in the field's unit; the other
// fields stay as they are and the total follows as if the loss had been typed.
TEST_F(LineLossTest, OkPutsTheCalculatedLossIntoTheFieldInItsUnit)
{
    struct TCase {
        const char* what;
        bool riser;
        int unit;
        TTubeSeries series;
        const char* tube; // nullptr: typed as 18 mm by 1 mm
        const char* length;
        TLineTube expected;
    };
    const TCase cases[] = {
        {"horizontal run in bar", false, kBar, tsMetric, "15x1", "25", {15, 1, 25, 0}},
        {"horizontal run of a typed tube", false, kKPa, tsMetric, nullptr, "40", {18, 1, 40, 0}},
        {"horizontal run of an ACR tube", false, kKPa, tsAcr, "3/8", "12", {0.375 * 25.4, 0.030 * 25.4, 12, 0}},
        {"riser in kPa: friction plus the column", true, kKPa, tsMetric, "12x1", "4", {12, 1, 4, 4}},
        {"line running down in bar", true, kBar, tsMetric, "10x1", "-2.5", {10, 1, 2.5, -2.5}},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        window.reset();
        ClearSettings();
        TLiquidLineForm& w = OpenLiquidLine();
        PickUnit(w.LiqLineEd, c.unit);
        TFmtEdit* field = c.riser ? w.LiqRiserEd : w.LiqLineEd;
        TFmtEdit* other = c.riser ? w.LiqLineEd : w.LiqRiserEd;
        const QString otherText = other->text();
        const double others = w.TotalDP() - field->Value();
        const double expected = Expected(c.expected);
        QString shown;
        Calculate(c.riser ? w.LiqRiserCalcBtn : w.LiqLineCalcBtn, [&](TLineLossForm* d) {
            if (c.tube) {
                PickTube(d, c.series, c.tube);
            } else {
                TypeAndLeave(d->OdEd, "18");
                TypeAndLeave(d->WallEd, "1");
                EXPECT_EQ(d->TubeList->currentText(), "Typed size");
            }
            TypeAndLeave(d->LengthEd, c.length);
            EXPECT_TRUE(d->OkButton->isEnabled());
            EXPECT_EQ(d->ErrorText(), "");
            ASSERT_TRUE(d->Loss());
            EXPECT_NEAR(*d->Loss(), expected, 1e-9 * std::abs(expected));
            shown = d->LossText();
            QTest::mouseClick(d->OkButton, Qt::LeftButton);
        });
        // The field's text carries its unit's decimals: half a digit of bar is 5e-4 kPa.
        EXPECT_NEAR(field->Value(), expected, 5e-4);
        EXPECT_EQ(shown.toStdString(),
                  "Pressure loss: " + FormatWithUnit(utPressure, c.unit, 0, false, " ", true, expected).text);
        EXPECT_EQ(other->text(), otherText);
        EXPECT_NEAR(w.TotalDP(), others + field->Value(), 1e-9);
        EXPECT_EQ(w.StatusText().toStdString(),
                  "Total dP = " + FormatFieldWithUnit(*w.LiqLineEd, true, " ", w.TotalDP()).text);
    }
}

TEST_F(LineLossTest, ARiserCostsItsColumnAndALongerRunCostsMore)
{
    TLiquidLineForm& w = OpenLiquidLine();
    Calculate(w.LiqRiserCalcBtn, [this](TLineLossForm* d) {
        PickTube(d, tsMetric, "12x1");
        TypeAndLeave(d->LengthEd, "0");
        EXPECT_NEAR(*d->Loss(), 0, 1e-12) << "no height, no length";
        TypeAndLeave(d->LengthEd, "3");
        const double up = *d->Loss();
        TypeAndLeave(d->LengthEd, "-3");
        const double down = *d->Loss();
        // Friction adds to the column going up and takes from it going down.
        EXPECT_GT(up, -down);
        EXPECT_GT(up, 0);
        EXPECT_LT(down, 0);
        // The friction of the same length cancels: what is left is the column, ρ·g·H.
        const double density = LineState(lib, lkLiquid, d->Cycle()).density;
        EXPECT_NEAR((up - down) / 2, density * kGravity * 3 / 1000, 1e-9);
        EXPECT_GT(density, 1000) << "liquid";
        QTest::mouseClick(d->CancelButton, Qt::LeftButton);
    });
    Calculate(w.LiqLineCalcBtn, [&](TLineLossForm* d) {
        PickTube(d, tsMetric, "12x1");
        TypeAndLeave(d->LengthEd, "10");
        const double ten = *d->Loss();
        TypeAndLeave(d->LengthEd, "20");
        EXPECT_NEAR(*d->Loss(), 2 * ten, 1e-9 * ten) << "friction goes with the length";
        QTest::mouseClick(d->CancelButton, Qt::LeftButton);
    });
}

TEST_F(LineLossTest, AnImperialPlantGetsInchesFeetAndAcrTube)
{
    window = std::make_unique<TLiquidLineForm>();
    window->SetPlant({.lib = &lib, .te = 5.5, .tc = 47, .capacity = 10, .units = usImperial});
    Show(*window);
    Calculate(window->LiqLineCalcBtn, [this](TLineLossForm* d) {
        EXPECT_EQ(d->SeriesList->currentText(), "ASTM B280");
        EXPECT_EQ(d->TubeList->currentText(), "1/2");
        EXPECT_EQ(d->OdEd->UnitsLabel()->text(), "inch");
        EXPECT_EQ(d->OdEd->text().toDouble(), 0.5);
        EXPECT_EQ(d->LengthEd->UnitsLabel()->text(), "ft");
        EXPECT_EQ(d->PlantLabel->text(), "R22, evaporating 41.9 °F, condensing 116.6 °F, cooling duty 34121 Btu/hr");
        TypeAndLeave(d->LengthEd, "50");
        ASSERT_TRUE(d->Loss());
        EXPECT_NEAR(*d->Loss(), Expected({12.7, 0.035 * 25.4, 50 * 0.3048, 0}), 1e-6);
        d->reject();
    });
}

TEST_F(LineLossTest, CancelAndEscapeWriteNothing)
{
    TLiquidLineForm& w = OpenLiquidLine();
    TypeAndLeave(w.LiqLineEd, "0.25");
    const QString status = w.StatusText();
    Calculate(w.LiqLineCalcBtn, [](TLineLossForm* d) {
        PickTube(d, tsMetric, "8x1");
        TypeAndLeave(d->LengthEd, "30");
        EXPECT_TRUE(d->Loss());
        QTest::mouseClick(d->CancelButton, Qt::LeftButton);
    });
    EXPECT_EQ(w.LiqLineEd->text(), "0.25000");
    Calculate(w.LiqRiserCalcBtn, [](TLineLossForm* d) {
        Enter(d->LengthEd);
        QTest::keyClicks(d->LengthEd, "6");
        QTest::keyClick(d->LengthEd, Qt::Key_Escape); // the field's own edit first
        EXPECT_EQ(d->LengthEd->text(), "3.000");
        EXPECT_TRUE(d->isVisible());
        QTest::keyClick(d->LengthEd, Qt::Key_Escape); // then the dialog
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Rejected);
    });
    EXPECT_EQ(w.LiqRiserEd->text(), "0.00000");
    EXPECT_EQ(w.StatusText(), status);
}

// Inputs that give no loss: the reason in the dialog, OK disabled, Enter does
// nothing, and the field keeps its value.
TEST_F(LineLossTest, RefusesWithTheReasonAndWritesNothing)
{
    struct TCase {
        const char* what;
        const char* refrigerant;
        double capacity;
        const char* wall;
        const char* message;
    };
    const TCase cases[] = {
        {"refrigerant without viscosity data", "R134a", 10, "1", "No viscosity data for R134a"},
        {"no duty typed in the selector", "R22", 0, "1", "A cooling duty is needed: type it in the Cooling Duty field of the valve selector."},
        {"a wall that leaves no bore", "R22", 10, "6", "The wall leaves no bore in the tube."},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(c.what);
        window.reset();
        ClearSettings();
        lib.SelectByName(c.refrigerant);
        TLiquidLineForm& w = OpenLiquidLine(c.capacity);
        Calculate(w.LiqLineCalcBtn, [&](TLineLossForm* d) {
            TypeAndLeave(d->WallEd, c.wall);
            EXPECT_EQ(d->ErrorText().toStdString(), c.message);
            EXPECT_FALSE(d->OkButton->isEnabled());
            EXPECT_FALSE(d->Loss());
            EXPECT_EQ(d->LossText(), "Pressure loss: -");
            d->SeriesList->setFocus();
            QTest::keyClick(d->SeriesList, Qt::Key_Return);
            EXPECT_TRUE(d->isVisible()) << "no loss to accept";
            d->accept();
            EXPECT_TRUE(d->isVisible());
            d->reject();
        });
        EXPECT_EQ(w.LiqLineEd->text(), "0.10000");
        EXPECT_DOUBLE_EQ(w.TotalDP(), 130);
    }
}

// R32 is fitted up to 50 °C: condensing at 60 °C the loss is given, with the warning.
TEST_F(LineLossTest, WarnsOfAPlantBeyondTheRefrigerantsDataRangeAndGivesTheLoss)
{
    TRefrigLib shipped(KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf");
    shipped.SelectByName("R32");
    for (const auto& [tc, warning] : {std::pair {60.0, "Warning: outside the data range of R32 (\u221245\u202650 \u00B0C)"},
                                      std::pair {45.0, ""}}) {
        window = std::make_unique<TLiquidLineForm>();
        window->SetPlant({.lib = &shipped, .te = -5, .tc = tc, .capacity = 10});
        Show(*window);
        Calculate(window->LiqLineCalcBtn, [&](TLineLossForm* d) {
            EXPECT_EQ(d->ErrorText().toStdString(), warning) << tc;
            EXPECT_TRUE(d->OkButton->isEnabled()) << tc;
            EXPECT_TRUE(d->Loss()) << tc;
            d->reject();
        });
    }
}

TEST_F(LineLossTest, CalculatedLossIsStoredWhenTheWindowClosesAlsoByCancel)
{
    TLiquidLineForm& w = OpenLiquidLine();
    PickUnit(w.LiqLineEd, kKPa);
    const double expected = Expected({12, 1, 15, 0});
    Calculate(w.LiqLineCalcBtn, [](TLineLossForm* d) {
        PickTube(d, tsMetric, "12x1");
        TypeAndLeave(d->LengthEd, "15");
        QTest::mouseClick(d->OkButton, Qt::LeftButton);
    });
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);

    window.reset();
    TLiquidLineForm& again = OpenLiquidLine();
    EXPECT_EQ(again.LiqLineEd->UnitsValue(), kKPa);
    EXPECT_NEAR(again.LiqLineEd->Value(), expected, 5e-4);
    EXPECT_NEAR(again.TotalDP(), 120 + again.LiqLineEd->Value(), 1e-9);
}

TEST_F(LineLossTest, TheDialogsInputsComeBackAtTheNextStartAlsoAfterCancel)
{
    TLiquidLineForm& w = OpenLiquidLine();
    Calculate(w.LiqLineCalcBtn, [](TLineLossForm* d) {
        PickTube(d, tsAcr, "5/8");
        TypeAndLeave(d->LengthEd, "25");
        Enter(d->SubcoolEd);
        QTest::keyClicks(d->SubcoolEd, "3"); // still being typed at Cancel
        QTest::mouseClick(d->CancelButton, Qt::LeftButton);
    });
    Calculate(w.LiqRiserCalcBtn, [](TLineLossForm* d) {
        TypeAndLeave(d->OdEd, "18");
        TypeAndLeave(d->LengthEd, "-1.5");
        QTest::mouseClick(d->OkButton, Qt::LeftButton);
    });

    window.reset();
    TLiquidLineForm& again = OpenLiquidLine();
    Calculate(again.LiqLineCalcBtn, [this](TLineLossForm* d) {
        EXPECT_EQ(d->SeriesList->currentText(), "ASTM B280");
        EXPECT_EQ(d->TubeList->currentText(), "5/8");
        EXPECT_EQ(d->LengthEd->text(), "25.000");
        EXPECT_EQ(d->SubcoolEd->text(), "3.0");
        const TLineTube tube = d->Tube();
        EXPECT_EQ(tube.od, 0.625 * 25.4) << "the tube's own size, not its text";
        EXPECT_EQ(tube.wall, 0.040 * 25.4);
        TLineCycle cycle = d->Cycle();
        EXPECT_EQ(cycle.sc, 3);
        ASSERT_TRUE(d->Loss());
        EXPECT_NEAR(*d->Loss(), ComputeLine(lib, lkLiquid, cycle, tube).pressureDrop / 1000, 1e-9);
        d->reject();
    });
    Calculate(again.LiqRiserCalcBtn, [](TLineLossForm* d) {
        EXPECT_EQ(d->TubeList->currentText(), "Typed size");
        EXPECT_EQ(d->Tube().od, 18);
        EXPECT_EQ(d->Tube().wall, 1);
        EXPECT_EQ(d->Tube().rise, -1.5);
        EXPECT_EQ(d->SubcoolEd->text(), "5.0") << "each dialog keeps its own";
        d->reject();
    });
}

// Mnemonics open the dialogs, Tab runs down its rows, Enter moves on from a
// field and accepts from a list.
TEST_F(LineLossTest, KeyboardReachesEverything)
{
    TLiquidLineForm& w = OpenLiquidLine();
    EXPECT_EQ(w.LiqLineCalcBtn->text(), "Ca&lculate…");
    EXPECT_EQ(w.LiqRiserCalcBtn->text(), "Calc&ulate…");
    EXPECT_EQ(w.LiqLineCalcBtn->focusPolicy(), Qt::NoFocus) << "Tab stays among the losses";
    Enter(w.LiqLineEd);
    QTest::keyClick(w.LiqLineEd, Qt::Key_Tab);
    EXPECT_TRUE(w.LiqFittingEd->hasFocus());

    bool opened = false;
    OnNextModal<TLineLossForm>([&](TLineLossForm* d) {
        opened = true;
        EXPECT_EQ(d->windowTitle(), "Liquid Line Loss");
        d->SeriesList->setFocus(Qt::TabFocusReason);
        QStringList order;
        for (int i = 0; i < 8; ++i) {
            QWidget* focused = QApplication::focusWidget();
            order << focused->objectName();
            QTest::keyClick(focused, Qt::Key_Tab);
        }
        EXPECT_EQ(order.join(" "), "SeriesList TubeList OdEd WallEd LengthEd SubcoolEd SuperheatEd " + d->OkButton->objectName());
        for (const char* name : {"SeriesListCaption", "TubeListCaption", "OdEdCaption", "WallEdCaption",
                                 "LengthEdCaption", "SubcoolEdCaption", "SuperheatEdCaption"})
            EXPECT_TRUE(d->findChild<QLabel*>(name)->text().contains('&')) << name;
        Enter(d->LengthEd);
        QTest::keyClicks(d->LengthEd, "7");
        QTest::keyClick(d->LengthEd, Qt::Key_Return);
        EXPECT_TRUE(d->SubcoolEd->hasFocus());
        EXPECT_TRUE(d->isVisible());
        d->TubeList->setFocus();
        QTest::keyClick(d->TubeList, Qt::Key_Return);
        EXPECT_FALSE(d->isVisible());
        EXPECT_EQ(d->result(), QDialog::Accepted);
    });
    // A mnemonic clicks its button after the button's short pressed look.
    QTest::keyClick(w.LiqFittingEd, Qt::Key_L, Qt::AltModifier);
    for (int i = 0; i < 200 && !opened; ++i)
        QTest::qWait(10);
    ASSERT_TRUE(opened);
    EXPECT_NEAR(w.LiqLineEd->Value(), Expected({12, 1, 7, 0}), 5e-4);
}

// Through the valve selector: its refrigerant, temperatures and typed duty are
// the plant's, and the liquid line window's total goes back on Accept.
TEST_F(LineLossTest, TheSelectorsConditionsAreThePlants)
{
    InstallSample();
    TTxValveForm& f = Open();
    TypeAndLeave(f.CapacityEd, "10");
    TypeAndLeave(f.CondTempEd, "40");
    double total = 0;
    OnNextModal<TLiquidLineForm>([&](TLiquidLineForm* liquid) {
        Calculate(liquid->LiqLineCalcBtn, [&](TLineLossForm* d) {
            const TLineCycle cycle = d->Cycle();
            EXPECT_EQ(cycle.capacity, 10);
            EXPECT_EQ(cycle.te, 5.5);
            EXPECT_EQ(cycle.tc, 40);
            EXPECT_EQ(cycle.sc, 5) << "the dialog's default sub-cooling";
            EXPECT_EQ(d->PlantLabel->text(), "R22, evaporating 5.5 °C, condensing 40.0 °C, cooling duty 10.000 kW");
            PickTube(d, tsMetric, "10x1");
            TypeAndLeave(d->LengthEd, "20");
            TypeAndLeave(d->SubcoolEd, "3");
            TLineCycle expected = cycle;
            expected.sc = 3;
            ASSERT_TRUE(d->Loss());
            EXPECT_NEAR(*d->Loss(), ComputeLine(lib, lkLiquid, expected, {10, 1, 20, 0}).pressureDrop / 1000, 1e-9);
            QTest::mouseClick(d->OkButton, Qt::LeftButton);
        });
        total = liquid->TotalDP();
        QTest::mouseClick(liquid->ToolButton1, Qt::LeftButton);
    });
    QTest::mouseClick(f.SpeedButton1, Qt::LeftButton);
    EXPECT_GT(total, 120);
    EXPECT_NEAR(f.LiqLineDPEd->Value(), total, 5e-4);

    // No duty in the selector: the dialog says a duty is needed.
    TypeAndLeave(f.CapacityEd, "0");
    OnNextModal<TLiquidLineForm>([&](TLiquidLineForm* liquid) {
        Calculate(liquid->LiqRiserCalcBtn, [&](TLineLossForm* d) {
            EXPECT_EQ(d->windowTitle(), "Vertical Liquid Line Loss");
            EXPECT_TRUE(d->ErrorText().startsWith("A cooling duty is needed"));
            EXPECT_FALSE(d->OkButton->isEnabled());
            d->reject();
        });
        liquid->reject();
    });
    QTest::mouseClick(f.SpeedButton1, Qt::LeftButton);
}
