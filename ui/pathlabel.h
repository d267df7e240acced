#pragma once

#include <QLabel>
#include <QString>

class QFontMetrics;

// A file path shortened to `width` pixels so that the file name stays whole: the
// folder loses its middle ("/home/…/Projects/plant.rdf"). A file name that alone
// is too wide loses its own middle.
QString ElidePath(const QString& path, const QFontMetrics& metrics, int width);

// A label that shows a path elided to its width, the whole path as its tooltip.
class TPathLabel : public QLabel {
    Q_OBJECT

public:
    explicit TPathLabel(const QString& text, QWidget* parent = nullptr);

    // The whole text; text() is what fits.
    const QString& Path() const { return path_; }
    void SetPath(const QString& path);

protected:
    void resizeEvent(QResizeEvent* e) override;
    void changeEvent(QEvent* e) override;

private:
    void Fit();

    QString path_;
};
