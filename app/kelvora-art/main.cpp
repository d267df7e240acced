// kelvora-art: draws the pictures an installation ships (cycle pictures, fault
// pictures, report logo) into an output folder. The same sources give the same files.
//
//   kelvora-art OUTPUT_DIR [--overlay CHECK_DIR]
//
// --overlay also writes the cycle pictures with their windows' controls drawn over
// them, for checking the layout by eye; these check images are not installed.

#include "art/appicon.h"
#include "art/cyclepicture.h"
#include "art/faultpictures.h"
#include "art/gifwriter.h"
#include "art/layout.h"
#include "art/logo.h"
#include "art/measurepicture.h"

#include <QDir>
#include <QFile>
#include <QFontInfo>
#include <QGuiApplication>
#include <QImage>
#include <cstdio>

namespace {

bool Save(const QImage& image, const QString& path)
{
    QDir().mkpath(QFileInfo(path).path());
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "kelvora-art: cannot write %s\n", qPrintable(path));
        return false;
    }
    return true;
}

// The drawings must not depend on which fonts happen to be installed.
bool FontsPresent()
{
    for (const char* family : {"DejaVu Sans", "Liberation Sans"}) {
        if (QFontInfo(QFont(family)).family() != family) {
            std::fprintf(stderr, "kelvora-art: font %s is not installed\n", family);
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    // Drawing needs no display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() != 2 && !(args.size() == 4 && args[2] == "--overlay")) {
        std::fprintf(stderr, "usage: kelvora-art OUTPUT_DIR [--overlay CHECK_DIR]\n");
        return 2;
    }
    if (!FontsPresent())
        return 1;
    const QDir out(args[1]);

    const auto overlaps = art::Overlaps(art::MainCycleComponents(), art::MainWindowOverlay());
    for (const QString& o : overlaps)
        std::fprintf(stderr, "kelvora-art: cycle picture: %s\n", qPrintable(o));
    if (!overlaps.empty())
        return 1;

    bool ok = Save(art::MainCyclePicture(), out.filePath("Images/cycle.png"));
    ok = Save(art::MeasurePicture(), out.filePath("Images/small_cycle.png")) && ok;
    for (const art::TNamedImage& n : art::ChartFaultPictures())
        ok = Save(n.image, out.filePath("Help/" + n.file)) && ok;
    for (const art::TNamedImage& n : art::ReportFaultPictures())
        ok = Save(n.image, out.filePath("Report/help/" + n.file)) && ok;
    QString error;
    QDir().mkpath(out.filePath("Report"));
    if (!art::WriteGif(art::ReportLogo(), out.filePath("Report/ReportLogo.gif"), error)) {
        std::fprintf(stderr, "kelvora-art: %s\n", qPrintable(error));
        ok = false;
    }
    // The application icon for the desktop's icon theme, as bitmaps and scalable.
    for (int size : art::kAppIconSizes)
        ok = Save(art::AppIcon(size), out.filePath(QString("icons/%1x%1/kelvora.png").arg(size))) && ok;
    QFile svg(out.filePath("icons/scalable/kelvora.svg"));
    QDir().mkpath(QFileInfo(svg).path());
    if (!svg.open(QIODevice::WriteOnly) || svg.write(art::AppIconSvg().toUtf8()) < 0 || !svg.flush()) {
        std::fprintf(stderr, "kelvora-art: cannot write %s\n", qPrintable(svg.fileName()));
        ok = false;
    }
    svg.close();
    if (args.size() == 4) {
        const QDir check(args[3]);
        ok = Save(art::MainCycleOverlay(), check.filePath("cycle-overlay.png")) && ok;
        ok = Save(art::MeasureDialogPreview(), check.filePath("small_cycle-overlay.png")) && ok;
    }
    return ok ? 0 : 1;
}
