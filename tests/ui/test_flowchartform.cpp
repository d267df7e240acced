// The fault-finding chart window answered from the keyboard.
#include "tests/ui/uitest.h"

#include <QColor>
#include <QImage>
#include <QLabel>
#include <QPixmap>
#include <QPushButton>

#include "ui/flowchartform.h"
#include "tests/support/hookguard.h"

namespace {

class FlowChartTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::filesystem::create_directories(dir.File("Help"));
        // Each picture of its own size, so the one shown tells which it is.
        for (int n = 0; n <= 6; ++n) {
            QImage picture(100 + n, 50, QImage::Format_RGB32);
            picture.fill(Qt::white);
            ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("Help/fault" + std::to_string(n) + ".png"))));
        }
        chart = std::make_unique<TFlowChartForm>(dir.File("Help"));
    }

    void TearDown() override
    {
        chart.reset();
    }

    void OpenChart()
    {
        chart->open();
        QApplication::setActiveWindow(chart.get());
        ASSERT_TRUE(QTest::qWaitForWindowExposed(chart.get()));
    }

    // Keys go to the focused control, as the keyboard sends them.
    void Press(const char* keys)
    {
        for (const char* k = keys; *k; ++k) {
            QWidget* target = chart->focusWidget() ? chart->focusWidget() : chart.get();
            QTest::keyClick(target, *k);
        }
    }

    void ClickStart() { QTest::mouseClick(chart->Button1, Qt::LeftButton); }

    int PictureNumber() const { return chart->Image1->pixmap().width() - 100; }
    QString Question() const { return chart->QuestionLabel->text(); }
    QString Conclusion() const { return chart->DLabel->text(); }

    TTempFolder dir;
    std::unique_ptr<TFlowChartForm> chart;
    std::vector<std::string> messages;

private:
    THookGuard<TMessageHook> messageHook_ {SetMessageHook, [this](const std::string& text) { messages.push_back(text); }};
};

} // namespace

TEST_F(FlowChartTest, Design)
{
    EXPECT_EQ(chart->windowTitle(), "Fault flowchart");
    EXPECT_EQ(chart->size(), QSize(547, 435));
    EXPECT_TRUE(chart->windowFlags() & Qt::Tool);
    EXPECT_EQ(chart->Button1->text(), "Start");
    EXPECT_EQ(chart->Button1->geometry(), QRect(8, 8, 48, 25));
    EXPECT_EQ(chart->Label1->pos(), QPoint(70, 13));
    EXPECT_EQ(chart->Label1->text(),
              "Click the start button to restart.  Answer with Y or N (Q to quit the test)");
    EXPECT_EQ(chart->QuestionLabel->objectName(), "QLabel");
    EXPECT_EQ(chart->QuestionLabel->pos(), QPoint(8, 41));
    EXPECT_EQ(chart->QuestionLabel->text(), "Question...?");
    EXPECT_EQ(chart->QuestionLabel->font().pixelSize(), 16);
    EXPECT_EQ(chart->QuestionLabel->palette().color(QPalette::WindowText), QColor("maroon"));
    EXPECT_EQ(chart->DLabel->pos(), QPoint(8, 68));
    EXPECT_EQ(chart->DLabel->text(), "Diagnosis...");
    EXPECT_EQ(chart->DLabel->palette().color(QPalette::WindowText), QColor(Qt::black));
    // The overview of the decision tree, built in, fills the picture area.
    EXPECT_EQ(chart->Image1->pos(), QPoint(8, 93));
    ASSERT_FALSE(chart->Image1->pixmap().isNull());
    EXPECT_EQ(chart->Image1->size(), chart->Image1->pixmap().size());
    EXPECT_TRUE(QRect(QPoint(0, 0), chart->size()).contains(chart->Image1->geometry()));
    EXPECT_TRUE(messages.empty());
}

TEST_F(FlowChartTest, AnswersLeadToTheConclusionAndItsPicture)
{
    OpenChart();
    EXPECT_EQ(Question(), "Click [Start] to begin");
    EXPECT_EQ(Conclusion(), "");
    ClickStart();
    EXPECT_EQ(Question(), "Is the LP low (y/n)?");
    EXPECT_EQ(PictureNumber(), 0);
    Press("NN");
    EXPECT_EQ(Conclusion(), "Lack of compressor capacity!");
    EXPECT_EQ(Question(), "Click [Start] to reset");
    EXPECT_EQ(PictureNumber(), 4);

    ClickStart();
    EXPECT_EQ(Conclusion(), "");
    EXPECT_EQ(PictureNumber(), 0);
    Press("yn");
    EXPECT_EQ(Conclusion(), "Lack of evaporator capacity!");
    EXPECT_EQ(Question(), "Low fluid DT across evaporator (y/n)?");
    EXPECT_EQ(PictureNumber(), 5);
    Press("Y");
    EXPECT_EQ(Conclusion(), "Fouled evaporator!");
    EXPECT_EQ(PictureNumber(), 5);

    ClickStart();
    Press("YYYY");
    EXPECT_EQ(Conclusion(), "Pre-expansion in the liquid line!");
    EXPECT_EQ(PictureNumber(), 0);
    EXPECT_TRUE(chart->isVisible()) << "the window stays with the conclusion";
    // Space on the focused Start button presses it.
    chart->Button1->setFocus();
    QTest::keyClick(chart->Button1, Qt::Key_Space);
    EXPECT_EQ(Question(), "Is the LP low (y/n)?");
    Press("NN");
    QTest::keyClick(chart->Button1, Qt::Key_Return);
    EXPECT_EQ(Question(), "Is the LP low (y/n)?") << "so does Enter";
    EXPECT_TRUE(messages.empty());
}

TEST_F(FlowChartTest, QAtAQuestionClosesAndTheNextOpeningStartsAfresh)
{
    OpenChart();
    ClickStart();
    Press("NYN");
    ASSERT_EQ(PictureNumber(), 6);
    Press("q");
    EXPECT_FALSE(chart->isVisible());
    EXPECT_EQ(chart->result(), QDialog::Rejected);

    OpenChart();
    EXPECT_EQ(Question(), "Click [Start] to begin");
    EXPECT_EQ(Conclusion(), "");
    EXPECT_EQ(PictureNumber(), 6) << "the last picture shown stays";
    // Q with no question waiting does not close; the next run is not quit by it.
    Press("Q");
    EXPECT_TRUE(chart->isVisible());
    ClickStart();
    Press("N");
    EXPECT_EQ(Question(), "Is the HP high (y/n)?");
    EXPECT_TRUE(chart->isVisible());
}

TEST_F(FlowChartTest, AMissingPictureIsReportedAndStopsTheRun)
{
    std::filesystem::remove(dir.File("Help/fault4.png"));
    OpenChart();
    ClickStart();
    Press("NN");
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot open file \"" + dir.File("Help/fault4.png") + "\".");
    EXPECT_EQ(Conclusion(), "Lack of compressor capacity!");
    EXPECT_TRUE(chart->isVisible());
    EXPECT_FALSE(chart->Chart().Asking());
}
