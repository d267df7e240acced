#include "tools/txvalve/valveselection.h"

#include "core/refriglib.h"
#include "units/unitformat.h"

TValvePressures ValvePressures(const TRefrigLib& lib, double te, double tc)
{
    TValvePressures p;
    p.Pc = lib.DewP(tc) * 0.001;
    p.Pe = lib.DewP(te) * 0.001;
    p.dP = p.Pc - p.Pe;
    return p;
}

std::string ValveCapacityStatus(double capacityKW, int choice, int base)
{
    if (!(capacityKW > 0))
        return kValveOutOfRange;
    return "Tx Valve Capacity: " + FormatWithUnit(utDutyPrim, choice, base, false, " ", true, capacityKW).text;
}
