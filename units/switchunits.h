#pragma once

#include <string>

#include "units/unitformat.h"

class QWidget;
class TFmtEdit;

enum TUnitSystem { usMetric,
                   usImperial };

// Sets every formatted field of the window, in creation order, to the metric or
// imperial unit of its kind; fractions keep their choice. The fields' texts and
// labels follow, but no OnUnitsEdited is raised: the window recomputes what
// depends on units itself.
void SwitchUnits(QWidget* window, TUnitSystem system);

// value (internal units) as text in the field's current unit, with AutoFormat.
TTextWithUnit FormatFieldWithUnit(const TFmtEdit& field, bool appendLabel, const std::string& separator, double value);
