// The measurement dialog: five readings straight into the main window's cycle.
#include "tests/ui/uitest.h"

#include <QCheckBox>
#include <QDir>
#include <QImage>
#include <QLabel>

#include "ui/measureform.h"
#include "core/numtext.h"

namespace {

class MeasureFormTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // The dialog reads its picture from Images below the working directory.
        previousDir_ = QDir::currentPath();
        ASSERT_TRUE(QDir::setCurrent(QString::fromStdString(dir.File(""))));
        QImage picture(300, 196, QImage::Format_ARGB32);
        picture.fill(QColor(10, 200, 30));
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("Images/small_cycle.png"))));
    }

    void TearDown() override
    {
        measure.reset();
        QDir::setCurrent(previousDir_);
        MainWindowTest::TearDown();
    }

    // The main window loaded and solved, the dialog attached to its cycle and shown.
    TMeasureForm& OpenMeasure()
    {
        Open();
        measure = std::make_unique<TMeasureForm>(*form, settings, form.get());
        measure->AttachCycle(form->Cycle());
        measure->show();
        QApplication::setActiveWindow(measure.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(measure.get()));
        return *measure;
    }

    QString Caption() const { return QString::fromStdString(FormatNumber("COPc = %0.2f", form->Cycle().COPc)); }

    std::unique_ptr<TMeasureForm> measure;

private:
    QString previousDir_;
};

} // namespace

TEST_F(MeasureFormTest, Design)
{
    Open();
    TMeasureForm dialog(*form, settings, form.get());
    EXPECT_EQ(dialog.windowTitle(), "COPc");
    EXPECT_EQ(dialog.size(), QSize(545, 244));
    EXPECT_TRUE(dialog.windowFlags() & Qt::WindowStaysOnTopHint);
    EXPECT_TRUE(dialog.windowFlags() & Qt::Tool);
    struct Row {
        TFmtEdit* field;
        const char* name;
        const char* caption;
        int y;
        const char* text;
        const char* units;
        TUnitsType kind;
        TFormatType formatType;
        double lo, hi;
    };
    const Row rows[] = {
        {dialog.edHP, "edHP", "High Pressure,abs", 20, "1800.0", "kPa", utPressureBar, ft_Auto, 100, 100000},
        {dialog.edLP, "edLP", "Low Pressure,abs", 52, "450.00", "kPa", utPressureBar, ft_Auto, 100, 100000},
        {dialog.edSuction, "edSuction", "Suction Line temp", 84, "10.0", "°C", utTemperature, ft_Fixed, -1000, 1000},
        {dialog.edDischarge, "edDischarge", "Discharge Line temp", 116, "90.0", "°C", utTemperature, ft_Fixed, -1000, 1000},
        {dialog.edLiquid, "edLiquid", "Liquid Line temp", 148, "40.0", "°C", utTemperature, ft_Fixed, -1000, 1000},
    };
    TFmtEdit* previous = nullptr;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_NE(row.field, nullptr);
        EXPECT_EQ(row.field->objectName(), row.name);
        EXPECT_EQ(row.field->geometry(), QRect(117, row.y, 54, 21));
        EXPECT_EQ(row.field->text(), row.text);
        EXPECT_EQ(row.field->UnitsType(), row.kind);
        EXPECT_EQ(row.field->FormatType(), row.formatType);
        EXPECT_EQ(row.field->FormatStr(), row.formatType == ft_Auto ? "%0.3f" : "%0.1f");
        EXPECT_EQ(row.field->SigDigs(), 5);
        EXPECT_EQ(row.field->RangeLo(), row.lo);
        EXPECT_EQ(row.field->RangeHi(), row.hi);
        ASSERT_NE(row.field->UnitsLabel(), nullptr);
        EXPECT_EQ(row.field->UnitsLabel()->text(), QString::fromUtf8(row.units));
        const auto* caption = dialog.findChild<QLabel*>(QString(row.name) + "Caption");
        ASSERT_NE(caption, nullptr);
        EXPECT_EQ(caption->text(), row.caption);
        EXPECT_LE(caption->geometry().right(), 117);
        if (previous) {
            EXPECT_EQ(NextTabStop(previous), row.field) << "tab order";
        }
        previous = row.field;
    }
    EXPECT_EQ(dialog.Image1->geometry(), QRect(216, 20, 300, 196));
    EXPECT_EQ(dialog.Image1->pixmap().toImage().pixelColor(150, 100), QColor(10, 200, 30)) << "the file's picture";
    EXPECT_TRUE(messages.empty());
}

TEST_F(MeasureFormTest, WithoutThePictureFileTheDialogShowsItsOwnCopy)
{
    Open();
    std::filesystem::remove(dir.File("Images/small_cycle.png"));
    TMeasureForm dialog(*form, settings, form.get());
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot open file \"" + dir.File("Images/small_cycle.png") + "\".");
    ASSERT_FALSE(dialog.Image1->pixmap().isNull());
    EXPECT_EQ(dialog.Image1->pixmap().size(), QSize(300, 196));
    EXPECT_EQ(dialog.Image1->geometry(), QRect(216, 20, 300, 196));
}

TEST_F(MeasureFormTest, AttachShowsTheReadingsAndChecksTheLinkBoxes)
{
    Open();
    form->Cycle().LinkTcSDT = false;
    form->Cycle().LinkTeSST = false;
    form->ShowCycle();
    ASSERT_FALSE(form->cbcond->isChecked());
    OpenMeasure();
    EXPECT_TRUE(form->cbcond->isChecked());
    EXPECT_TRUE(form->cbevap->isChecked());
    EXPECT_EQ(measure->edHP->text(), form->HPEdit->text());
    EXPECT_EQ(measure->edLP->text(), form->LPEdit->text());
    EXPECT_EQ(measure->edSuction->text(), "12.5");
    EXPECT_EQ(measure->edDischarge->text(), form->tdEdit->text());
    EXPECT_EQ(measure->edLiquid->text(), "40.0");
    EXPECT_EQ(measure->windowTitle(), Caption());
    EXPECT_TRUE(measure->windowTitle().startsWith("COPc = "));

    // A high pressure sets the saturation temperatures; the first recalculation
    // shows the model's own link values again.
    TypeAndLeave(measure->edHP, "1500");
    const QString bubble = QString::fromStdString(FormatNumber("%0.1f", lib.BubbleT(1.5e6)));
    EXPECT_EQ(form->SDTEdit->text(), bubble);
    EXPECT_EQ(form->tcEdit->text(), bubble);
    EXPECT_FALSE(form->cbcond->isChecked());
    EXPECT_FALSE(form->cbevap->isChecked());
    EXPECT_TRUE(messages.empty());
}

TEST_F(MeasureFormTest, ReadingsGoIntoTheMainWindowsCycle)
{
    OpenMeasure();
    const QString efficiency = form->IeEdit->text();
    const QString caption = measure->windowTitle();
    TypeAndLeave(measure->edDischarge, "100");
    EXPECT_DOUBLE_EQ(form->Cycle().td, 100);
    EXPECT_EQ(form->tdEdit->text(), "100.0");
    EXPECT_NE(form->IeEdit->text(), efficiency) << "solved with the discharge temperature given";
    EXPECT_EQ(form->IeEdit->text(), QString::fromStdString(FormatNumber("%0.3f", form->Cycle().Ie)));
    EXPECT_EQ(measure->windowTitle(), Caption());
    EXPECT_NE(measure->windowTitle(), caption);

    struct Case {
        TFmtEdit* field;
        const char* typed;
        TFmtEdit* shows;
        std::string expected;
    };
    const Case cases[] = {
        {measure->edSuction, "12", form->shEdit, "7.0"}, // SST 5
        {measure->edLiquid, "38", form->scEdit, "7.0"},  // SDT 45
        {measure->edLiquid, "40", form->scEdit, "5.0"},
        {measure->edLP, "500", form->SSTEdit, FormatNumber("%0.1f", lib.DewT(5e5))},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        TypeAndLeave(c.field, c.typed);
        EXPECT_EQ(c.shows->text().toStdString(), c.expected);
    }
    EXPECT_DOUBLE_EQ(form->Cycle().sh, 7);
    EXPECT_DOUBLE_EQ(form->Cycle().sc, 5);
    EXPECT_EQ(form->tsEdit->text(), QString::fromStdString(FormatNumber("%0.1f", form->Cycle().SST + 7)));
    EXPECT_EQ(form->StatusText(), "Solved...") << "the dialog leaves the window's status alone";
    EXPECT_TRUE(messages.empty());
}

TEST_F(MeasureFormTest, LeavingAnUntouchedFieldRunsNoSolve)
{
    OpenMeasure();
    form->Cycle().Ie = 0.5; // a solve would compute it afresh
    const QString caption = measure->windowTitle();
    for (TFmtEdit* field : {measure->edHP, measure->edLP, measure->edSuction, measure->edDischarge, measure->edLiquid}) {
        Enter(field);
        QTest::keyClick(field, Qt::Key_Tab);
    }
    EXPECT_DOUBLE_EQ(form->Cycle().Ie, 0.5);
    EXPECT_EQ(measure->windowTitle(), caption);
}

TEST_F(MeasureFormTest, PositionKeptUnderMeasureForm)
{
    settings["MeasureForm"] = {{"Left", 40}, {"Top", 30}, {"Width", 545}, {"Height", 244}};
    OpenMeasure();
    EXPECT_EQ(measure->frameGeometry().topLeft(), QPoint(40, 30));
    measure->move(90, 70);
    measure->reject();
    EXPECT_FALSE(measure->isVisible());
    EXPECT_EQ(settings["MeasureForm"]["Left"], 90);
    EXPECT_EQ(settings["MeasureForm"]["Top"], 70);
    measure->show();
    EXPECT_EQ(measure->frameGeometry().topLeft(), QPoint(90, 70));
}
