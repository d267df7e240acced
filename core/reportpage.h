#pragma once

#include <string>

class TKelvora;

// What the report page shows besides the cycle model's values.
struct TReportPage {
    std::string refrigerant;    // the library's selected refrigerant
    bool solved = false;        // the main window's Solved flag
    bool snapshotTaken = false; // "dump.gif" was written beside the page
    std::string byline;         // the main window's caption
    std::string letterheadFile; // lines for the letterhead, each followed by "<br>"
};

// Writes the printable report of a cycle: letterhead, the snapshot of the cycle
// picture (or a note that there is none), and the table of the model's values in
// its internal units. Each line ends with CR LF. The letterhead lines are written
// as they stand (users put their own markup there); the refrigerant name is
// escaped. Raises FileError naming the page or a letterhead that cannot be opened.
void WriteReportPage(const std::string& fileName, const TKelvora& cycle, const TReportPage& page);

// Text with &, <, > and " written as HTML character references.
std::string HtmlEscape(const std::string& text);
