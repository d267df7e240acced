// The picture generator: every shipped picture is written at the size its window
// shows it, the same sources give the same bytes, and no control of the main window
// hides a part of the cycle drawing.

#include "art/cyclepicture.h"
#include "art/layout.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct TExpected {
    const char* file;
    int width, height;
};

const TExpected kExpected[] = {
    {"Images/cycle.png", 616, 404},
    {"Images/small_cycle.png", 300, 196},
    {"Help/fault0.png", 531, 334},
    {"Help/fault1.png", 531, 334},
    {"Help/fault2.png", 531, 334},
    {"Help/fault3.png", 531, 334},
    {"Help/fault4.png", 531, 334},
    {"Help/fault5.png", 531, 334},
    {"Help/fault6.png", 531, 334},
    {"Report/ReportLogo.gif", 220, 64},
    {"Report/help/fault1.png", 400, 300},
    {"Report/help/fault2.png", 400, 300},
    {"Report/help/fault3.png", 400, 300},
    {"Report/help/fault4.png", 400, 300},
    {"Report/help/fault5.png", 400, 300},
    {"Report/help/fault6.png", 400, 300},
    {"Report/help/fault7.png", 400, 300},
    {"Report/help/fault8.png", 400, 300},
    {"Report/help/fault9.png", 400, 300},
    {"Report/help/fault10.png", 400, 300},
};

int RunGenerator(const QString& outDir)
{
    QProcess run;
    run.start(KELVORA_ART_PROGRAM, {outDir});
    run.waitForFinished(60000);
    return run.exitStatus() == QProcess::NormalExit ? run.exitCode() : -1;
}

// Width and height from a GIF's logical screen descriptor, read without an image plugin.
QSize GifSize(const QByteArray& bytes)
{
    if (bytes.size() < 10 || !bytes.startsWith("GIF8"))
        return {};
    auto word = [&](int at) { return int(uchar(bytes[at])) | int(uchar(bytes[at + 1])) << 8; };
    return {word(6), word(8)};
}

class GeneratorTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        first_ = new QTemporaryDir;
        second_ = new QTemporaryDir;
        firstCode_ = RunGenerator(first_->path());
        secondCode_ = RunGenerator(second_->path());
    }
    static void TearDownTestSuite()
    {
        delete first_;
        delete second_;
    }
    static QByteArray Read(const QTemporaryDir* dir, const char* file)
    {
        QFile f(QDir(dir->path()).filePath(file));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    static inline QTemporaryDir* first_ = nullptr;
    static inline QTemporaryDir* second_ = nullptr;
    static inline int firstCode_ = -1, secondCode_ = -1;
};

TEST_F(GeneratorTest, WritesEveryPictureAtTheSizeItIsShown)
{
    ASSERT_EQ(firstCode_, 0);
    for (const TExpected& e : kExpected) {
        const QByteArray bytes = Read(first_, e.file);
        ASSERT_FALSE(bytes.isEmpty()) << e.file;
        const QSize size = QString(e.file).endsWith(".gif") ? GifSize(bytes)
                                                            : QImage::fromData(bytes, "PNG").size();
        EXPECT_EQ(size, QSize(e.width, e.height)) << e.file;
    }
    const QStringList written = QDir(first_->path()).entryList(QDir::Files | QDir::NoDotAndDotDot);
    EXPECT_TRUE(written.isEmpty()) << "stray files: " << written.join(", ").toStdString();
}

TEST_F(GeneratorTest, SameSourcesGiveTheSameBytes)
{
    ASSERT_EQ(secondCode_, 0);
    for (const TExpected& e : kExpected)
        EXPECT_EQ(Read(first_, e.file), Read(second_, e.file)) << e.file;
}

// Every link and picture of the help pages resolves in the installed tree, where the
// help folder holds the pages and the chart pictures beside Images and Report/help.
TEST_F(GeneratorTest, HelpPagesLinkOnlyToShippedFiles)
{
    QStringList shipped;
    for (const TExpected& e : kExpected)
        shipped << e.file;
    const QDir pages(KELVORA_SOURCE_DIR "/assets/Help");
    for (const QString& f : pages.entryList(QDir::Files))
        shipped << "Help/" + f;
    const QRegularExpression link(R"re((?:href|src)="([^"]*)")re");
    int checked = 0;
    for (const QString& f : pages.entryList({"*.htm"}, QDir::Files)) {
        QFile page(pages.filePath(f));
        ASSERT_TRUE(page.open(QIODevice::ReadOnly)) << f.toStdString();
        const QString text = QString::fromUtf8(page.readAll());
        EXPECT_TRUE(text.contains("charset=utf-8")) << f.toStdString();
        for (auto m = link.globalMatch(text); m.hasNext();) {
            const QString target = m.next().captured(1);
            ASSERT_FALSE(target.contains(':')) << f.toStdString() << ": " << target.toStdString();
            const QString file = target.section('#', 0, 0), anchor = target.section('#', 1);
            const QString path = file.isEmpty() ? "Help/" + f : QDir::cleanPath("Help/" + file);
            EXPECT_TRUE(shipped.contains(path)) << f.toStdString() << ": " << target.toStdString();
            if (!anchor.isEmpty()) {
                QFile linked(pages.filePath(QFileInfo(path).fileName()));
                EXPECT_TRUE(linked.open(QIODevice::ReadOnly) && linked.readAll().contains(QString("id=\"%1\"").arg(anchor).toUtf8()))
                    << f.toStdString() << ": " << target.toStdString();
            }
            ++checked;
        }
    }
    EXPECT_GT(checked, 50);
}

TEST(GeneratorUsage, RefusesUnknownArguments)
{
    QProcess run;
    run.start(KELVORA_ART_PROGRAM, {"a", "b"});
    run.waitForFinished(60000);
    EXPECT_EQ(run.exitCode(), 2);
}

TEST(CycleLayout, NoControlCoversTheDrawingAndAllOfItIsInside)
{
    const auto components = art::MainCycleComponents();
    const auto overlaps = art::Overlaps(components, art::MainWindowOverlay());
    for (const QString& o : overlaps)
        ADD_FAILURE() << o.toStdString();
    const QRect panel(QPoint(0, 0), art::kMainPanelSize);
    for (const art::TComponentRect& c : components)
        EXPECT_TRUE(panel.contains(c.rect)) << c.name.toStdString();
}

TEST(CycleLayout, OverlapCheckNamesACoveredComponent)
{
    const std::vector<art::TComponentRect> parts {{"valve", QRect(500, 140, 10, 10)},
                                                  {"clear", QRect(0, 0, 2, 2)}};
    const auto overlaps = art::Overlaps(parts, art::MainWindowOverlay());
    ASSERT_EQ(overlaps.size(), 1u);
    EXPECT_EQ(overlaps[0].toStdString(), "valve under HPEdit:caption");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
