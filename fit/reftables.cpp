#include "fit/reftables.h"

#include <fstream>
#include <map>

#include "core/errors.h"
#include "core/numtext.h"
#include "core/pathjoin.h"

namespace {

// A CSV file read as a header and rows of fields; lines beginning with "#" are
// comments.
struct TCsv {
    std::string path;
    std::map<std::string, size_t> columns;
    std::vector<std::vector<std::string>> rows;

    size_t Column(const std::string& name) const
    {
        const auto it = columns.find(name);
        if (it == columns.end())
            throw DataFormatError(path + ": the column " + name + " is missing");
        return it->second;
    }
};

TCsv ReadCsv(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        ThrowCannotOpen(path);
    TCsv csv;
    csv.path = path;
    std::string line;
    bool header = true;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (line.empty() || line.front() == '#')
            continue;
        auto fields = SplitCsvLine(line);
        if (header) {
            for (size_t i = 0; i < fields.size(); ++i)
                csv.columns[fields[i]] = i;
            header = false;
        } else {
            fields.resize(csv.columns.size());
            csv.rows.push_back(std::move(fields));
        }
    }
    return csv;
}

// An empty field, or one that is not a finite number ("inf" where a model has no
// value), reads as empty.
std::optional<double> Optional(const std::string& text)
{
    return ParseReal(TrimBlanks(text));
}

double Required(const TCsv& csv, const std::vector<std::string>& row, const std::string& column)
{
    const std::string& text = row[csv.Column(column)];
    const auto value = Optional(text);
    if (!value)
        throw DataFormatError(csv.path + ": '" + text + "' in column " + column + " is not a number");
    return *value;
}

int RequiredInteger(const TCsv& csv, const std::vector<std::string>& row, const std::string& column)
{
    const std::string& text = row[csv.Column(column)];
    const auto value = ParseInteger(TrimBlanks(text));
    if (!value)
        throw DataFormatError(csv.path + ": '" + text + "' in column " + column + " is not an integer");
    return *value;
}

// "R22.csv" → "R22.trans.csv"
std::string TransportTableName(const std::string& table)
{
    const size_t dot = table.rfind('.');
    return (dot == std::string::npos ? table : table.substr(0, dot)) + ".trans.csv";
}

} // namespace

std::vector<std::string> SplitCsvLine(const std::string& line)
{
    std::vector<std::string> fields(1);
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        const char c = line[i];
        if (c == '"') {
            if (quoted && i + 1 < line.size() && line[i + 1] == '"') {
                fields.back() += '"';
                ++i;
            } else {
                quoted = !quoted;
            }
        } else if (c == ',' && !quoted) {
            fields.emplace_back();
        } else {
            fields.back() += c;
        }
    }
    return fields;
}

std::vector<TFluidInfo> ReadFluidList(const std::string& folder)
{
    const TCsv csv = ReadCsv(PathJoin(folder, "fluids.csv"));
    std::vector<TFluidInfo> fluids;
    for (const auto& row : csv.rows) {
        TFluidInfo f;
        f.RNumber = row[csv.Column("RNumber")];
        f.InternalNumber = RequiredInteger(csv, row, "InternalNumber");
        f.Formula = row[csv.Column("Formula")];
        f.ChemicalName = row[csv.Column("ChemicalName")];
        f.CASNumber = row[csv.Column("CASNumber")];
        f.Components = RequiredInteger(csv, row, "Components");
        f.FluidType = row[csv.Column("FluidType")];
        f.TCrit = Optional(row[csv.Column("TCrit_C")]);
        f.PCrit = Optional(row[csv.Column("PCrit_kPa")]);
        f.DCrit = Optional(row[csv.Column("DCrit_kg_m3")]);
        f.wm = Optional(row[csv.Column("wm_g_mol")]);
        f.TTrip = Optional(row[csv.Column("TTrip_C")]);
        f.TBoil = Optional(row[csv.Column("TBoil_C")]);
        f.table = row[csv.Column("table")];
        if (f.RNumber.empty() || f.table.empty())
            throw DataFormatError(csv.path + ": a fluid without designation or table");
        fluids.push_back(std::move(f));
    }
    // Figures the main list leaves empty or lacks, from supplement.csv beside it
    // when present.
    const std::string supplement = PathJoin(folder, "supplement.csv");
    if (std::ifstream(supplement).good()) {
        const TCsv extra = ReadCsv(supplement);
        for (const auto& row : extra.rows)
            for (auto& f : fluids) {
                if (f.RNumber != row[extra.Column("RNumber")])
                    continue;
                if (!f.TBoil)
                    f.TBoil = Optional(row[extra.Column("TBoil_C")]);
                const std::string& tMax = row[extra.Column("TMax_C")];
                if (!TrimBlanks(tMax).empty()) {
                    f.TMax = Required(extra, row, "TMax_C");
                    f.rangeNote = row[extra.Column("note")];
                }
            }
    }
    return fluids;
}

TFluidTables ReadFluidTables(const std::string& folder, const TFluidInfo& info)
{
    TFluidTables tables;
    tables.info = info;
    const TCsv csv = ReadCsv(PathJoin(folder, info.table));
    const size_t kind = csv.Column("kind");
    for (const auto& row : csv.rows) {
        const auto get = [&](const char* column) { return Required(csv, row, column); };
        if (row[kind] == "sat") {
            tables.sat.push_back({get("T_sat_C"), get("p_dew_Pa"), get("p_bubble_Pa"), get("h_liq_sat_J_kg"),
                                  get("h_vap_sat_J_kg"), get("v_liq_sat_m3_kg"), get("v_vap_sat_m3_kg")});
        } else if (row[kind] == "sup") {
            tables.sup.push_back(
                {get("T_sat_C"), get("T_C"), get("superheat_K"), get("p_dew_Pa"), get("h_J_kg"), get("v_m3_kg")});
        } else if (row[kind] == "isen") {
            TIsenRow r;
            r.te = get("T_sat_C");
            r.superheat = get("superheat_K");
            r.tc = get("t_cond_C");
            r.h1 = get("h_J_kg");
            r.v1 = get("v_m3_kg");
            r.h2s = get("h2s_J_kg");
            r.t2s = get("T2s_C");
            r.dh = get("dh_isen_J_kg");
            r.wet = Optional(row[csv.Column("q2s")]).has_value();
            tables.isen.push_back(r);
        }
    }
    if (tables.sat.empty())
        throw DataFormatError(csv.path + ": no saturation rows");

    const std::string transPath = PathJoin(folder, TransportTableName(info.table));
    if (std::ifstream(transPath).good()) {
        const TCsv trans = ReadCsv(transPath);
        static const char* const columns[tqCount] = {"cp_liq_J_kgK", "cp_vap_J_kgK", "mu_liq_uPas", "mu_vap_uPas",
                                                     "k_liq_mW_mK", "k_vap_mW_mK", "sigma_mN_m"};
        for (const auto& row : trans.rows) {
            TTransRow r;
            r.t = Required(trans, row, "T_sat_C");
            for (int q = 0; q < tqCount; ++q)
                r.value[q] = Optional(row[trans.Column(columns[q])]);
            tables.trans.push_back(r);
        }
    }
    return tables;
}
