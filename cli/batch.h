#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// kelvora-cli batch: many project files solved in one run, one CSV row each.
struct TBatchOptions {
    std::int32_t mode = 1; // as solve's --mode
    bool diagnose = false; // adds the one-line verdict of the diagnosis
    bool progress = false; // a progress line on the error stream (a terminal)
};

// One project file to solve, or a folder that could not be searched (`error`).
struct TBatchItem {
    std::string path;
    std::string error;
};

// The project files of `paths` in the order of the rows: a folder gives its *.rdf
// files and those of its subfolders (links to folders are not followed), sorted by
// path; any other path stands for itself, so a missing file is a row of its own.
std::vector<TBatchItem> BatchItems(const std::vector<std::string>& paths);

// One CSV field: quoted when it holds a comma, a quotation mark or a line break.
std::string CsvField(const std::string& text);

// Writes the header and one row per project to `out` (lines end with CR LF) and
// returns the exit code: 0 all solved, 1 any warning, 2 any refused. The shared
// refrigerant library must be open.
int RunBatch(const std::vector<std::string>& paths, const TBatchOptions& options, std::ostream& out,
             std::ostream& err);
