#pragma once

#include <string>

class TKelvora;

// The maker's companion programs that the main window's Tools menu starts. Each
// lives at a fixed place below the maker's folder.
enum TCompanion {
    cpMollierChart,
    cpLineSize,
    cpCapillaryTube,
    cpEvaporatorCoil,
    cpCondenserCoil,
    cpCycleSimulation,
};

// The companion's program file below `makerFolder` (which ends with "/").
std::string CompanionPath(const std::string& makerFolder, TCompanion companion);

// The Mollier chart's argument text "%d %0.3f %0.3f %0.3f %0.2f %0.2f": the
// refrigerant's place in the library's name list, Ie, SST, the dew temperature
// at HP, sh and sc, all from the model. Raises when the dew temperature does.
std::string MollierArgumentText(const TKelvora& cycle);
