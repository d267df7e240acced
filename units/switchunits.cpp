#include "units/switchunits.h"

#include <QWidget>

#include "units/fmtedit.h"

void SwitchUnits(QWidget* window, TUnitSystem system)
{
    for (TFmtEdit* edit : window->findChildren<TFmtEdit*>()) {
        const TUnitsType kind = edit->UnitsType();
        if (kind == utProportion)
            continue;
        edit->SetUnitsValue(system == usMetric ? MetricUnitIndex(kind, 0) : ImperialUnitIndex(kind, 0));
    }
}

TTextWithUnit FormatFieldWithUnit(const TFmtEdit& field, bool appendLabel, const std::string& separator, double value)
{
    return FormatFieldWithUnit(field.Field(), appendLabel, separator, value);
}
