#pragma once

// The report's logo: the refrigeration loop beside the product name.

#include <QImage>

namespace art {

QImage ReportLogo();

} // namespace art
