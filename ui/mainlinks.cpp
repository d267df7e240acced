// What leaving a changed field of the main window recomputes. The fields hold kPa;
// the saturation correlations take and give Pa.
#include "ui/mainform.h"

#include <QCheckBox>

#include "units/fmtedit.h"

// One side of the cycle: the condenser (HP, SDT, tc, sc, tl) or the evaporator
// (LP, SST, te, sh, ts), with the saturation curve that links pressure and
// temperature on that side.
struct TSaturationSide {
    TFmtEdit* TMainForm::*pressure;
    TFmtEdit* TMainForm::*saturation;
    TFmtEdit* TMainForm::*temperature;
    TFmtEdit* TMainForm::*difference; // sub-cooling or superheat
    TFmtEdit* TMainForm::*line;       // liquid or suction line temperature
    QCheckBox* TMainForm::*link;      // keeps temperature equal to saturation
    double (TRefrigLib::*saturationTemperature)(double) const;
    double (TRefrigLib::*saturationPressure)(double) const;
    double lineSign; // line = temperature + lineSign * difference
};

namespace {

using M = TMainForm;

constexpr double kPaPerKPa = 1000;

// The liquid leaves sub-cooled below the condensing temperature, the suction gas
// superheated above the evaporating temperature.
const TSaturationSide kCondenser {&M::HPEdit, &M::SDTEdit, &M::tcEdit, &M::scEdit, &M::tlEdit, &M::cbcond,
                                  &TRefrigLib::BubbleT, &TRefrigLib::BubbleP, -1};
const TSaturationSide kEvaporator {&M::LPEdit, &M::SSTEdit, &M::teEdit, &M::shEdit, &M::tsEdit, &M::cbevap,
                                   &TRefrigLib::DewT, &TRefrigLib::DewP, +1};

} // namespace

void TMainForm::LinePoint(const TSaturationSide& s)
{
    Put(this->*s.line, (this->*s.temperature)->Value() + s.lineSign * (this->*s.difference)->Value());
}

void TMainForm::LinkTemperature(const TSaturationSide& s)
{
    if ((this->*s.link)->isChecked())
        Put(this->*s.temperature, (this->*s.saturation)->Value());
}

void TMainForm::PressureLeft(const TSaturationSide& s)
{
    Put(this->*s.saturation, (Lib().*s.saturationTemperature)(kPaPerKPa * (this->*s.pressure)->Value()));
    LinkTemperature(s);
    LinePoint(s);
}

void TMainForm::SaturationLeft(const TSaturationSide& s)
{
    Put(this->*s.pressure, (Lib().*s.saturationPressure)((this->*s.saturation)->Value()) / kPaPerKPa);
    LinkTemperature(s);
    LinePoint(s);
}

void TMainForm::TemperatureLeft(const TSaturationSide& s)
{
    LinePoint(s);
    if ((this->*s.link)->isChecked()) {
        Put(this->*s.saturation, (this->*s.temperature)->Value());
        Put(this->*s.pressure, (Lib().*s.saturationPressure)((this->*s.saturation)->Value()) / kPaPerKPa);
    }
}

void TMainForm::HPEditExit()
{
    PressureLeft(kCondenser);
}

void TMainForm::SDTEditExit()
{
    SaturationLeft(kCondenser);
}

void TMainForm::tcEditExit()
{
    TemperatureLeft(kCondenser);
}

void TMainForm::scEditExit()
{
    LinePoint(kCondenser);
}

void TMainForm::LPEditExit()
{
    PressureLeft(kEvaporator);
}

void TMainForm::SSTEditExit()
{
    SaturationLeft(kEvaporator);
}

void TMainForm::teEditExit()
{
    TemperatureLeft(kEvaporator);
}

void TMainForm::shEditExit()
{
    LinePoint(kEvaporator);
}

// The duty typed last fixes the mass flow at the next solve.
void TMainForm::qeEditExit()
{
    cycle_.DutyBasis = dbCoolingLoad;
}

void TMainForm::pwEditExit()
{
    cycle_.DutyBasis = dbCompressorPower;
}

void TMainForm::qcEditExit()
{
    cycle_.DutyBasis = dbHeatRejection;
}
