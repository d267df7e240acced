#include "ui/aboutbox.h"

#include <QGuiApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QScreen>
#include <QVBoxLayout>

namespace {

const char* const kMakerLines[] = {
    "Zandrovel Software",
    "Service tools for refrigeration and air conditioning",
};

} // namespace

TAboutBox::TAboutBox(QWidget* parent) : QDialog(parent, Qt::Tool)
{
    setObjectName("AboutBox");
    setWindowTitle("About");
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(24, 16, 24, 16);

    ProductName = new QLabel("Kelvora", this);
    ProductName->setObjectName("ProductName");
    QFont large = ProductName->font();
    large.setPixelSize(28);
    large.setBold(true);
    ProductName->setFont(large);
    Version = new QLabel("Version", this);
    Version->setObjectName("Version");
    layout->addWidget(ProductName, 0, Qt::AlignHCenter);
    layout->addWidget(Version, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    for (const char* line : kMakerLines)
        layout->addWidget(new QLabel(line, this), 0, Qt::AlignHCenter);
    // The labels pass clicks on to the box.
    for (QLabel* label : findChildren<QLabel*>())
        label->setAttribute(Qt::WA_TransparentForMouseEvents);
    layout->setSizeConstraint(QLayout::SetFixedSize);
}

void TAboutBox::showEvent(QShowEvent* e)
{
    QDialog::showEvent(e);
    if (const QScreen* screen = this->screen() ? this->screen() : QGuiApplication::primaryScreen()) {
        QRect frame = frameGeometry();
        frame.moveCenter(screen->availableGeometry().center());
        move(frame.topLeft());
    }
}

void TAboutBox::mousePressEvent(QMouseEvent* e)
{
    QDialog::mousePressEvent(e);
    accept();
}
