#pragma once

// Fault pictures: the report's diagnosis pictures (fault1 ... fault10, one per verdict
// of the short diagnosis) and the fault-finding chart's pictures (fault0, the whole
// decision tree, and fault1 ... fault6, one per illustrated conclusion).

#include <QImage>
#include <QString>
#include <vector>

namespace art {

struct TNamedImage {
    QString file; // file name, such as "fault3.png"
    QImage image;
};

std::vector<TNamedImage> ReportFaultPictures();
std::vector<TNamedImage> ChartFaultPictures();

} // namespace art
