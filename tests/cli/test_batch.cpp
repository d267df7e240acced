// kelvora-cli batch on a fleet folder of good, warning and damaged projects: one CSV
// row each, with solve's values and messages, and the exit code of the worst row.
#include <gtest/gtest.h>

#include <clocale>
#include <filesystem>
#include <map>
#include <sstream>

#include "cli/cliapp.h"
#include "core/cliptext.h"
#include "core/cycle.h"
#include "core/refriglib.h"
#include "tests/support/tempfolder.h"

namespace {

struct TRun {
    int code = -1;
    std::string out;
    std::string err;
};

using TRows = std::vector<std::vector<std::string>>;

// The output read as a spreadsheet reads CSV: quoted fields may hold commas,
// doubled quotation marks and line breaks; rows end with CR LF.
TRows ParseCsv(const std::string& text)
{
    TRows rows;
    std::vector<std::string> row;
    std::string field;
    bool quoted = false;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (quoted) {
            if (c == '"' && i + 1 < text.size() && text[i + 1] == '"')
                field += text[++i];
            else if (c == '"')
                quoted = false;
            else
                field += c;
        } else if (c == '"') {
            quoted = true;
        } else if (c == ',') {
            row.push_back(field);
            field.clear();
        } else if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            row.push_back(field);
            field.clear();
            rows.push_back(row);
            row.clear();
        } else {
            field += c;
        }
    }
    EXPECT_TRUE(field.empty() && row.empty()) << "the last row must end with CR LF";
    return rows;
}

const std::vector<std::string> kHeader {"file", "refrigerant", "status", "SST", "SDT", "te", "tc",
                                        "HP", "LP", "sh", "sc", "td", "Ie", "COPc",
                                        "COPh", "mr", "qe", "qc", "pw", "x4"};

class Batch : public ::testing::Test {
protected:
    // The suite's second pass runs under a locale with a decimal comma; take it.
    Batch() { std::setlocale(LC_ALL, ""); }
    ~Batch() override { std::setlocale(LC_ALL, "C"); }

    TTempFolder dir;
    std::string library = dir.Write("RefLib8.rdf",
                                    "[R22]\r\nRNumber=R22\r\nInternalNumber=0\r\n"
                                    "[R407C]\r\nRNumber=R407C\r\nInternalNumber=7\r\n"
                                    "dp=21.2,-2030.0,250.0\r\nbp=21.4,-2030.0,250.0\r\n");

    TRun Run(const std::vector<std::string>& args)
    {
        std::vector<std::string> all = args;
        all.insert(all.end(), {"--library", library});
        std::ostringstream out, err;
        const TCliContext context {library, [] { return std::string("Kelvora 1.2.0.0"); }};
        TRun r;
        r.code = RunCli(all, context, out, err);
        r.out = out.str();
        r.err = err.str();
        return r;
    }

    // A project of the default cycle with a few values changed, below the test folder.
    std::string Project(const std::string& name, const std::string& refrigerant, double Ie = 0.72, double sh = 7.5)
    {
        TRefrigLib lib(library);
        TKelvora k(lib);
        k.SetDefaults();
        lib.SelectByName(refrigerant);
        k.Ie = Ie;
        k.sh = sh;
        const std::string path = dir.File(name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        k.SaveToFile(path);
        return path;
    }

    std::string Damaged(const std::string& name, const std::string& bytes)
    {
        std::filesystem::create_directories(std::filesystem::path(dir.File(name)).parent_path());
        return dir.Write(name, bytes);
    }

    // What solve prints for a project, as key and value.
    std::map<std::string, std::string> SolveValues(const std::string& path, const std::string& mode)
    {
        std::map<std::string, std::string> values;
        for (const auto& line : SplitTextLines(Run({"solve", path, "--mode", mode}).out))
            if (const size_t eq = line.find('='); eq != std::string::npos)
                values[line.substr(0, eq)] = line.substr(eq + 1);
        return values;
    }

    // Every row's status and values are solve's, and a refused row carries solve's message.
    void ExpectRowsAsSolve(const TRows& rows, const std::string& mode)
    {
        for (size_t r = 1; r < rows.size(); ++r) {
            const auto& row = rows[r];
            const std::string& status = row[2];
            if (status.rfind("refused: ", 0) == 0) {
                const TRun solve = Run({"solve", row[0], "--mode", mode});
                EXPECT_EQ(solve.code, 2);
                EXPECT_EQ("refused: " + solve.err, status + "\n");
                for (size_t c = 1; c < kHeader.size(); ++c)
                    EXPECT_EQ(row[c], c == 2 ? status : "") << row[0] << " " << kHeader[c];
                continue;
            }
            const TRun solve = Run({"solve", row[0], "--mode", mode});
            EXPECT_EQ(status, solve.code == 0 ? "solved" : "warning") << row[0];
            EXPECT_EQ(solve.code == 0, solve.err.empty());
            const auto values = SolveValues(row[0], mode);
            EXPECT_EQ(row[1], values.at("rnum"));
            for (size_t c = 3; c < kHeader.size(); ++c)
                EXPECT_EQ(row[c], values.at(kHeader[c])) << row[0] << " " << kHeader[c];
        }
    }
};

} // namespace

TEST_F(Batch, FleetFolderGivesOneRowPerProjectInPathOrder)
{
    const std::string fleet = dir.File("fleet");
    Project("fleet/north/plant10.rdf", "R407C");
    Project("fleet/north/plant 2.rdf", "R22", 0.65, 11);
    Project("fleet/south/cold, \"store\".rdf", "R407C", 0.7, 4);
    Project("fleet/south/ie1.rdf", "R22", 1.0); // does not solve
    Project("fleet/UPPER.RDF", "R22");
    Damaged("fleet/damaged.rdf", "{\"app\": \"kelvora\", \"ver\": \"1.2.0.0\", \"SST\": ");
    Damaged("fleet/foreign.rdf", R"({"app": "other", "ver": "1.2.0.0"})");
    Damaged("fleet/notes.txt", "not a project");
    std::filesystem::create_directories(dir.File("fleet/south/empty"));

    const int readsBefore = SharedRefrigLib().FileReads();
    const TRun r = Run({"batch", fleet});
    EXPECT_EQ(SharedRefrigLib().FileReads() - readsBefore, 1) << "the library is read once for the run";
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "");

    const TRows rows = ParseCsv(r.out);
    ASSERT_EQ(rows.size(), 8u);
    EXPECT_EQ(rows[0], kHeader);
    const std::pair<std::string, std::string> expected[] = {
        {"fleet/UPPER.RDF", "solved"},
        {"fleet/damaged.rdf", "refused: "},
        {"fleet/foreign.rdf", "refused: Invalid Json data file (" + dir.File("fleet/foreign.rdf") + ")!"},
        {"fleet/north/plant 2.rdf", "solved"},
        {"fleet/north/plant10.rdf", "solved"},
        {"fleet/south/cold, \"store\".rdf", "solved"},
        {"fleet/south/ie1.rdf", "warning"},
    };
    for (size_t i = 0; i < std::size(expected); ++i) {
        const auto& row = rows[i + 1];
        ASSERT_EQ(row.size(), kHeader.size()) << i;
        EXPECT_EQ(row[0], dir.File(expected[i].first));
        EXPECT_EQ(row[2].substr(0, expected[i].second.size()), expected[i].second);
    }
    EXPECT_GT(rows[2][2].size(), std::string("refused: ").size()) << "the reader's message";
    EXPECT_EQ(rows[5][1], "R407C");
    EXPECT_EQ(rows[4][9], "11.000"); // sh, with "." whatever the locale
    // A file name with a comma and quotation marks is one quoted field.
    EXPECT_NE(r.out.find("\"" + dir.File("fleet/south/cold, \"\"store\"\".rdf") + "\",R407C,solved,"),
              std::string::npos);
    ExpectRowsAsSolve(rows, "1");
}

TEST_F(Batch, ExitCodeIsTheWorstRow)
{
    const std::string good = Project("good.rdf", "R22");
    const std::string other = Project("other.rdf", "R407C");
    const std::string warning = Project("ie1.rdf", "R22", 1.0);
    const std::string missing = dir.File("missing.rdf");
    struct Case {
        std::vector<std::string> paths;
        int code;
        size_t rows;
    };
    const Case cases[] = {
        {{good, other}, 0, 3},
        {{good, warning}, 1, 3},
        {{warning, missing, good}, 2, 4},
        {{good, good}, 0, 3}, // a path given twice is solved twice
    };
    for (const auto& c : cases) {
        std::vector<std::string> args {"batch"};
        args.insert(args.end(), c.paths.begin(), c.paths.end());
        const TRun r = Run(args);
        EXPECT_EQ(r.code, c.code) << c.paths.size();
        const TRows rows = ParseCsv(r.out);
        ASSERT_EQ(rows.size(), c.rows);
        for (size_t i = 0; i < c.paths.size(); ++i)
            EXPECT_EQ(rows[i + 1][0], c.paths[i]) << "paths given keep their order";
        ExpectRowsAsSolve(rows, "1");
    }

    std::filesystem::create_directories(dir.File("none"));
    const TRun empty = Run({"batch", dir.File("none")});
    EXPECT_EQ(empty.code, 1);
    EXPECT_EQ(ParseCsv(empty.out).size(), 1u);
    EXPECT_EQ(empty.err, "No project files (*.rdf) found.\n");

    const TRun bare = Run({"batch"});
    EXPECT_EQ(bare.code, 2);
    EXPECT_NE(bare.err.find("takes at least 1 argument"), std::string::npos) << bare.err;
}

TEST_F(Batch, DiagnosisAndMode)
{
    // Superheat far too high and a poor compressor: the diagnosis names a fault.
    const std::string faulty = Project("faulty.rdf", "R22", 0.45, 25);
    const std::string other = Project("other.rdf", "R407C", 0.72, 2);
    const std::string warning = Project("ie1.rdf", "R22", 1.0);

    const TRun r = Run({"batch", "--diagnose", faulty, other, warning});
    EXPECT_EQ(r.code, 1);
    const TRows rows = ParseCsv(r.out);
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[0].size(), kHeader.size() + 1);
    EXPECT_EQ(rows[0].back(), "diagnosis");
    ExpectRowsAsSolve(rows, "1");

    // The verdict is the one the diagnosis page shows; an unsolved cycle has none.
    const std::string page = dir.File("diagnosis.htm");
    ASSERT_EQ(Run({"diagnose", faulty, page}).code, 0);
    ASSERT_FALSE(rows[1].back().empty());
    EXPECT_NE(TTempFolder::Read(page).find("<p class=\"fault\">" + rows[1].back() + "</p>"), std::string::npos)
        << rows[1].back();
    EXPECT_FALSE(rows[2].back().empty());
    EXPECT_EQ(rows[3][2], "warning");
    EXPECT_EQ(rows[3].back(), "");

    // Discharge temperature given: the efficiency is computed, as solve --mode 0 does.
    const TRun td = Run({"batch", faulty, "--mode", "0", other});
    EXPECT_EQ(td.code, 1) << "an efficiency above 1 from the measured discharge";
    const TRows tdRows = ParseCsv(td.out);
    ASSERT_EQ(tdRows.size(), 3u);
    ExpectRowsAsSolve(tdRows, "0");
    EXPECT_NE(tdRows[1][12], rows[1][12]) << "Ie";

    const TRun bad = Run({"batch", faulty, "--mode", "2"});
    EXPECT_EQ(bad.code, 2);
    EXPECT_EQ(bad.out, "");
    EXPECT_EQ(bad.err, "Option --mode takes 0 or 1, not '2'.\n");
}
