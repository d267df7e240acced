// The liquid line window: five losses in one unit, their total, Reset, and the
// values and unit stored whenever the window closes.
#include "tests/tools/txvalveform/valveformtest.h"

#include <QLabel>
#include <QToolButton>

#include "tools/txvalveform/liquidlineform.h"

namespace {

class LiquidLineTest : public WindowTest {
protected:
    TLiquidLineForm& OpenLiquidLine()
    {
        if (!window)
            window = std::make_unique<TLiquidLineForm>();
        Show(*window);
        return *window;
    }

    std::vector<TFmtEdit*> Fields() const
    {
        return {window->LiqLineEd, window->LiqFittingEd, window->LiqRiserEd, window->LiqDistribEd,
                window->DistribTubesEd};
    }

    void TearDown() override
    {
        window.reset();
        WindowTest::TearDown();
    }

    std::unique_ptr<TLiquidLineForm> window;
};

} // namespace

TEST_F(LiquidLineTest, OpensWithTheDefaultLossesInBarTotalling130kPa)
{
    TLiquidLineForm& w = OpenLiquidLine();
    EXPECT_EQ(w.windowTitle(), "Liquid Line dP");
    EXPECT_EQ(w.ToolButton1->text(), "&Accept");
    EXPECT_EQ(w.ToolButton2->text(), "&Cancel");
    EXPECT_EQ(w.ToolButton3->text(), "&Reset");
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    struct Row {
        const char* name;
        const char* caption;
        const char* text;
    };
    const Row rows[] = {
        {"LiqLineEd", "Liquid Line", "0.10000"},
        {"LiqFittingEd", "Liquid Fittings", "0.20000"},
        {"LiqRiserEd", "Vertical Liq Line", "0.00000"},
        {"LiqDistribEd", "Liquid Distributor", "0.50000"},
        {"DistribTubesEd", "Distributor Tubes", "0.50000"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto* field = w.findChild<TFmtEdit*>(row.name);
        ASSERT_NE(field, nullptr);
        EXPECT_EQ(field->text(), row.text);
        EXPECT_EQ(field->UnitsLabel()->text(), "Bar");
        EXPECT_EQ(field->SigDigs(), 5);
        EXPECT_EQ(w.findChild<QLabel*>(QString(row.name) + "Caption")->text(), row.caption);
    }
    EXPECT_DOUBLE_EQ(w.TotalDP(), 130);
    EXPECT_EQ(w.StatusText(), "Total dP = 1.30 Bar");
}

TEST_F(LiquidLineTest, OneFieldsUnitSwitchesAllFive)
{
    TLiquidLineForm& w = OpenLiquidLine();
    PickUnit(w.LiqRiserEd, 0); // "kPa"
    const char* const texts[] = {"10.000", "20.000", "0.000", "50.000", "50.000"};
    for (size_t i = 0; i < Fields().size(); ++i) {
        EXPECT_EQ(Fields()[i]->UnitsValue(), 0) << i;
        EXPECT_EQ(Fields()[i]->text(), texts[i]) << i;
        EXPECT_EQ(Fields()[i]->UnitsLabel()->text(), "kPa") << i;
    }
    EXPECT_EQ(w.StatusText(), "Total dP = 130 kPa");
    PickUnit(w.DistribTubesEd, 2); // "Psi"
    for (TFmtEdit* field : Fields())
        EXPECT_EQ(field->UnitsLabel()->text(), "Psi");
    EXPECT_EQ(w.StatusText(), "Total dP = 18.9 Psi");
}

TEST_F(LiquidLineTest, NegativeEntryLowersTheTotalAndResetRestoresTheDefaults)
{
    TLiquidLineForm& w = OpenLiquidLine();
    TypeAndLeave(w.LiqRiserEd, "-0.2");
    TypeAndLeave(w.LiqLineEd, "0.35");
    EXPECT_NEAR(w.TotalDP(), 135, 1e-9);
    EXPECT_EQ(w.StatusText(), "Total dP = 1.35 Bar");
    QTest::mouseClick(w.ToolButton3, Qt::LeftButton);
    EXPECT_EQ(w.LiqLineEd->text(), "0.10000");
    EXPECT_EQ(w.LiqRiserEd->text(), "0.00000");
    EXPECT_DOUBLE_EQ(w.TotalDP(), 130);
    EXPECT_EQ(w.StatusText(), "Total dP = 1.30 Bar");
}

TEST_F(LiquidLineTest, CancelStillStoresTheTypedValuesAndTheUnit)
{
    TLiquidLineForm& w = OpenLiquidLine();
    PickUnit(w.LiqLineEd, 0); // "kPa"
    TypeAndLeave(w.LiqFittingEd, "35");
    // Still being typed when Cancel is clicked: it counts as entered.
    Enter(w.LiqDistribEd);
    QTest::keyClicks(w.LiqDistribEd, "42.5");
    w.resize(300, 260);
    QTest::mouseClick(w.ToolButton2, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Rejected);
    EXPECT_FALSE(w.isVisible());

    window.reset();
    TLiquidLineForm& again = OpenLiquidLine();
    EXPECT_EQ(again.size(), QSize(300, 260));
    for (TFmtEdit* field : Fields())
        EXPECT_EQ(field->UnitsValue(), 0);
    EXPECT_EQ(again.LiqFittingEd->text(), "35.000");
    EXPECT_EQ(again.LiqDistribEd->text(), "42.500");
    EXPECT_EQ(again.LiqLineEd->text(), "10.000");
    EXPECT_NEAR(again.TotalDP(), 137.5, 1e-9);
    EXPECT_EQ(again.StatusText(), "Total dP = 138 kPa");
}

TEST_F(LiquidLineTest, AcceptStoresTooAndEnterMovesToTheNextField)
{
    TLiquidLineForm& w = OpenLiquidLine();
    Enter(w.LiqLineEd);
    QTest::keyClicks(w.LiqLineEd, "0.4");
    QTest::keyClick(w.LiqLineEd, Qt::Key_Return);
    EXPECT_TRUE(w.LiqFittingEd->hasFocus());
    EXPECT_EQ(w.StatusText(), "Total dP = 1.60 Bar");
    QTest::mouseClick(w.ToolButton1, Qt::LeftButton);
    EXPECT_EQ(w.result(), QDialog::Accepted);

    window.reset();
    EXPECT_NEAR(OpenLiquidLine().TotalDP(), 160, 1e-9);
    EXPECT_EQ(window->LiqLineEd->text(), "0.40000");
}
