#pragma once

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "core/refrigdata.h"
#include "core/refriglib.h"

// A fitted refrigerant: its record and the keys its section leaves out (identity
// data the tables lack, held-only lists without data).
struct TFitResult {
    TRefrigData data;
    std::set<std::string> omitted;
};

// The section of one refrigerant in the library file format, keys in the order
// the reader takes them, every real in its shortest exact text.
std::string SectionText(const TFitResult& fit);

// The whole library: the comment line, then one section per refrigerant.
std::string LibraryText(const std::vector<TFitResult>& fits, const std::string& comment);

// A property library that holds exactly one record, read back through its
// library file text, so that the correlations are evaluated as the program
// evaluates them.
class TRecordLibrary {
public:
    explicit TRecordLibrary(const TRefrigData& record);
    ~TRecordLibrary();
    TRecordLibrary(const TRecordLibrary&) = delete;
    TRecordLibrary& operator=(const TRecordLibrary&) = delete;

    TRefrigLib& Lib() { return *lib_; }

private:
    std::string path_;
    std::unique_ptr<TRefrigLib> lib_;
};
