#include "ui/pathlabel.h"

#include <QDir>
#include <algorithm>

#include <QEvent>
#include <QFontMetrics>

QString ElidePath(const QString& path, const QFontMetrics& metrics, int width)
{
    if (metrics.horizontalAdvance(path) <= width)
        return path;
    const QString native = QDir::toNativeSeparators(path);
    const qsizetype cut = native.lastIndexOf(QDir::separator());
    const QString name = cut < 0 ? native : native.mid(cut);
    const int room = width - metrics.horizontalAdvance(name);
    const QString folder = cut < 0 ? QString() : native.left(cut);
    // A folder shortened to less than its first letter and the ellipsis says nothing.
    if (folder.isEmpty() || room < metrics.horizontalAdvance(folder.left(1) + QChar(0x2026)))
        return metrics.elidedText(cut < 0 ? name : name.mid(1), Qt::ElideMiddle, width);
    return metrics.elidedText(folder, Qt::ElideMiddle, room) + name;
}

TPathLabel::TPathLabel(const QString& text, QWidget* parent) : QLabel(parent)
{
    // The label takes the width it is given and never asks for more.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    SetPath(text);
}

void TPathLabel::SetPath(const QString& path)
{
    path_ = path;
    setToolTip(path);
    Fit();
}

void TPathLabel::resizeEvent(QResizeEvent* e)
{
    QLabel::resizeEvent(e);
    Fit();
}

void TPathLabel::changeEvent(QEvent* e)
{
    QLabel::changeEvent(e);
    if (e->type() == QEvent::FontChange)
        Fit();
}

void TPathLabel::Fit()
{
    const int room = contentsRect().width() - 2 * margin() - indent();
    setText(ElidePath(path_, fontMetrics(), std::max(room, 0)));
}
