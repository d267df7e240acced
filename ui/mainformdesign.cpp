#include "ui/mainformdesign.h"

#include <iterator>

namespace {

using M = TMainForm;
using K = TKelvora;

// clang-format off
const TMainFieldRow kFields[] = {
    {"scEdit", "Sub-cooling", &M::scEdit, &K::sc,
     {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 50, .text = "5.0"},
     80, 56, &M::scEditExit},
    {"dtCondEdit", "dt,fluid", &M::dtCondEdit, &K::dtc,
     {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 1000, .text = "10.0"},
     235, 25, nullptr},
    {"itdCondEdit", "Cond ITD", &M::itdCondEdit, &K::itdc,
     {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 1000, .text = "20.0"},
     235, 50, nullptr},
    {"tcEdit", "Cond Temp", &M::tcEdit, &K::tc,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "45.0"},
     241, 86, &M::tcEditExit},
    {"qcEdit", "Heat Rejection", &M::qcEdit, &K::qc,
     {.kind = utDutyPrim, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 0.01, .rangeHi = 10000, .text = "10.000"},
     245, 139, &M::qcEditExit},
    {"qeEdit", "Cooling Load", &M::qeEdit, &K::qe,
     {.kind = utDutyPrim, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = -40, .rangeHi = 10000, .text = "10.000"},
     239, 260, &M::qeEditExit},
    {"teEdit", "Evap Temp", &M::teEdit, &K::te,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "5.0"},
     240, 294, &M::teEditExit},
    {"dtEvapEdit", "dt,fluid", &M::dtEvapEdit, &K::dte,
     {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 1000, .text = "10.0"},
     220, 349, nullptr},
    {"itdEvapEdit", "Evap ITD", &M::itdEvapEdit, &K::itde,
     {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 1000, .text = "18.0"},
     220, 373, nullptr},
    {"pwEdit", "Compressor Power", &M::pwEdit, &K::pw,
     {.kind = utPower, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 0.01, .rangeHi = 10000, .text = "10.000"},
     311, 173, &M::pwEditExit},
    {"IeEdit", "Isentropic Efficiency", &M::IeEdit, &K::Ie,
     {.kind = utProportion, .unitsValue = 2, .format = "%0.3f", .rangeLo = 0.35, .rangeHi = 1, .text = "0.720"},
     311, 198, nullptr},
    {"HPEdit", "HP, abs", &M::HPEdit, &K::HP,
     {.kind = utPressureBar, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 100, .rangeHi = 100000, .text = "1800.0"},
     512, 138, &M::HPEditExit},
    {"SDTEdit", "SDT, bub", &M::SDTEdit, &K::SDT,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "45.0"},
     512, 164, &M::SDTEditExit},
    {"LPEdit", "LP, abs", &M::LPEdit, &K::LP,
     {.kind = utPressureBar, .formatType = ft_Auto, .format = "%0.3f", .rangeLo = 100, .rangeHi = 100000, .text = "450.00"},
     489, 226, &M::LPEditExit},
    {"SSTEdit", "SST, dew", &M::SSTEdit, &K::SST,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "5.0"},
     489, 252, &M::SSTEditExit},
    {"mrEdit", "Flow", &M::mrEdit, &K::mr,
     {.kind = utMassFlow, .format = "%0.4f", .rangeLo = 0, .rangeHi = 1000, .text = "1.0000", .readOnly = true},
     60, 231, nullptr},
    {"shEdit", "Superheat", &M::shEdit, &K::sh,
     {.kind = utTemperatureChange, .format = "%0.1f", .rangeLo = 0, .rangeHi = 50, .text = "7.5"},
     395, 342, &M::shEditExit},
    {"tdEdit", "Discharge", &M::tdEdit, &K::td,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "90.0", .readOnly = true},
     512, 89, nullptr},
    {"tlEdit", "Liquid", &M::tlEdit, &K::tl,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "40.0", .readOnly = true},
     81, 83, nullptr},
    {"tsEdit", "Suction", &M::tsEdit, &K::ts,
     {.kind = utTemperature, .format = "%0.1f", .rangeLo = -1000, .rangeHi = 1000, .text = "12.5", .readOnly = true},
     395, 365, nullptr},
};

const TMainCheckRow kChecks[] = {
    {"cbcond", "link SDT", &M::cbcond, 180, 112, 4},
    {"cbevap", "Link SST", &M::cbevap, 181, 320, 8},
};

const TMainLabelRow kLabels[] = {
    {"COPLabel", "Cooling COP", &M::COPLabel, 311, 222, 36, 16, "1.00"},
    {"x4Label", "Inlet quality", &M::x4Label, 122, 310, 36, 16, "0.00"},
};

const TMenuRow kMenus[] = {
    {mrMenu, "&File", nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&Open...", "Ctrl+O", "Open1", &M::Open1, &M::Open1Click},
    {mrItem, "&Load", nullptr, "Load1", &M::Load1, &M::Load1Click},
    {mrItem, "&Save", "Ctrl+S", "Save1", &M::Save1, &M::Save1Click},
    {mrItem, "Save &As...", nullptr, "SaveAs1", &M::SaveAs1, &M::SaveAs1Click},
    {mrSeparator, nullptr, nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&Reset...", nullptr, "Reset1", &M::Reset1, &M::Reset1Click},
    {mrSeparator, nullptr, nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&Exit", nullptr, "Exit1", &M::Exit1, &M::Exit1Click},
    {mrMenu, "&Edit", nullptr, nullptr, nullptr, nullptr},
    {mrItem, "Simple Measurement", nullptr, "SimpleMeasurement1", &M::SimpleMeasurement1, &M::SimpleMeasurement1Click},
    {mrItem, "Fault finding chart", nullptr, "Faultfindingchart1", &M::Faultfindingchart1, &M::Faultfindingchart1Click},
    {mrSeparator, nullptr, nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&Copy to Clipboard", "Ctrl+C", "Copytoclipboard1", &M::Copytoclipboard1, &M::Copytoclipboard1Click},
    {mrItem, "Paste from Clipboard", "Ctrl+V", "PastefromClipboard1", &M::PastefromClipboard1, &M::PastefromClipboard1Click},
    {mrMenu, "&View", nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&Report", nullptr, "Report1", &M::Report1, &M::Report1Click},
    {mrItem, "&Diagnosis", nullptr, "Diagnosis1", &M::Diagnosis1, &M::Diagnosis1Click},
    {mrCommand, "&Solve", "F9", "Solve1", &M::Solve1, &M::Solve1Click},
    {mrMenu, "&Tools", nullptr, nullptr, nullptr, nullptr},
    {mrItem, "Refrigerant &Mollier Chart", nullptr, "MollierChart1", &M::MollierChart1, &M::MollierChart1Click},
    {mrItem, "&Line Size Calculator", nullptr, "LineSize1", &M::LineSize1, &M::LineSize1Click},
    {mrItem, "Capillary &Tube Size", nullptr, "CapillaryTube1", &M::CapillaryTube1, &M::CapillaryTube1Click},
    {mrItem, "Tx &Valve Selector", nullptr, "txValve1", &M::txValve1, &M::txValve1Click},
    {mrItem, "&Compressor Selector", nullptr, "CompressorSelector1", &M::CompressorSelector1, &M::CompressorSelector1Click},
    {mrItem, "&Evaporator Coil Designer", nullptr, "EvaporatorCoil1", &M::EvaporatorCoil1, &M::EvaporatorCoil1Click},
    {mrItem, "Con&denser Coil Designer", nullptr, "CondenserCoilDesigner1", &M::CondenserCoilDesigner1, &M::CondenserCoilDesigner1Click},
    {mrItem, "Refrigeration Cycle Simulation", nullptr, "RefrigerationCycleSimulation1", &M::RefrigerationCycleSimulation1, &M::RefrigerationCycleSimulation1Click},
    {mrMenu, "&Help", nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&Index", "F1", "Index1", &M::Index1, &M::Index1Click},
    {mrItem, "&Web site", nullptr, "Website1", &M::Website1, &M::Website1Click},
    {mrSeparator, nullptr, nullptr, nullptr, nullptr, nullptr},
    {mrItem, "&About", nullptr, "About1", &M::About1, &M::About1Click},
};

double K::* const kShowOrder[] = {
    &K::HP, &K::LP, &K::SDT, &K::SST, &K::te, &K::tc, &K::sc, &K::sh, &K::Ie, &K::mr,
    &K::qe, &K::qc, &K::pw, &K::tl, &K::td, &K::ts, &K::dtc, &K::itdc, &K::dte, &K::itde,
};

double K::* const kReadOrder[] = {
    &K::HP, &K::LP, &K::SDT, &K::SST, &K::te, &K::tc, &K::sc, &K::sh, &K::Ie, &K::mr,
    &K::qe, &K::pw, &K::qc, &K::dte, &K::itde, &K::dtc, &K::itdc, &K::tl, &K::td, &K::ts,
};
// clang-format on

static_assert(std::size(kShowOrder) == std::size(kFields));
static_assert(std::size(kReadOrder) == std::size(kFields));

} // namespace

std::span<const TMainFieldRow> MainFieldRows()
{
    return kFields;
}

std::span<const TMainCheckRow> MainCheckRows()
{
    return kChecks;
}

std::span<const TMainLabelRow> MainLabelRows()
{
    return kLabels;
}

std::span<const TMenuRow> MainMenuRows()
{
    return kMenus;
}

std::span<double TKelvora::*const> ShowCycleOrder()
{
    return kShowOrder;
}

std::span<double TKelvora::*const> ReadCycleOrder()
{
    return kReadOrder;
}

QFont CaptionFont()
{
    QFont font("Liberation Sans");
    font.setPixelSize(11);
    return font;
}

QFont RefLabelFont()
{
    QFont font("Liberation Mono");
    font.setStyleHint(QFont::Monospace);
    font.setPixelSize(16);
    font.setItalic(true);
    font.setUnderline(true);
    return font;
}
