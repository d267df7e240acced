// The chart window offscreen: texts shown or refused, the readout under the
// pointer, wheel and drag zoom, the fit commands, placement kept, and the
// hand-over from a real second start of the program.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QClipboard>
#include <QDir>
#include <QElapsedTimer>
#include <QLabel>
#include <QProcess>
#include <QTest>
#include <QWheelEvent>

#include "env/companion.h"
#include "tests/support/hookguard.h"
#include "tests/support/tempfolder.h"
#include "tests/tools/mollierform/molliertext.h"
#include "tools/mollierform/mollierprogram.h"
#include "tools/mollierform/mollierview.h"
#include "tools/mollierform/mollierwindow.h"
#include "widgets/messages.h"

namespace {

class MollierWindow : public ::testing::Test {
protected:
    std::vector<std::string> messages;
    THookGuard<TMessageHook> hook {SetMessageHook, [this](const std::string& m) { messages.push_back(m); }};
    TMollierWindow window {kLibrary, cuMetric};

    void SetUp() override
    {
        window.resize(1000, 700);
        window.show();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    }
    TMollierView& View() { return *window.View(); }
    TChartAxes Axes() { return TChartAxes(View().Shown(), PlotRectFor(View().width(), View().height())); }
    QPoint PixelOf(double h, double p)
    {
        const TChartAxes axes = Axes();
        return {static_cast<int>(std::lround(axes.X(h))), static_cast<int>(std::lround(axes.Y(p)))};
    }
};

} // namespace

TEST_F(MollierWindow, ShowsATextAndKeepsTheChartWhenOneIsRefused)
{
    window.ShowDefaultCycle();
    EXPECT_EQ(View().Chart().Cycle.Refrigerant, "R22");
    ASSERT_TRUE(window.ShowText(TextFor("R407C", "0.70 -5.000 40.000 6.00 4.00")));
    EXPECT_EQ(View().Chart().Cycle.Refrigerant, "R407C");
    EXPECT_EQ(window.windowTitle(), "Mollier Chart - R407C");
    EXPECT_TRUE(messages.empty());
    for (const char* bad : {"9 0.70 -5 40 6", "99 0.70 -5 40 6 4", "9 x -5 40 6 4"}) {
        EXPECT_FALSE(window.ShowText(bad));
        EXPECT_EQ(View().Chart().Cycle.Refrigerant, "R407C") << bad;
    }
    ASSERT_EQ(messages.size(), 3u);
    EXPECT_NE(messages[2].find("'x'"), std::string::npos) << messages[2];
}

TEST_F(MollierWindow, NotesACycleBeyondItsRefrigerantsDataRange)
{
    window.ShowDefaultCycle();
    EXPECT_TRUE(window.RangeNote()->isHidden());
    // R32 is fitted up to 50 °C; condensing at 60 °C is extrapolated.
    ASSERT_TRUE(window.ShowText(TextFor("R32", "0.70 -5.000 60.000 6.00 4.00")));
    EXPECT_FALSE(window.RangeNote()->isHidden());
    EXPECT_EQ(window.RangeNote()->text().toStdString(),
              "Warning: outside the data range of R32 (\u221245\u202650 \u00B0C)");
    // A refused text leaves the chart, and so its note, as they were.
    EXPECT_FALSE(window.ShowText("99 0.70 -5 40 6 4"));
    EXPECT_FALSE(window.RangeNote()->isHidden());
    ASSERT_TRUE(window.ShowText(TextFor("R32", "0.70 -5.000 45.000 6.00 4.00")));
    EXPECT_TRUE(window.RangeNote()->isHidden());
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MollierWindow, ReadsTheStateUnderThePointer)
{
    window.ShowDefaultCycle();
    const TStatePoint& suction = View().Chart().Cycle.Points[0];
    QTest::mouseMove(&View(), PixelOf(suction.h, suction.p));
    const QString text = window.Readout()->text();
    EXPECT_TRUE(text.startsWith("p ")) << text.toStdString();
    EXPECT_TRUE(text.contains("kPa") && text.contains("kJ/kg") && text.contains("Tsat ")) << text.toStdString();
    // In the vapour region the gas temperature: the suction gas at 12.5 °C, within a pixel's worth.
    const int at = text.lastIndexOf("   T ");
    ASSERT_GE(at, 0) << text.toStdString();
    EXPECT_NEAR(text.mid(at + 5).section(' ', 0, 0).toDouble(), suction.T, 1.0) << text.toStdString();
    // Outside the plot, nothing.
    QTest::mouseMove(&View(), QPoint(3, 3));
    EXPECT_EQ(window.Readout()->text(), "");
}

TEST_F(MollierWindow, ZoomsWithTheWheelAndADragAndFitsBack)
{
    window.ShowDefaultCycle();
    const TChartRange whole = View().Chart().Lines.Whole;
    EXPECT_EQ(View().Shown(), whole);

    const QPoint centre(500, 350);
    const double hBefore = Axes().H(centre.x());
    QWheelEvent wheel(QPointF(centre), QPointF(View().mapToGlobal(centre)), QPoint(), QPoint(0, 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&View(), &wheel);
    EXPECT_NEAR(View().Shown().hMax - View().Shown().hMin, 0.8 * (whole.hMax - whole.hMin), 1e-9);
    EXPECT_NEAR(Axes().H(centre.x()), hBefore, 1e-9);

    const TChartAxes before = Axes();
    QTest::mousePress(&View(), Qt::LeftButton, {}, QPoint(200, 150));
    QTest::mouseMove(&View(), QPoint(400, 300));
    QTest::mouseRelease(&View(), Qt::LeftButton, {}, QPoint(400, 300));
    EXPECT_NEAR(View().Shown().hMin, before.H(200), 1e-9);
    EXPECT_NEAR(View().Shown().hMax, before.H(400), 1e-9);
    EXPECT_NEAR(View().Shown().pMax, before.P(150), 1e-6);
    // A click is no drag.
    const TChartRange dragged = View().Shown();
    QTest::mouseClick(&View(), Qt::LeftButton, {}, QPoint(300, 300));
    EXPECT_EQ(View().Shown(), dragged);

    window.FitCycleAction->trigger();
    for (const TStatePoint& s : View().Chart().Cycle.Points) {
        const QPoint at = PixelOf(s.h, s.p);
        EXPECT_TRUE(QRect(0, 0, View().width(), View().height()).contains(at));
    }
    EXPECT_LT(View().Shown().hMax - View().Shown().hMin, whole.hMax - whole.hMin);
    window.WholeChartAction->trigger();
    EXPECT_EQ(View().Shown(), whole);
}

TEST_F(MollierWindow, ImperialUnitsRelabelAndAreKept)
{
    window.ShowDefaultCycle();
    window.ImperialAction->trigger();
    EXPECT_NE(ChartTitle(View().Chart()).find("°F"), std::string::npos);
    EXPECT_EQ(MollierUnits({}), cuImperial);
    window.MetricAction->trigger();
    EXPECT_EQ(MollierUnits({}), cuMetric);
}

TEST_F(MollierWindow, ExportsAndCopiesWhatItShowsAndKeepsItsPlace)
{
    TTempFolder dir;
    window.ShowDefaultCycle();
    window.FitCycleAction->trigger();
    const QString file = QString::fromStdString(dir.File("shown.png"));
    window.ExportTo(file);
    const QImage exported(file);
    EXPECT_EQ(exported.size(), View().size());
    window.CopyAction->trigger();
    EXPECT_EQ(QApplication::clipboard()->image().convertToFormat(QImage::Format_RGB32),
              exported.convertToFormat(QImage::Format_RGB32));

    window.move(130, 90);
    window.resize(900, 650);
    window.close();
    TMollierWindow again(kLibrary, cuMetric);
    again.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&again));
    EXPECT_EQ(again.size(), QSize(900, 650));
}

TEST(MollierHandOver, ASecondStartHandsItsTextToTheRunningChart)
{
    // A runtime folder of this test's own, so that no other chart hears it.
    TTempFolder runtime;
    std::filesystem::permissions(runtime.Path(), std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::replace);
    qputenv("XDG_RUNTIME_DIR", QByteArray::fromStdString(runtime.Path().string()));
    std::vector<std::string> messages;
    THookGuard<TMessageHook> hook {SetMessageHook, [&](const std::string& m) { messages.push_back(m); }};

    TMollierWindow first(kLibrary, cuMetric);
    first.ShowDefaultCycle();
    ASSERT_TRUE(first.Listen(CompanionServerName("mollierchart")));
    const auto secondStart = [&](const std::vector<std::string>& args) {
        QProcess second;
        QStringList list {"--library", QString::fromStdString(kLibrary)};
        for (const auto& a : args)
            list << QString::fromStdString(a);
        second.start(MOLLIERCHART, list);
        EXPECT_TRUE(second.waitForStarted(5000));
        // The first chart serves the hand-over from its event loop meanwhile.
        QElapsedTimer timer;
        timer.start();
        while (second.state() != QProcess::NotRunning && timer.elapsed() < 20000) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
            second.waitForFinished(20);
        }
        EXPECT_EQ(second.state(), QProcess::NotRunning);
        EXPECT_EQ(second.exitCode(), 0) << second.readAllStandardError().toStdString();
        QTest::qWait(50);
    };

    const std::string text = TextFor("R407C", "0.70 -5.000 40.000 6.00 4.00");
    secondStart({text}); // one argument, as the launcher's hand-over carries it
    EXPECT_EQ(first.View()->Chart().Cycle.Refrigerant, "R407C");
    secondStart({"0", "0.70", "-5.000", "40.000", "6.00", "4.00"}); // six words, as a command line gives them
    EXPECT_EQ(first.View()->Chart().Cycle.Refrigerant, "R1234yf");
    // A text the chart refuses: the second start still ends, the chart stays and says why.
    secondStart({"0 0.70 -5.000"});
    EXPECT_EQ(first.View()->Chart().Cycle.Refrigerant, "R1234yf");
    ASSERT_EQ(messages.size(), 1u);
    messages.clear();
    EXPECT_TRUE(messages.empty());
}
