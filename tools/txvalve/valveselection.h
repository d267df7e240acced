#pragma once

#include <string>

class TRefrigLib;

// The arithmetic and texts of the TX valve selector, apart from its window.

// The range the selector opens with; an installation without it takes the first
// range of its list.
inline constexpr const char* kDefaultValveFile = "Danfoss N R22.txv";

// Status line when no valve is selected or the clicked model has no capacity there.
inline constexpr const char* kValveOutOfRange = "TXV is out of range...";

// The saturation pressures of the plant in kPa. The liquid line and the valve
// share dP between them: liquid line drop + valve drop = dP.
struct TValvePressures {
    double Pe = 0; // at the evaporating temperature
    double Pc = 0; // at the condensing temperature
    double dP = 0; // Pc - Pe
};

// Both pressures from the dew curve of the selected refrigerant (te, tc in degrees C).
TValvePressures ValvePressures(const TRefrigLib& lib, double te, double tc);

// kPa of the fields to bar of the valve lookup.
inline double ValveDropBar(double kPa)
{
    return 0.01 * kPa;
}

// "Tx Valve Capacity: 22.4 kW" with the capacity (kW) in choice `choice` of the
// primary duty units (base: the field's unit base) with the automatic format, or
// kValveOutOfRange for a capacity that is not above 0.
std::string ValveCapacityStatus(double capacityKW, int choice, int base);
