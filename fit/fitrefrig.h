#pragma once

#include <optional>

#include "fit/libwriter.h"
#include "fit/reftables.h"

// Fits every correlation of one refrigerant to its reference tables.

struct TFitOptions {
    // Fit range; by default −45 °C (or the table's lowest temperature) to 60 °C,
    // kept 30 K below the critical temperature but not below 50 °C, on the 5 K grid
    // of the tables, or to the fluid's own top where its tables give one.
    std::optional<double> tMin;
    std::optional<double> tMax;
    // The discharge states the vapour enthalpy must reproduce: compression with
    // this isentropic efficiency.
    double efficiency = 0.7;
    double subcooling = 5.0; // of the liquid in the reference cycles
    // Discharge states hotter than real compressors run (°C) are left to the
    // shape of the fit.
    double realDischargeTemp = 150.0;
};

struct TFitRange {
    double tMin = 0;
    double tMax = 0;
    // Highest condensing temperature of the cycles fitted and compared: tMax, or
    // where the tables have no isentropic row condensing within the range (carbon
    // dioxide close to its critical point), the lowest one they have.
    double tCondMax = 0;
};

// The held-only lists fitted to the transport tables: polynomials in t.
struct TTransportList {
    TTransQuantity quantity;
    const char* key;
    int degree;
};
extern const TTransportList kTransportLists[tqCount];
// The coefficients of a transport list in the record (TRefrigData, const or not).
template <class Record>
auto* TransportCoefficients(Record& r, TTransQuantity q)
{
    decltype(r.cl.data()) const fields[tqCount] = {r.cl.data(), r.cv.data(), r.ul.data(), r.uv.data(),
                                                   r.kl.data(), r.kv.data(), r.si.data()};
    return fields[q];
}
double TransportValue(const TRefrigData& r, const TTransportList& list, double t);

TFitRange FitRange(const TFluidTables& tables, const TFitOptions& options);

TFitResult FitRefrigerant(const TFluidTables& tables, const TFitOptions& options = {});
