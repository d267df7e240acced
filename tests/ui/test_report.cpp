// The report: the page about the cycle with the snapshot of the window's picture.
#include "tests/ui/uitest.h"

#include <algorithm>

#include <sys/stat.h>

#include <QImage>
#include <QLabel>
#include <QPainter>

#include "core/cliptext.h"
#include "tests/support/filesizelimit.h"
#include "ui/reportsnapshot.h"

namespace {

class ReportTest : public MainWindowTest {
protected:
    void SetUp() override
    {
        MainWindowTest::SetUp();
        // A cycle picture of the panel's size: see-through but for one red block.
        QImage picture(616, 404, QImage::Format_ARGB32);
        picture.fill(Qt::transparent);
        QPainter(&picture).fillRect(20, 300, 30, 30, Qt::red);
        ASSERT_TRUE(picture.save(QString::fromStdString(dir.File("Images/cycle.png"))));
        dir.Write("Report/letterhead.txt", "<b>Cold Care Ltd</b>\r\n1 Frost Lane\r\nPhone 0123 456\r\n");
    }

    std::vector<std::string> PageLines() const { return SplitTextLines(TTempFolder::Read(Page())); }
    std::string Page() const { return dir.File("Report/report.htm"); }
    std::string Dump() const { return dir.File("Report/dump.gif"); }

    static bool Has(const std::vector<std::string>& lines, const std::string& line)
    {
        return std::find(lines.begin(), lines.end(), line) != lines.end();
    }

    // The lines of the table after its header row, up to "</table>".
    static std::vector<std::string> TableRows(const std::vector<std::string>& lines)
    {
        auto header = std::find_if(lines.begin(), lines.end(),
                                   [](const std::string& l) { return l.find("<th width=\"300\">") != std::string::npos; });
        auto end = std::find(header, lines.end(), "</table>");
        return header == lines.end() ? std::vector<std::string> {} : std::vector<std::string>(header + 1, end);
    }
};

} // namespace

TEST_F(ReportTest, SolvedDefaultCycle)
{
    Open();
    ASSERT_TRUE(form->Solved());
    Enter(Field("HPEdit"));
    // A black window, so that the white the panel takes for the snapshot shows.
    QPalette black = form->palette();
    black.setColor(QPalette::Window, Qt::black);
    form->setPalette(black);
    const QColor panelColour = form->Panel1->palette().color(QPalette::Window);
    const bool panelFilled = form->Panel1->autoFillBackground();
    const mode_t mask = ::umask(022);
    form->Report1->trigger();
    ::umask(mask);
    ASSERT_TRUE(messages.empty()) << messages.front();

    const std::vector<std::string> lines = PageLines();
    EXPECT_FALSE(Has(lines, "<h4>NOT SOLVED!</h4>"));
    EXPECT_TRUE(Has(lines, "<p>Solved: True</p>"));
    EXPECT_TRUE(Has(lines, "<img class=\"border\" src=\"dump.gif\">"));
    EXPECT_TRUE(Has(lines, "<p id=\"copyrite\">Kelvora 1.2.0.0</p>"));
    const std::vector<std::string> rows = TableRows(lines);
    ASSERT_EQ(rows.size(), 30u);
    EXPECT_EQ(rows[0], "<tr><td>Refrigerant</td><td>R22</td><td></td></tr>");
    EXPECT_EQ(rows[1], "<tr><td>High Pressure</td><td>1736</td><td>kPa</td></tr>");
    EXPECT_EQ(rows[16], "<tr><td>Isentropic efficiency</td><td>0.720</td><td></td></tr>");
    // The letterhead lines between "<p>" and "</p>", markup as the user wrote it.
    const auto letterhead = std::find(lines.begin(), lines.end(), "<p>");
    ASSERT_LT(letterhead + 4, lines.end());
    EXPECT_EQ(std::vector<std::string>(letterhead + 1, letterhead + 5),
              (std::vector<std::string> {"<b>Cold Care Ltd</b><br>", "1 Frost Lane<br>", "Phone 0123 456<br>", "</p>"}));
    const std::string raw = TTempFolder::Read(Page());
    EXPECT_EQ(std::count(raw.begin(), raw.end(), '\n'), static_cast<long>(lines.size()));
    EXPECT_EQ(raw.find("\n\r"), std::string::npos);
    EXPECT_EQ(raw.substr(raw.size() - 9), "</html>\r\n");

    ASSERT_EQ(desktop.urls.size(), 1u);
    EXPECT_EQ(desktop.urls[0], QUrl::fromLocalFile(QString::fromStdString(Page())));
    EXPECT_FALSE(Field("HPEdit")->hasFocus()) << "the focus was taken away";
    EXPECT_EQ(form->Panel1->palette().color(QPalette::Window), panelColour);
    EXPECT_EQ(form->Panel1->autoFillBackground(), panelFilled);
    EXPECT_FALSE(form->Panel1->testAttribute(Qt::WA_SetPalette)) << "the panel follows the window's colours again";

    // The snapshot: a GIF of the picture's size less 4 each way.
    const auto perms = std::filesystem::status(Dump()).permissions();
    EXPECT_NE(perms & std::filesystem::perms::others_read, std::filesystem::perms::none) << "as the user's mask allows";
    const std::string gif = TTempFolder::Read(Dump());
    ASSERT_GE(gif.size(), 10u);
    EXPECT_TRUE(gif.substr(0, 6) == "GIF87a" || gif.substr(0, 6) == "GIF89a") << gif.substr(0, 6);
    EXPECT_EQ(static_cast<unsigned char>(gif[6]) | static_cast<unsigned char>(gif[7]) << 8, 612);
    EXPECT_EQ(static_cast<unsigned char>(gif[8]) | static_cast<unsigned char>(gif[9]) << 8, 400);
    const QImage shot(QString::fromStdString(Dump()));
    ASSERT_EQ(shot.size(), QSize(612, 400));
    for (int x = 0; x < shot.width(); ++x)
        ASSERT_EQ(shot.pixelColor(x, 0), QColor(Qt::white)) << "top row, x " << x;
    for (int y = 0; y < shot.height(); ++y)
        ASSERT_EQ(shot.pixelColor(0, y), QColor(Qt::white)) << "left column, y " << y;
    // The panel was white under the see-through picture; the red block and the
    // fields show where they stand on the window.
    const QPoint source = SnapshotSource(*form) - form->Panel1->mapTo(form.get(), QPoint(0, 0));
    const auto onShot = [&](QPoint panel) { return panel - source + QPoint(1, 1); };
    EXPECT_EQ(shot.pixelColor(onShot({10, 395})), QColor(Qt::white));
    EXPECT_EQ(shot.pixelColor(onShot({35, 315})), QColor(Qt::red));
    const QRect field = Field("HPEdit")->geometry();
    EXPECT_NE(shot.pixelColor(onShot(field.topLeft() + QPoint(0, 10))), QColor(Qt::white)) << "the field's frame";
}

TEST_F(ReportTest, UnsolvedEditWarnsAndReportsTheLastSolve)
{
    Open();
    TypeAndLeave(Field("shEdit"), "10");
    // Display units do not reach the table.
    Field("HPEdit")->SetUnitsValue(ImperialUnitIndex(utPressureBar, 0));
    form->Report1->trigger();
    EXPECT_EQ(form->StatusText(), "Warning: Solve before generating a report!");
    const std::vector<std::string> lines = PageLines();
    const auto notSolved = std::find(lines.begin(), lines.end(), "<h4>NOT SOLVED!</h4>");
    ASSERT_NE(notSolved, lines.end());
    EXPECT_EQ(*(notSolved - 1), "<p>&nbsp;</p>");
    EXPECT_EQ(*(notSolved + 1), "<h4>Click [Solve] before creating a reporting.</h4>");
    EXPECT_TRUE(Has(lines, "<p>Solved: False</p>"));
    EXPECT_TRUE(Has(lines, "<tr><td>Superheat</td><td>7.5</td><td>&deg;C</td></tr>")) << "the last solve's value";
    EXPECT_TRUE(Has(lines, "<tr><td>High Pressure</td><td>1736</td><td>kPa</td></tr>"));
    EXPECT_EQ(desktop.urls.size(), 1u);
}

TEST_F(ReportTest, MissingLetterheadStopsWithTheFileError)
{
    Open();
    std::filesystem::remove(dir.File("Report/letterhead.txt"));
    form->Report1->trigger();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot open file \"" + dir.File("Report/letterhead.txt") + "\".");
    EXPECT_TRUE(desktop.urls.empty());
    EXPECT_FALSE(form->Panel1->autoFillBackground()) << "the panel's colour is back";
}

TEST_F(ReportTest, FullDiskKeepsTheLastReport)
{
    Open();
    form->Report1->trigger();
    const std::string page = TTempFolder::Read(Page());
    const std::string gif = TTempFolder::Read(Dump());
    ASSERT_GT(gif.size(), 1000u);
    {
        TFileSizeLimit full(1000);
        form->Report1->trigger();
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(messages[0], "Cannot create file \"" + Dump() + "\".");
    EXPECT_EQ(TTempFolder::Read(Dump()), gif);
    EXPECT_EQ(TTempFolder::Read(Page()), page);
}

TEST_F(ReportTest, WithoutACyclePictureThePageSaysSo)
{
    std::filesystem::remove(dir.File("Images/cycle.png"));
    Open();
    form->Report1->trigger();
    ASSERT_TRUE(messages.empty());
    const std::vector<std::string> lines = PageLines();
    EXPECT_TRUE(Has(lines, "<p>Windows DC error: image not created...</p>"));
    EXPECT_FALSE(Has(lines, "<img class=\"border\" src=\"dump.gif\">"));
    EXPECT_FALSE(std::filesystem::exists(Dump()));
    EXPECT_EQ(TableRows(lines).size(), 30u);
}

TEST(ReportSnapshot, BlockPlacedAtOneOneOfAWhiteBitmap)
{
    QImage window(20, 12, QImage::Format_RGB32);
    for (int y = 0; y < window.height(); ++y)
        for (int x = 0; x < window.width(); ++x)
            window.setPixel(x, y, qRgb(10 * x, 20 * y, 100));
    const QImage block = SnapshotBlock(window, QPoint(5, 3), QSize(8, 6));
    ASSERT_EQ(block.size(), QSize(8, 6));
    for (int y = 0; y < 6; ++y)
        for (int x = 0; x < 8; ++x) {
            const QRgb expected = x == 0 || y == 0 ? qRgb(255, 255, 255) : window.pixel(5 + x - 1, 3 + y - 1);
            EXPECT_EQ(block.pixel(x, y), expected) << x << "," << y;
        }
    // What lies beyond the window's edge stays white.
    const QImage edge = SnapshotBlock(window, QPoint(15, 8), QSize(8, 6));
    EXPECT_EQ(edge.pixel(5, 4), window.pixel(19, 11));
    EXPECT_EQ(edge.pixel(6, 4), qRgb(255, 255, 255));
    EXPECT_EQ(edge.pixel(5, 5), qRgb(255, 255, 255));
}
