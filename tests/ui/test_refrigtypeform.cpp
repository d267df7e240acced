// The refrigerant picker: the library's refrigerants, the saturation converter and
// the data text, and the main window's refrigerant name that opens it.
#include "tests/ui/uitest.h"

#include <QFontInfo>
#include <QLabel>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>

#include "widgets/clicklabel.h"
#include "core/numtext.h"
#include "core/refrigsummary.h"
#include "ui/refrigtypeform.h"

namespace {

QStringList MemoLines(const TRefrigTypeForm& picker)
{
    return picker.Memo1->toPlainText().split('\n');
}

QStringList SummaryLines(const TRefrigLib& lib, double temperature, double pressure)
{
    QStringList lines;
    for (const std::string& line : RefrigSummaryLines(lib, temperature, pressure))
        lines << QString::fromStdString(line);
    return lines;
}

// The pressure text the field shows for the dew pressure at `temperature`.
QString DewPressureText(const TRefrigLib& lib, double temperature)
{
    TFmtEdit shown;
    shown.Apply({.kind = utPressure, .formatType = ft_Auto, .format = "%0.3f"});
    shown.SetValue(lib.DewP(temperature) * 0.001);
    return shown.text();
}

class RefrigPickerTest : public MainWindowTest {
protected:
    void TearDown() override
    {
        picker.reset();
        MainWindowTest::TearDown();
    }

    TRefrigTypeForm& OpenPicker()
    {
        picker = std::make_unique<TRefrigTypeForm>(lib);
        picker->open();
        QApplication::setActiveWindow(picker.get());
        EXPECT_TRUE(QTest::qWaitForWindowExposed(picker.get()));
        return *picker;
    }

    std::unique_ptr<TRefrigTypeForm> picker;
};

} // namespace

TEST_F(RefrigPickerTest, Design)
{
    lib.SelectByName("R22");
    TRefrigTypeForm dialog(lib);
    EXPECT_EQ(dialog.windowTitle(), "Refrigerant");
    EXPECT_EQ(dialog.size(), QSize(454, 324));
    EXPECT_TRUE(dialog.windowFlags() & Qt::Tool);
    EXPECT_FALSE(dialog.windowFlags() & (Qt::WindowCloseButtonHint | Qt::WindowMinMaxButtonsHint)) << "no title-bar buttons";
    EXPECT_LT(dialog.minimumWidth(), 420);
    EXPECT_LE(dialog.minimumHeight(), 324);
    EXPECT_GT(dialog.maximumWidth(), 454);
    EXPECT_LE(dialog.maximumWidth(), 600);
    EXPECT_LE(dialog.maximumHeight(), 600);

    // At creation: the first entry marked, the selection left alone.
    ASSERT_EQ(dialog.RefrigList->count(), 2);
    EXPECT_EQ(dialog.RefrigList->item(0)->text(), "R134a");
    EXPECT_EQ(dialog.RefrigList->currentRow(), 0);
    EXPECT_EQ(lib.GetName(), "R22");
    EXPECT_EQ(dialog.RefrigList->geometry().topLeft(), QPoint(0, 0));
    EXPECT_EQ(dialog.RefrigList->width(), 139);

    EXPECT_EQ(dialog.Heading->text(), "Saturated Vapor State");
    EXPECT_TRUE(dialog.Heading->font().bold());
    EXPECT_EQ(dialog.edTemp->geometry(), QRect(139 + 103, 31, 70, 21));
    EXPECT_EQ(dialog.edPress->geometry(), QRect(139 + 103, 61, 70, 21));
    EXPECT_EQ(dialog.edTemp->text(), "6.0");
    EXPECT_EQ(dialog.edTemp->UnitsType(), utTemperature);
    EXPECT_EQ(dialog.edTemp->FormatType(), ft_Fixed);
    EXPECT_EQ(dialog.edPress->UnitsType(), utPressure);
    EXPECT_EQ(dialog.edPress->FormatType(), ft_Auto);
    EXPECT_EQ(dialog.edPress->RangeLo(), 0);
    EXPECT_EQ(dialog.edPress->RangeHi(), 0);
    EXPECT_EQ(dialog.edPress->text(), DewPressureText(lib, 6.0));
    EXPECT_EQ(dialog.findChild<QLabel*>("edTempCaption")->text(), "Temperature");
    EXPECT_EQ(dialog.findChild<QLabel*>("edPressCaption")->text(), "Abs. Pressure");

    EXPECT_EQ(dialog.AcceptBtn->text(), "OK");
    EXPECT_EQ(dialog.AcceptBtn->size(), QSize(50, 22));
    EXPECT_EQ(dialog.AcceptBtn->geometry().right(), dialog.width() - 7) << "top right corner";
    EXPECT_TRUE(dialog.Memo1->isReadOnly());
    EXPECT_EQ(dialog.Memo1->focusPolicy(), Qt::NoFocus);
    EXPECT_TRUE(QFontInfo(dialog.Memo1->font()).fixedPitch());
    EXPECT_EQ(NextTabStop(dialog.RefrigList), dialog.AcceptBtn);
    EXPECT_EQ(NextTabStop(dialog.AcceptBtn), dialog.edTemp);
    EXPECT_EQ(NextTabStop(dialog.edTemp), dialog.edPress);
}

TEST_F(RefrigPickerTest, OpeningMarksTheLoadedRefrigerantAndShowsItsData)
{
    lib.SelectByName("R22");
    OpenPicker();
    ASSERT_NE(picker->RefrigList->currentItem(), nullptr);
    EXPECT_EQ(picker->RefrigList->currentItem()->text(), "R22");
    EXPECT_EQ(picker->StatusBar1->currentMessage(), "Select refrigerant and press OK");
    EXPECT_EQ(picker->edPress->text(), DewPressureText(lib, 6.0));
    const QStringList lines = MemoLines(*picker);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_EQ(lines[0].toStdString(), lib.Description());
    EXPECT_EQ(lines, SummaryLines(lib, 6.0, picker->edPress->Value()));
    EXPECT_TRUE(lines[2].startsWith("Critical Temperature = "));
    EXPECT_TRUE(messages.empty());
}

TEST_F(RefrigPickerTest, AClickSelectsAtOnceAndTheMainWindowFollowsAfterOK)
{
    Open();
    TRefrigTypeForm dialog(lib, this->form.get());
    this->form->SetCommandWindow(mwRefrigPicker, [&dialog] { dialog.exec(); });
    bool selectedAtOnce = false;
    QTimer::singleShot(0, [&] {
        ClickItem(dialog.RefrigList, "R134a");
        selectedAtOnce = lib.GetName() == "R134a" && MemoLines(dialog)[0].toStdString() == lib.Description();
        QTest::mouseClick(dialog.AcceptBtn, Qt::LeftButton);
    });
    QTest::mouseClick(this->form->RefLabel, Qt::LeftButton);
    EXPECT_TRUE(selectedAtOnce);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(lib.GetName(), "R134a");
    EXPECT_EQ(this->form->RefLabel->text(), "R134a");
    EXPECT_EQ(this->form->StatusText(), "Not solved...");
    EXPECT_TRUE(messages.empty());
}

TEST_F(RefrigPickerTest, TheConverterLeavesTheDataTextAsItWas)
{
    lib.SelectByName("R22");
    OpenPicker();
    const QStringList before = MemoLines(*picker);
    TypeAndLeave(picker->edTemp, "10");
    EXPECT_EQ(picker->edPress->text(), DewPressureText(lib, 10.0));
    EXPECT_EQ(MemoLines(*picker), before) << "volume, density and latent heat stay at 6 degC";
    // Back from a pressure: the dew temperature.
    TypeAndLeave(picker->edPress, "1000");
    EXPECT_EQ(picker->edTemp->text(), QString::fromStdString(FormatNumber("%0.1f", lib.DewT(1e6))));
    EXPECT_EQ(MemoLines(*picker), before);
    // The next click refills it at the new temperature.
    ClickItem(picker->RefrigList, "R134a");
    EXPECT_EQ(MemoLines(*picker), SummaryLines(lib, picker->edTemp->Value(), picker->edPress->Value()));
    EXPECT_NE(MemoLines(*picker), before);
}

TEST_F(RefrigPickerTest, ARefrigerantWhoseDataFailShowsTheErrorLine)
{
    // No liquid volume: the density divides by zero.
    TRefrigLib broken(dir.Write("Broken.rdf", "[R22]\r\nRNumber=R22\r\n[R999]\r\nRNumber=R999\r\nlv=0.0,0,0,0\r\n"));
    broken.SelectByName("R22");
    TRefrigTypeForm dialog(broken);
    dialog.open();
    ClickItem(dialog.RefrigList, "R999");
    EXPECT_EQ(broken.GetName(), "R999");
    const QStringList lines = MemoLines(dialog);
    ASSERT_EQ(lines.size(), 9);
    EXPECT_TRUE(lines[6].startsWith("Vapor Specific Volume = "));
    EXPECT_EQ(lines[7], "");
    EXPECT_EQ(lines[8], "Error reading this refrigerant...");
    EXPECT_TRUE(messages.empty());
}

TEST_F(RefrigPickerTest, WithoutALibraryFileTheListIsEmpty)
{
    TRefrigLib none("");
    TRefrigTypeForm dialog(none);
    dialog.open();
    EXPECT_EQ(dialog.RefrigList->count(), 0);
    EXPECT_EQ(dialog.RefrigList->currentItem(), nullptr);
    EXPECT_EQ(MemoLines(dialog)[0].toStdString(), none.Description()) << "the built-in record";
    EXPECT_TRUE(messages.empty());
}

TEST_F(RefrigPickerTest, TheShippedListBringsABlendFoundByItsFirstCharactersIntoViewWithItsCompositionAndGlide)
{
    TRefrigLib shipped(KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf");
    shipped.SelectByName("R22");
    TRefrigTypeForm dialog(shipped);
    dialog.open();
    QApplication::setActiveWindow(&dialog);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    ASSERT_EQ(dialog.RefrigList->count(), 23);

    dialog.RefrigList->setFocus();
    QTest::keyClicks(dialog.RefrigList, "R448");
    EXPECT_EQ(shipped.GetName(), "R448A");
    EXPECT_EQ(dialog.RefrigList->currentItem()->text(), "R448A");
    const QRect shown = dialog.RefrigList->visualItemRect(dialog.RefrigList->currentItem());
    EXPECT_TRUE(dialog.RefrigList->viewport()->rect().contains(shown)) << "scrolled to the chosen name";

    const QStringList lines = MemoLines(dialog);
    EXPECT_TRUE(lines[0].contains("R32/125/1234yf/134a/1234ze(E) (26/26/20/21/7)")) << lines[0].toStdString();
    const double glide = shipped.Glide(1000.0 * dialog.edPress->Value());
    EXPECT_GT(glide, 3.0) << "R448A is a blend with a wide glide";
    EXPECT_EQ(lines[5].toStdString(), FormatNumber("Temperature Glide = %0.1f °C", glide));
    EXPECT_TRUE(messages.empty());
}
