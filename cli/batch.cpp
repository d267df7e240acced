#include "cli/batch.h"

#include <algorithm>
#include <filesystem>
#include <iostream>
#include <new>
#include <string_view>
#include <system_error>

#include "core/cycle.h"
#include "core/errors.h"
#include "core/numtext.h"
#include "cli/projectsolve.h"

namespace fs = std::filesystem;

namespace {

// The cycle values of a row, named as the exchange text names them.
constexpr std::string_view kValueColumns[] = {"SST", "SDT", "te", "tc", "HP", "LP", "sh", "sc", "td",
                                              "Ie", "COPc", "COPh", "mr", "qe", "qc", "pw", "x4"};

constexpr int kOk = 0;
constexpr int kWarning = 1;
constexpr int kRefused = 2;

bool IsProjectFile(const fs::directory_entry& entry)
{
    std::error_code ec;
    if (!entry.is_regular_file(ec))
        return false;
    return SameText(entry.path().extension().string(), ".rdf");
}

// Depth first; a folder that cannot be listed becomes an item of its own, so the
// run tells it instead of leaving its projects out unnoticed.
void SearchFolder(const fs::path& folder, std::vector<TBatchItem>& items)
{
    std::vector<fs::path> files;
    std::vector<fs::path> folders;
    std::error_code ec;
    fs::directory_iterator it(folder, ec);
    for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
        std::error_code kind;
        if (it->is_directory(kind) && !it->is_symlink(kind))
            folders.push_back(it->path());
        else if (IsProjectFile(*it))
            files.push_back(it->path());
    }
    if (ec) {
        items.push_back({folder.string(), "Cannot open folder \"" + folder.string() + "\"."});
        return;
    }
    // Files and subfolders in one sorted order, as a listing by path shows them.
    std::vector<std::pair<fs::path, bool>> entries;
    for (auto& f : files)
        entries.emplace_back(std::move(f), false);
    for (auto& f : folders)
        entries.emplace_back(std::move(f), true);
    std::sort(entries.begin(), entries.end());
    for (const auto& [path, isFolder] : entries) {
        if (isFolder)
            SearchFolder(path, items);
        else
            items.push_back({path.string(), {}});
    }
}

std::string Row(const std::vector<std::string>& fields)
{
    std::string row;
    for (size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            row += ',';
        row += CsvField(fields[i]);
    }
    return row + "\r\n";
}

// The value of `key` in the exchange text, exactly as solve prints it.
std::string ClipValue(const std::vector<std::string>& lines, std::string_view key)
{
    for (const auto& line : lines) {
        const size_t eq = line.find('=');
        if (eq != std::string::npos && std::string_view(line).substr(0, eq) == key)
            return line.substr(eq + 1);
    }
    return {};
}

struct TRowResult {
    std::vector<std::string> fields;
    int code = kOk;
};

TRowResult SolveRow(const TBatchItem& item, const TBatchOptions& options)
{
    const size_t columns = 3 + std::size(kValueColumns) + (options.diagnose ? 1 : 0);
    TRowResult row;
    row.fields.assign(columns, {});
    row.fields[0] = item.path;
    std::string refusal = item.error;
    if (refusal.empty()) {
        try {
            TKelvora cycle;
            const TProjectSolve outcome = SolveProjectFile(cycle, item.path, options.mode);
            const auto lines = cycle.GetClipText();
            row.fields[1] = ClipValue(lines, "rnum");
            row.fields[2] = outcome.warnings.empty() ? "solved" : "warning";
            row.code = outcome.warnings.empty() ? kOk : kWarning;
            for (size_t i = 0; i < std::size(kValueColumns); ++i)
                row.fields[3 + i] = ClipValue(lines, kValueColumns[i]);
            // As diagnose, a verdict only for a solved cycle.
            if (options.diagnose && outcome.solved) {
                std::int32_t fault = 0;
                std::string verdict;
                cycle.ShortDiagnosis(fault, verdict);
                row.fields.back() = verdict;
            }
            return row;
        } catch (const std::bad_alloc&) {
            refusal = "Out of memory.";
        } catch (const std::exception& e) {
            refusal = e.what();
        }
    }
    row.fields.assign(columns, {});
    row.fields[0] = item.path;
    row.fields[2] = "refused: " + refusal;
    row.code = kRefused;
    return row;
}

} // namespace

std::vector<TBatchItem> BatchItems(const std::vector<std::string>& paths)
{
    std::vector<TBatchItem> items;
    for (const auto& path : paths) {
        std::error_code ec;
        if (fs::is_directory(path, ec))
            SearchFolder(path, items);
        else
            items.push_back({path, {}});
    }
    return items;
}

std::string CsvField(const std::string& text)
{
    if (text.find_first_of(",\"\r\n") == std::string::npos)
        return text;
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

int RunBatch(const std::vector<std::string>& paths, const TBatchOptions& options, std::ostream& out,
             std::ostream& err)
{
    std::vector<std::string> header {"file", "refrigerant", "status"};
    header.insert(header.end(), std::begin(kValueColumns), std::end(kValueColumns));
    if (options.diagnose)
        header.push_back("diagnosis");
    out << Row(header);

    const auto items = BatchItems(paths);
    int code = kOk;
    size_t counts[3] = {0, 0, 0};
    for (size_t i = 0; i < items.size(); ++i) {
        const TRowResult row = SolveRow(items[i], options);
        out << Row(row.fields);
        code = std::max(code, row.code);
        ++counts[row.code];
        // Often enough to see it move, seldom enough to cost nothing.
        if (options.progress && ((i + 1) % 250 == 0 || i + 1 == items.size()))
            err << "\r" << (i + 1) << " of " << items.size() << " projects" << std::flush;
    }
    if (options.progress && !items.empty())
        err << ": " << counts[kOk] << " solved, " << counts[kWarning] << " with a warning, " << counts[kRefused]
            << " refused\n";
    if (items.empty()) {
        err << "No project files (*.rdf) found.\n";
        return kWarning;
    }
    return code;
}
