// The main window's "&Report": the printable page about the current cycle.
#include "ui/mainform.h"

#include <QApplication>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QUrl>

#include "ui/desktop.h"
#include "core/pathjoin.h"
#include "core/reportpage.h"
#include "ui/reportsnapshot.h"

namespace {

// The picture panel white while the snapshot is taken; its own colours come back
// however the report ends.
class TWhitePanel {
public:
    explicit TWhitePanel(QWidget* panel)
        : panel_(panel), palette_(panel->palette()), ownPalette_(panel->testAttribute(Qt::WA_SetPalette)),
          filled_(panel->autoFillBackground())
    {
        QPalette white = palette_;
        white.setColor(QPalette::Window, Qt::white);
        panel_->setPalette(white);
        panel_->setAutoFillBackground(true);
    }
    TWhitePanel(const TWhitePanel&) = delete;
    TWhitePanel& operator=(const TWhitePanel&) = delete;
    ~TWhitePanel()
    {
        // A panel that took its colours from the window does so again.
        panel_->setPalette(ownPalette_ ? palette_ : QPalette());
        panel_->setAutoFillBackground(filled_);
    }

private:
    QWidget* panel_;
    QPalette palette_;
    bool ownPalette_;
    bool filled_;
};

} // namespace

// The table shows the model's values in its internal units, whatever units the
// fields show; the snapshot shows the window as it is.
void TMainForm::Report1Click()
{
    const TWhitePanel white(Panel1);
    if (!solved_)
        SetStatusText("Warning: Solve before generating a report!");
    // No caret or focus frame in the snapshot. Leaving a field runs its exit as usual.
    if (QWidget* focused = focusWidget())
        focused->clearFocus();
    repaint();
    QApplication::processEvents();

    const std::string& folder = vars_.report_path;
    const bool snapshotTaken = WriteSnapshot(*this, Image1->pixmap().size(), PathJoin(folder, "dump.gif"));
    const std::string page = PathJoin(folder, "report.htm");
    WriteReportPage(page, cycle_,
                    TReportPage {.refrigerant = Lib().GetName(),
                                 .solved = solved_,
                                 .snapshotTaken = snapshotTaken,
                                 .byline = windowTitle().toStdString(),
                                 .letterheadFile = PathJoin(folder, "letterhead.txt")});
    OpenWithDesktop(QUrl::fromLocalFile(QString::fromStdString(page)));
}
