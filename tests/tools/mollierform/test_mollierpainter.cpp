// The chart drawn onto an image: states at the pixels the axes give, and the
// program's export of PNG and SVG files.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include <QImage>
#include <QPainter>

#include "tests/support/tempfolder.h"
#include "tests/support/runprogram.h"
#include "tests/tools/mollierform/molliertext.h"
#include "tools/mollierform/mollierpainter.h"

namespace {

bool IsCycleGreen(QRgb c)
{
    return qGreen(c) > qRed(c) + 60 && qGreen(c) > qBlue(c) + 40;
}

bool IsDomeBlue(QRgb c)
{
    return qBlue(c) > qRed(c) + 50 && qBlue(c) > qGreen(c) + 40;
}

QImage Drawn(const TMollierChart& chart, const TChartRange& shown, int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    QPainter painter(&image);
    PaintMollierChart(painter, width, height, chart, shown);
    return image;
}

} // namespace

TEST(MollierPainter, DrawsTheStatesWhereTheAxesPutThem)
{
    for (const std::string& text :
         {TextFor("R22", "0.72 5.000 45.000 7.50 5.00"), TextFor("R407C", "0.70 -5.000 40.000 6.00 4.00")}) {
        SCOPED_TRACE(text);
        TRefrigLib lib(kLibrary);
        const TMollierChart chart = BuildMollierChart(lib, text, cuMetric);
        const int width = 1200, height = 800;
        for (const TChartRange& shown : {chart.Lines.Whole, CycleRange(chart.Cycle)}) {
            const QImage image = Drawn(chart, shown, width, height);
            const TChartAxes axes(shown, PlotRectFor(width, height));
            // The filled marks of points 1 to 4.
            for (const TStatePoint& s : chart.Cycle.Points) {
                const QPoint at(static_cast<int>(std::lround(axes.X(s.h))), static_cast<int>(std::lround(axes.Y(s.p))));
                EXPECT_TRUE(IsCycleGreen(image.pixel(at))) << at.x() << "," << at.y();
                // Beyond the mark's radius on a level line, no mark.
                EXPECT_FALSE(IsCycleGreen(image.pixel(at + QPoint(0, 9))) && IsCycleGreen(image.pixel(at - QPoint(0, 9))));
            }
            // 2s is an open mark: white within, on the discharge pressure.
            const QPoint s2(static_cast<int>(std::lround(axes.X(chart.Cycle.Isentropic.h))),
                            static_cast<int>(std::lround(axes.Y(chart.Cycle.Isentropic.p))));
            EXPECT_EQ(image.pixel(s2), qRgb(255, 255, 255));
        }
        // A saturated vapour state, on the dome line.
        const TChartAxes axes(chart.Lines.Whole, PlotRectFor(width, height));
        const QImage image = Drawn(chart, chart.Lines.Whole, width, height);
        const double t = -20;
        const QPoint dew(static_cast<int>(std::lround(axes.X(lib.SatVapEnthalpy(t) / 1000))),
                         static_cast<int>(std::lround(axes.Y(lib.DewP(t) / 1000))));
        EXPECT_TRUE(IsDomeBlue(image.pixel(dew))) << dew.x() << "," << dew.y();
        EXPECT_FALSE(IsDomeBlue(image.pixel(dew + QPoint(-8, 0))));
    }
}

TEST(MollierExport, WritesAPngOfTheAskedSizeAndAnSvg)
{
    TTempFolder dir;
    const std::string png = dir.File("chart.png");
    const std::string svg = dir.File("chart.svg");
    const std::string text = TextFor("R407C", "0.70 -5.000 40.000 6.00 4.00");
    TRun r = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--export", png, "--size", "900x640", text});
    ASSERT_EQ(r.code, 0) << r.err;
    const QImage image(QString::fromStdString(png));
    EXPECT_EQ(image.size(), QSize(900, 640));
    EXPECT_GT(image.pixelColor(450, 320).lightness(), 0); // drawn, not empty

    r = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--units", "imperial", "--export", svg, text});
    ASSERT_EQ(r.code, 0) << r.err;
    const std::string drawing = TTempFolder::Read(svg);
    EXPECT_NE(drawing.find("<svg"), std::string::npos);
    EXPECT_NE(drawing.find("width=\"1200\""), std::string::npos) << drawing.substr(0, 400);
    EXPECT_NE(drawing.find("R407C"), std::string::npos);
    EXPECT_NE(drawing.find("Btu/lb"), std::string::npos);
    EXPECT_NE(drawing.find("</svg>"), std::string::npos);

    // A file that cannot be written, and an ending that is no picture.
    r = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--export", dir.File("no/such/folder/x.png"), text});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.err.find("x.png"), std::string::npos) << r.err;
    r = RunProgram(dir, MOLLIERCHART, {"--library", kLibrary, "--export", dir.File("x.bmp"), text});
    EXPECT_EQ(r.code, 2);
}
