// kelvora-cli run as a program on fixture files: output lines, exit codes, messages.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <limits>
#include <map>
#include <sys/stat.h>

#include "core/cliptext.h"
#include "tests/support/cmpfixture.h"
#include "core/cycle.h"
#include "core/jsondoc.h"
#include "tests/support/runprogram.h"
#include "tests/support/tempfolder.h"
#include "tools/linesize/linesize.h"

namespace {

class Cli : public ::testing::Test {
protected:
    TTempFolder dir;
    // The built-in R22 record under its own name, and a second fluid with glide.
    std::string library = dir.Write("RefLib8.rdf",
                                    "[R22]\r\nRNumber=R22\r\nInternalNumber=0\r\n"
                                    "[R407C]\r\nRNumber=R407C\r\nInternalNumber=7\r\n"
                                    "dp=21.2,-2030.0,250.0\r\nbp=21.4,-2030.0,250.0\r\n");

    std::string program = KELVORA_CLI;

    TRun Run(const std::vector<std::string>& args, const std::string& env = "")
    {
        return RunProgram(dir, program, args, env);
    }

    // A project file of the default cycle with some values changed.
    std::string Project(const std::string& name, double Ie = 0.72, double qe = 10)
    {
        TRefrigLib lib(library);
        TKelvora k(lib);
        k.SetDefaults();
        k.Ie = Ie;
        k.qe = qe;
        const std::string path = dir.File(name);
        k.SaveToFile(path);
        return path;
    }
};

} // namespace

TEST_F(Cli, SolvePrintsTheExchangeTextOfTheSolvedCycle)
{
    const auto r = Run({"solve", Project("plant.rdf"), "--library", library});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const auto lines = SplitTextLines(r.out);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(r.out.substr(0, 17), "Kelvora 1.2.0.0\r\n");
    EXPECT_EQ(r.out.substr(r.out.size() - 2), "\r\n");
    EXPECT_EQ(lines[2], "HP=1735.966");
    EXPECT_EQ(lines[11], "td=82.326");
    EXPECT_EQ(lines[18], "mr=0.061"); // qe = 10 kW
    EXPECT_EQ(lines[28], "COPc=4.154");

    // The same under a locale with a decimal comma.
    const auto german = Run({"solve", dir.File("plant.rdf"), "--library", library}, "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(german.out, r.out);
}

TEST_F(Cli, SolveModesAndSave)
{
    const std::string saved = dir.File("solved.rdf");
    const auto r = Run({"solve", Project("plant.rdf"), "--mode", "0", "--save", saved, "--library", library});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(SplitTextLines(r.out)[17], "Ie=0.720"); // td of the saved solve gives back Ie
    TRefrigLib lib(library);
    TKelvora k(lib);
    k.LoadFromFile(saved);
    EXPECT_NEAR(k.COPc, 4.15422, 1e-5);

    const auto bad = Run({"solve", dir.File("plant.rdf"), "--mode", "2", "--library", library});
    EXPECT_EQ(bad.code, 2);
    EXPECT_NE(bad.err.find("--mode"), std::string::npos);
}

TEST_F(Cli, SolveThatFailsStillPrintsTheModel)
{
    const auto r = Run({"solve", Project("ie1.rdf", 1.0), "--library", library});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Warning: Not able to calculate result with this data...\n");
    const auto lines = SplitTextLines(r.out);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_EQ(lines[11], "td=70.244");

    // A suction pressure that underflows to zero makes the solve raise: still the text.
    TJsonDoc doc = *JsonLoadFile(dir.File("ie1.rdf"));
    doc["SST"] = -253.99;
    JsonSaveFile(doc, dir.File("raises.rdf"));
    const auto raised = Run({"solve", dir.File("raises.rdf"), "--library", library});
    EXPECT_EQ(raised.code, 1);
    EXPECT_EQ(raised.err, "Warning: Not able to calculate result with this data...\n");
    EXPECT_EQ(SplitTextLines(raised.out).size(), 34u);
}

TEST_F(Cli, SolveOutsideTheDataRangeWarnsAndStillPrintsTheSolvedCycle)
{
    // Condensing at 65 °C, beyond the built-in R22 record's −60…60 °C.
    TJsonDoc doc = *JsonLoadFile(Project("hot.rdf"));
    doc["tc"] = 65.0;
    doc["SDT"] = 65.0;
    JsonSaveFile(doc, dir.File("hot.rdf"));
    const auto r = Run({"solve", dir.File("hot.rdf"), "--library", library});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Warning: outside the data range of R22 (\u221260\u202660 \u00B0C)\n");
    const auto lines = SplitTextLines(r.out);
    ASSERT_EQ(lines.size(), 34u);
    EXPECT_NE(std::find(lines.begin(), lines.end(), "tc=65.000"), lines.end());

    // batch takes the same outcome: the row is a warning, the run exits 1.
    const auto batch = Run({"batch", dir.File("hot.rdf"), "--library", library});
    EXPECT_EQ(batch.code, 1);
    EXPECT_NE(batch.out.find(",warning,"), std::string::npos) << batch.out;
}

TEST_F(Cli, RefusedProjects)
{
    const std::string foreign = dir.Write("foreign.rdf", R"({"app": "other", "ver": "1.2.0.0"})");
    const std::string later = dir.Write("later.rdf", R"({"app": "kelvora", "ver": "2.0.0.0"})");
    struct Case {
        std::string path;
        std::string message;
    };
    const Case cases[] = {
        {foreign, "Invalid Json data file (" + foreign + ")!\n"},
        {later, "Json data file version mismatch (" + later + ")!\n"},
        {dir.File("missing.rdf"), "Cannot open file \"" + dir.File("missing.rdf") + "\".\n"},
    };
    for (const auto& c : cases) {
        const auto r = Run({"solve", c.path, "--library", library});
        EXPECT_EQ(r.code, 2) << c.path;
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Cli, DiagnoseWritesThePageOnlyWhenSolved)
{
    const std::string page = dir.File("diagnosis.htm");
    auto r = Run({"diagnose", Project("plant.rdf"), page, "--library", library});
    EXPECT_EQ(r.code, 0) << r.err;
    const std::string text = TTempFolder::Read(page);
    EXPECT_EQ(text.substr(0, 8), "<html>\r\n");
    EXPECT_NE(text.find("Kelvora 1.2.0.0"), std::string::npos) << "the default byline";

    r = Run({"diagnose", dir.File("plant.rdf"), page, "--byline", "Site visit 12", "--library", library});
    EXPECT_NE(TTempFolder::Read(page).find("Site visit 12"), std::string::npos);

    const std::string none = dir.File("none.htm");
    r = Run({"diagnose", Project("ie1.rdf", 1.0), none, "--library", library});
    EXPECT_EQ(r.code, 1);
    EXPECT_EQ(r.err, "Warning: Solve before Diagnostics!\n");
    EXPECT_FALSE(std::filesystem::exists(none));

    r = Run({"diagnose", dir.File("plant.rdf"), dir.File("no/folder/d.htm"), "--library", library});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("no/folder/d.htm"), std::string::npos);
}

TEST_F(Cli, PasteChecksTheSignatureAndSavesTheCycle)
{
    TRefrigLib lib(library);
    TKelvora k(lib);
    k.SetDefaults();
    lib.SelectByName("R407C");
    k.sh = 11.5;
    auto lines = k.GetClipText();
    const std::string text = dir.Write("clip.txt", JoinTextLines(lines));
    const std::string out = dir.File("pasted.rdf");
    auto r = Run({"paste", text, out, "--library", library});
    EXPECT_EQ(r.code, 0) << r.err;
    TKelvora pasted(lib);
    pasted.LoadFromFile(out);
    EXPECT_EQ(pasted.rnum, "R407C");
    EXPECT_EQ(pasted.sh, 11.5);

    lines[0] = "kelvora 1.2.0.0"; // Paste from Clipboard compares with regard to case
    r = Run({"paste", dir.Write("lower.txt", JoinTextLines(lines)), dir.File("x.rdf"), "--library", library});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Clipboard has incorrect data signature!\n");
    EXPECT_FALSE(std::filesystem::exists(dir.File("x.rdf")));

    r = Run({"paste", dir.Write("empty.txt", ""), dir.File("x.rdf"), "--library", library});
    EXPECT_EQ(r.err, "No text in the Clipboard!\n");

    lines[0] = "Kelvora 1.2.0.0";
    lines[1] = "R22";
    r = Run({"paste", dir.Write("badref.txt", JoinTextLines(lines)), dir.File("x.rdf"), "--library", library});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Invalid refrigerant!\n");
}

TEST_F(Cli, PropsAndList)
{
    auto r = Run({"props", "r22", "0", "--library", library}, "LC_ALL=de_DE.UTF-8");
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out,
              "R22 (chlorodifluoromethane, CHClF2)\n"
              "\n"
              "Critical Temperature = 96.1 °C\n"
              "Critical Pressure = 4990 kPa\n"
              "Boiling Point (at 1atm) = -40.8 °C\n"
              "Temperature Glide = 0.0 °C\n"
              "Vapor Specific Volume = 0.0471 m³/kg\n"
              "Liquid Density = 1281.4 kg/m³\n"
              "Latent Heat = 205.0 kJ/kgK\n"
              "Saturation Pressure = 499.657 kPa\n");

    r = Run({"props", "R999", "0", "--library", library});
    EXPECT_EQ(r.code, 2);
    EXPECT_NE(r.err.find("R999"), std::string::npos);
    r = Run({"props", "R22", "warm", "--library", library});
    EXPECT_EQ(r.code, 2);

    r = Run({"--library", library, "list"}); // options may come first
    EXPECT_EQ(r.code, 0);
    EXPECT_EQ(r.out, "R22\nR407C\n");
}

TEST_F(Cli, UsageAndWrongWords)
{
    for (const std::vector<std::string>& args : {std::vector<std::string> {}, {"--help"}, {"solve", "--help"}}) {
        const auto r = Run(args);
        EXPECT_EQ(r.code, 0);
        EXPECT_NE(r.out.find("Usage: kelvora-cli"), std::string::npos);
    }
    struct Case {
        std::vector<std::string> args;
        const char* inError;
    };
    const Case cases[] = {
        {{"frobnicate"}, "Unknown command"},
        {{"list", "--colour", "red"}, "Unknown option"},
        {{"solve"}, "takes 1 argument"},
        {{"list", "--library"}, "needs a value"},
        {{"--library", "/x"}, "No command"},
        {{"list", "--library", "/nonexistent/RefLib8.rdf"}, "/nonexistent/RefLib8.rdf"},
    };
    for (const auto& c : cases) {
        const auto r = Run(c.args);
        EXPECT_EQ(r.code, 2) << c.inError;
        EXPECT_NE(r.err.find(c.inError), std::string::npos) << r.err;
    }
}

// A valve range in tons, psi and degrees F: 5.5 bar is 79.8 psi (column 80), 5 degC
// is 41 degF (row te1), and 35.16 kW is 10 tons.
const char* const kTonsRange = "[Header]\r\nPUnits=Psi\r\nTUnits=DegF\r\nQUnits=Tons\r\n"
                               "dPRange=40,80,120\r\nteRange=20,40\r\n"
                               "[Small]\r\nte0=1,2,3\r\nte1=4,9.1,11\r\n"
                               "[Large]\r\nte0=5,6,7\r\nte1=8,12,14\r\n";

TEST_F(Cli, TxvSelectsTheValveOrGivesTheCapacityOfAModel)
{
    const std::string range = dir.Write("range.txv", kTonsRange);
    struct Case {
        std::vector<std::string> options;
        int code;
        const char* out;
        const char* err;
    };
    const Case cases[] = {
        {{"--duty", "35.16"}, 0, "Large\t42.192\n", ""},
        {{"--duty", "33"}, 0, "Small\t31.996\n", ""}, // 9.39 tons: 9.1 tons is 97 %
        {{"--duty", "60"}, 1, "None\t0.000\n", "TXV is out of range...\n"},
        {{"--model", "small"}, 0, "Small\t31.996\n", ""},
        {{"--model", "Large", "--duty", "1"}, 0, "Large\t42.192\n", ""},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args {"txv", range, "--te", "5", "--dp", "5.5"};
        args.insert(args.end(), c.options.begin(), c.options.end());
        const auto r = Run(args, "LC_ALL=de_DE.UTF-8");
        EXPECT_EQ(r.code, c.code) << c.options[1];
        EXPECT_EQ(r.out, c.out);
        EXPECT_EQ(r.err, c.err);
    }
}

TEST_F(Cli, TxvRefusesBadRangesAndOptions)
{
    const std::string range = dir.Write("range.txv", kTonsRange);
    const std::string kelvin = dir.Write("kelvin.txv", "[Header]\r\nTUnits=K\r\ndPRange=8\r\nteRange=0\r\n[A]\r\nte0=5\r\n");
    const std::string shortRow = dir.Write("short.txv", "[Header]\r\ndPRange=2,4,6\r\nteRange=0\r\n[A]\r\nte0=1,2\r\n");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"txv", kelvin, "--te", "0", "--dp", "8", "--duty", "5"},
         "Expansion valve file error: Temperature units \"K\" not allowed...\n"},
        {{"txv", kelvin, "--te", "0", "--dp", "8", "--model", "A"},
         "Expansion valve file error: Temperature units \"K\" not allowed...\n"},
        {{"txv", shortRow, "--te", "0", "--dp", "6", "--duty", "5"}, "List index out of bounds (2)\n"},
        {{"txv", dir.File("none.txv"), "--te", "0", "--dp", "8", "--duty", "5"},
         "Cannot open file \"" + dir.File("none.txv") + "\".\n"},
        {{"txv", range, "--te", "0", "--dp", "8", "--model", "Medium"},
         "Valve model 'Medium' is not in " + range + ".\n"},
        {{"txv", range, "--dp", "8", "--duty", "5"}, "Option '--te' is needed for txv. Try kelvora-cli --help.\n"},
        {{"txv", range, "--te", "0", "--dp", "8"}, "Option '--duty' is needed for txv. Try kelvora-cli --help.\n"},
        {{"txv", range, "--te", "0", "--dp", "8,5", "--duty", "5"}, "'8,5' is not a valid pressure drop.\n"},
        {{"txv", range, "--te", "0", "--dp", "8", "--duty", "lots"}, "'lots' is not a valid duty.\n"},
    };
    for (const auto& c : cases) {
        const auto r = Run(c.args);
        EXPECT_EQ(r.code, 2) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

TEST_F(Cli, TxvFindsABareFileNameInTheCommonDataFolder)
{
    // An installed tree: the program below the maker's folder, the ranges in its "Common Files".
    std::filesystem::create_directories(dir.File("Zandrovel/Kelvora"));
    std::filesystem::create_directories(dir.File("Zandrovel/Common Files"));
    program = dir.File("Zandrovel/Kelvora/kelvora-cli");
    std::filesystem::copy_file(KELVORA_CLI, program);
    dir.Write("Zandrovel/Common Files/Site range.txv", kTonsRange);
    const auto r = Run({"txv", "Site range.txv", "--te", "5", "--dp", "5.5", "--duty", "35.16"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out, "Large\t42.192\n");
}

TEST_F(Cli, CompressorsListsEachFileForTheRefrigerantAndItsPickByCapacity)
{
    using namespace cmpfixture;
    const std::string data = dir.File("data");
    std::filesystem::create_directories(data + "/sub");
    WriteCompFile(data + "/a.cmp", Header(), {PolyRecord("A-1", 10, 3), PolyRecord("A-2", 20, 5)});
    WriteCompFile(data + "/other.cmp", Header("Zandrovel compressor file v 1.02", 7), {PolyRecord("Z", 1)});
    WriteCompFile(data + "/sub/b.cmp", Header("Zandrovel compressor file v 1.00"), {TableRecord("B-1")});

    const std::vector<std::string> args = {"compressors", data, "--refrigerant", "R22", "--te", "5",
                                           "--tc", "40", "--library", library};
    auto r = Run(args);
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.err, "");
    const std::string listing = "a.cmp\tA-1\t10.000\t3.000\t12.700\t\n"
                                "a.cmp\tA-2\t20.000\t5.000\t24.500\t\n"
                                "sub/b.cmp\tB-1\t16.000\t2.400\t18.160\t\n";
    EXPECT_EQ(r.out, listing);
    EXPECT_EQ(Run(args, "LC_ALL=de_DE.UTF-8").out, listing);

    auto withCapacity = args;
    withCapacity.insert(withCapacity.end(), {"--capacity", "12"});
    r = Run(withCapacity);
    EXPECT_EQ(r.out, "a.cmp\tA-1\t10.000\t3.000\t12.700\t\n"
                     "a.cmp\tA-2\t20.000\t5.000\t24.500\t\n"
                     "selected\ta.cmp\tA-2\n"
                     "sub/b.cmp\tB-1\t16.000\t2.400\t18.160\t\n"
                     "selected\tsub/b.cmp\tB-1\n");
    withCapacity.back() = "30";
    r = Run(withCapacity);
    EXPECT_NE(r.out.find("selected\ta.cmp\tNone\n"), std::string::npos);
    EXPECT_NE(r.out.find("selected\tsub/b.cmp\tNone\n"), std::string::npos);

    // Table data off their grid say so; the other refrigerant's file has its own listing.
    r = Run({"compressors", data, "--refrigerant", "R22", "--te", "-8", "--tc", "40", "--library", library});
    EXPECT_NE(r.out.find("\tRange warning... [Suction -20 to 10°C Discharge 30 to 50°C]\n"), std::string::npos);
    r = Run({"compressors", data, "--refrigerant", "r407c", "--te", "5", "--tc", "40", "--library", library});
    EXPECT_EQ(r.out, "other.cmp\tZ\t1.000\t3.000\t3.700\t\n");
}

TEST_F(Cli, CompressorsTellsOfUnreadableFilesAndGoesOn)
{
    using namespace cmpfixture;
    const std::string data = dir.File("data");
    std::filesystem::create_directories(data);
    WriteCompFile(data + "/a.cmp", Header(), {PolyRecord("A-1", 10, 3)});
    const std::string bytes = CompFileBytes(Header(), {PolyRecord("C-1", 4), PolyRecord("C-2", 8)});
    dir.Write("data/cut.cmp", bytes.substr(0, bytes.size() - 30));
    dir.Write("data/junk.cmp", "not a compressor file");

    const auto r = Run({"compressors", data, "--refrigerant", "R22", "--te", "5", "--tc", "40", "--capacity", "6",
                        "--library", library});
    EXPECT_EQ(r.code, 1);
    EXPECT_NE(r.out.find("a.cmp\tA-1\t10.000\t3.000\t12.700\t\n"), std::string::npos);
    EXPECT_NE(r.out.find("cut.cmp\tC-1\t4.000\t3.000\t6.700\t\n"), std::string::npos);
    EXPECT_NE(r.out.find("selected\tcut.cmp\tNone\n"), std::string::npos); // C-2 is beyond the damage
    EXPECT_EQ(r.out.find("C-2"), std::string::npos);
    EXPECT_EQ(r.out.find("junk"), std::string::npos);
    // Once per file, however many steps met it.
    const std::string junk = "Error reading compressor file " + data + "/junk.cmp\n";
    const std::string cut = "Error reading compressor file " + data + "/cut.cmp\n";
    EXPECT_EQ(r.err.size(), junk.size() + cut.size()) << r.err;
    EXPECT_NE(r.err.find(junk), std::string::npos) << r.err;
    EXPECT_NE(r.err.find(cut), std::string::npos) << r.err;
}

TEST_F(Cli, CompressorsRefusesWhatItCannotRun)
{
    const std::string data = dir.File("data");
    std::filesystem::create_directories(data);
    struct Case {
        std::vector<std::string> args;
        int code;
        std::string err;
    };
    const Case cases[] = {
        {{"compressors", data, "--refrigerant", "R22", "--te", "5"}, 2, "Command compressors needs --refrigerant, --te and --tc. Try kelvora-cli --help.\n"},
        {{"compressors", data, "--refrigerant", "R22", "--te", "warm", "--tc", "40"}, 2, "'warm' is not a valid temperature.\n"},
        {{"compressors", data, "--refrigerant", "R22", "--te", "5", "--tc", "40", "--capacity", "big"}, 2, "'big' is not a valid capacity.\n"},
        {{"compressors", data, "--refrigerant", "R999", "--te", "5", "--tc", "40"}, 2, "Refrigerant R999 is not in the library " + library + ".\n"},
        {{"compressors", dir.File("none"), "--refrigerant", "R22", "--te", "5", "--tc", "40"}, 2, "Cannot open folder \"" + dir.File("none") + "\".\n"},
        {{"compressors", data, "--refrigerant", "R22", "--te", "5", "--tc", "40"}, 1, "No compressor data files found!\n"},
    };
    for (const auto& c : cases) {
        auto args = c.args;
        args.insert(args.end(), {"--library", library});
        const auto r = Run(args);
        EXPECT_EQ(r.code, c.code) << c.err;
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
}

// Hostile and unusual files: each ends in its message and exit code, never a
// crash, a hang, an infinity or a lost file.
TEST_F(Cli, HostileFilesEndInTheirMessage)
{
    const std::string deep = dir.Write("deep.rdf", "{\"app\":" + std::string(70000, '[') + std::string(70000, ']') + ",\"ver\":\"\"}");
    std::filesystem::create_directory(dir.File("folder"));
    const std::string folder = dir.File("folder");
    const std::string pipe = dir.File("pipe");
    ASSERT_EQ(::mkfifo(pipe.c_str(), 0600), 0);
    const std::string huge = dir.Write("huge.txv", "[Header]\r\nQUnits=Tons\r\ndPRange=8\r\nteRange=0\r\n"
                                                   "[Small]\r\nte0=1\r\n[Huge]\r\nte0=5.2e307\r\n");
    const std::string hugeMessage = "Expansion valve file error: Capacity 5.2e+307 Tons of \"Huge\" not allowed...\n";
    const std::string out = dir.File("out.rdf");
    struct Case {
        std::vector<std::string> args;
        std::string err;
    };
    const Case cases[] = {
        {{"solve", deep}, "Invalid Json data file (" + deep + ")!\n"},
        {{"diagnose", deep, dir.File("d.htm")}, "Invalid Json data file (" + deep + ")!\n"},
        {{"solve", folder}, "Cannot open file \"" + folder + "\".\n"},
        {{"solve", "/dev/zero"}, "Cannot open file \"/dev/zero\".\n"},
        {{"solve", pipe}, "Cannot open file \"" + pipe + "\".\n"},
        {{"paste", folder, out}, "Cannot open file \"" + folder + "\".\n"},
        {{"paste", "/dev/zero", out}, "Cannot open file \"/dev/zero\".\n"},
        {{"paste", pipe, out}, "Cannot open file \"" + pipe + "\".\n"},
        {{"txv", huge, "--te", "0", "--dp", "8", "--duty", "10"}, hugeMessage},
        {{"txv", huge, "--te", "0", "--dp", "8", "--model", "Huge"}, hugeMessage},
    };
    for (const auto& c : cases) {
        std::vector<std::string> args = c.args;
        args.insert(args.end(), {"--library", library});
        const auto r = Run(args);
        EXPECT_EQ(r.code, 2) << c.args[0] << " " << c.args[1];
        EXPECT_EQ(r.err, c.err);
        EXPECT_EQ(r.out, "");
    }
    EXPECT_FALSE(std::filesystem::exists(out));
    EXPECT_FALSE(std::filesystem::exists(dir.File("d.htm")));
}

TEST_F(Cli, LibraryEntriesBeyondTheNumbersAreRefused)
{
    const std::string lib = dir.Write("huge.rdf", "[R22]\r\nRNumber=R22\r\nPCrit=1e308\r\n");
    const auto r = Run({"props", "R22", "0", "--library", lib});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Floating point overflow\n");
    EXPECT_EQ(r.out.find("inf"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find("Critical Temperature = 96.1 °C\n\nError reading this refrigerant...\n"), std::string::npos)
        << r.out;
}

TEST_F(Cli, LargestNumbersSaveAndLoadAgain)
{
    TRefrigLib lib(library);
    TKelvora k(lib);
    k.SetDefaults();
    k.hrf = std::numeric_limits<double>::max();
    const std::string plant = dir.File("plant.rdf");
    k.SaveToFile(plant);
    const std::string saved = dir.File("saved.rdf");
    const auto first = Run({"solve", plant, "--save", saved, "--library", library});
    const auto again = Run({"solve", saved, "--library", library});
    EXPECT_EQ(again.code, first.code) << again.err;
    EXPECT_EQ(again.out, first.out);

    // The same through an exchange text.
    auto lines = k.GetClipText();
    lines[30] = "hrf=1.7976931348623157e308";
    const std::string pasted = dir.File("pasted.rdf");
    EXPECT_EQ(Run({"paste", dir.Write("clip.txt", JoinTextLines(lines)), pasted, "--library", library}).code, 0);
    const auto fromPaste = Run({"solve", pasted, "--library", library});
    EXPECT_NE(fromPaste.code, 2) << fromPaste.err;
}

TEST_F(Cli, EightBitRefrigerantNamesStayTheSameRefrigerant)
{
    // Library and exchange text of the Windows era: "Kälte-134" with the byte E4.
    const std::string eightBit = dir.Write("Latin.rdf", "[R22]\r\nRNumber=R22\r\n[K\xE4lte-134]\r\nRNumber=K\xE4lte-134\r\n"
                                                        "InternalNumber=3\r\ndp=21.2,-2190.5,246.4\r\nbp=21.2,-2190.5,246.4\r\n");
    TRefrigLib lib(library);
    TKelvora k(lib);
    k.SetDefaults();
    auto lines = k.GetClipText();
    lines[1] = "rnum=K\xE4lte-134";
    const std::string plant = dir.File("plant.rdf");
    auto r = Run({"paste", dir.Write("clip.txt", JoinTextLines(lines)), plant, "--library", eightBit});
    ASSERT_EQ(r.code, 0) << r.err;
    EXPECT_NE(TTempFolder::Read(plant).find("\"rnum\": \"K\\u00e4lte-134\""), std::string::npos);
    r = Run({"solve", plant, "--library", eightBit});
    EXPECT_EQ(SplitTextLines(r.out).at(1), "rnum=K\xC3\xA4lte-134") << "not R22";
    // What solve prints pastes again as the same refrigerant.
    const std::string again = dir.File("again.rdf");
    EXPECT_EQ(Run({"paste", dir.Write("printed.txt", r.out), again, "--library", eightBit}).code, 0);
    EXPECT_EQ(SplitTextLines(Run({"solve", again, "--library", eightBit}).out).at(1), "rnum=K\xC3\xA4lte-134");
    EXPECT_EQ(Run({"list", "--library", eightBit}).out, "K\xC3\xA4lte-134\nR22\n");
}

TEST_F(Cli, SavesWriteThroughLinksAndKeepTheMode)
{
    const std::string real = Project("real.rdf");
    ::chmod(real.c_str(), 0600);
    const std::string link = dir.File("plant.rdf");
    std::filesystem::create_symlink(real, link);
    const auto r = Run({"solve", link, "--save", link, "--library", library});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    struct stat st { };
    ::stat(real.c_str(), &st);
    EXPECT_EQ(st.st_mode & 0777, 0600u);
    EXPECT_EQ(Run({"solve", real, "--library", library}).out, r.out);
}

TEST_F(Cli, WithoutALibraryR22IsTheBuiltInRecord)
{
    // A program moved away from its data: no library file in its common data folder.
    std::filesystem::create_directories(dir.File("Zandrovel/Kelvora"));
    program = dir.File("Zandrovel/Kelvora/kelvora-cli");
    std::filesystem::copy_file(KELVORA_CLI, program);
    auto r = Run({"props", "R22", "0"});
    EXPECT_EQ(r.code, 0) << r.err;
    EXPECT_EQ(r.out.substr(0, 37), "R22 (chlorodifluoromethane, CHClF2)\n\n");
    EXPECT_NE(r.out.find("Saturation Pressure = 499.657 kPa\n"), std::string::npos);
    r = Run({"props", "R134a", "0"});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Refrigerant R134a is not in the library " + dir.File("Zandrovel/Common Files/RefLib8.rdf") + ".\n");
    EXPECT_EQ(Run({"solve", Project("plant.rdf")}).code, 0);
}

#if !defined(__SANITIZE_ADDRESS__)
TEST_F(Cli, RunningOutOfMemoryIsAMessage)
{
    // A sparse file larger than the memory the run may take.
    const std::string big = dir.File("big.txt");
    std::filesystem::resize_file(dir.Write("big.txt", "Kelvora 1.2.0.0\r\n"), 1ull << 32);
    const auto r = Run({"paste", big, dir.File("out.rdf"), "--library", library}, "ulimit -v 400000;");
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "Out of memory.\n");
}
#endif

namespace {

const std::string kShippedLibrary = KELVORA_SOURCE_DIR "/assets/Common Files/RefLib8.rdf";

std::vector<std::string> LineSizeArgs(const std::string& refrigerant, const std::string& line,
                                      std::vector<std::string> more)
{
    std::vector<std::string> args {"linesize", refrigerant, "--line", line, "--capacity", "10", "--te", "-10",
                                   "--tc", "40", "--length", "20", "--library", kShippedLibrary};
    args.insert(args.end(), more.begin(), more.end());
    return args;
}

// The name<TAB>value lines of an output.
std::map<std::string, std::string> Values(const std::string& out)
{
    std::map<std::string, std::string> values;
    for (const auto& l : SplitTextLines(out)) {
        const auto tab = l.find('\t');
        if (tab != std::string::npos)
            values[l.substr(0, tab)] = l.substr(tab + 1);
    }
    return values;
}

} // namespace

// The figures are the calculation's, printed with a decimal point in any locale.
TEST_F(Cli, LinesizePrintsTheLineAndItsRules)
{
    TRefrigLib lib(kShippedLibrary);
    for (const auto& [refrigerant, kind] : {std::pair {"R134a", lkSuction}, std::pair {"R407C", lkDischarge},
                                            std::pair {"R717", lkLiquid}}) {
        SCOPED_TRACE(refrigerant);
        const auto args = LineSizeArgs(refrigerant, LineKindName(kind),
                                       {"--od", "22", "--wall", "1", "--rise", "3", "--sh", "6", "--sc", "3"});
        const auto r = Run(args, "LC_ALL=de_DE.UTF-8");
        ASSERT_EQ(r.code, 0) << r.err;
        EXPECT_EQ(r.err, "");
        lib.SelectByName(refrigerant);
        const TLineResult x = ComputeLine(lib, kind, {10, -10, 40, 6, 3, 0.7}, {22, 1, 20, 3});
        const auto v = Values(r.out);
        const std::vector<std::string> names = [&] {
            std::vector<std::string> n;
            for (const auto& l : SplitTextLines(r.out))
                if (!l.empty())
                    n.push_back(l.substr(0, l.find('\t')));
            return n;
        }();
        std::vector<std::string> expected {"mass_flow", "density", "velocity", "reynolds", "friction_factor",
                                           "pressure_drop", "saturation_drop", "rule_drop"};
        if (kind == lkLiquid) {
            expected.insert(expected.end(), {"rule_hammer", "subcooled"});
        } else {
            expected.insert(expected.end(), {"rule_oil_return", "rule_noise"});
        }
        EXPECT_EQ(names, expected);
        const auto number = [&](const char* name) { return std::stod(v.at(name)); };
        EXPECT_NEAR(number("mass_flow"), x.state.massFlow, 1e-5);
        EXPECT_NEAR(number("density"), x.state.density, 1e-3);
        EXPECT_NEAR(number("velocity"), x.velocity, 1e-3);
        EXPECT_NEAR(number("reynolds"), x.reynolds, 1);
        EXPECT_NEAR(number("friction_factor"), x.frictionFactor, 1e-5);
        EXPECT_NEAR(number("pressure_drop"), x.pressureDrop * 1e-3, 1e-3);
        EXPECT_NEAR(number("saturation_drop"), x.saturationDrop, 1e-3);
        EXPECT_EQ(v.at("rule_drop").substr(0, 2) == "ok", x.judgement.dropOk);
        EXPECT_EQ(v.at("rule_drop").substr(v.at("rule_drop").find('(')),
                  kind == lkLiquid ? "(<= 0.5 K)" : "(<= 1 K)");
    }
}

TEST_F(Cli, LinesizeWithoutATubeSelectsFromBothSeries)
{
    const auto r = Run(LineSizeArgs("R134a", "suction", {}));
    EXPECT_EQ(r.code, 0) << r.err;
    const auto v = Values(r.out);
    TRefrigLib lib(kShippedLibrary);
    lib.SelectByName("R134a");
    const TLineState s = LineState(lib, lkSuction, TLineCycle {10, -10, 40, 7.5, 5, 0.7});
    EXPECT_EQ(v.at("selection_metric"), SelectTube(lib, s, tsMetric, 20, 0)->tube.name);
    EXPECT_EQ(v.at("selection_acr"), SelectTube(lib, s, tsAcr, 20, 0)->tube.name);
    EXPECT_EQ(v.size(), 2u);
    // No tube carries oil up 30 m of riser for 0.5 kW at -30 °C within 1 K.
    const auto none = Run({"linesize", "R134a", "--line", "suction", "--capacity", "0.5", "--te", "-30", "--tc", "40",
                           "--length", "60", "--rise", "30", "--library", kShippedLibrary});
    EXPECT_EQ(none.code, 1);
    EXPECT_EQ(none.out, "selection_metric\tnone\nselection_acr\tnone\n");
}

// R32 is fitted up to 50 °C: its figures at 60 °C are printed with the warning.
TEST_F(Cli, LinesizeWarnsOfACycleBeyondTheDataRange)
{
    const std::string warning = "Warning: outside the data range of R32 (\u221245\u202650 \u00B0C)\n";
    for (const auto& more : {std::vector<std::string> {"--od", "22", "--wall", "1", "--tc", "60"},
                             std::vector<std::string> {"--tc", "60"}}) {
        const auto r = Run(LineSizeArgs("R32", "liquid", more));
        EXPECT_EQ(r.code, 1);
        EXPECT_EQ(r.err, warning);
        EXPECT_EQ(Values(r.out).count(more.size() > 2 ? "pressure_drop" : "selection_metric"), 1u) << r.out;
    }
    const auto inside = Run(LineSizeArgs("R32", "liquid", {"--od", "22", "--wall", "1", "--tc", "50"}));
    EXPECT_EQ(inside.code, 0);
    EXPECT_EQ(inside.err, "");
}

TEST_F(Cli, LinesizeRefusesBadInput)
{
    const std::string tube[] = {"--od", "22", "--wall", "1"};
    struct TCase {
        std::vector<std::string> args;
        std::string message;
    } cases[] = {
        {LineSizeArgs("R134a", "riser", {tube[0], tube[1], tube[2], tube[3]}),
         "Unknown line 'riser': suction, discharge or liquid.\n"},
        {LineSizeArgs("R134a", "liquid", {"--od", "22", "--wall", "11"}), "The wall leaves no bore in the tube.\n"},
        {LineSizeArgs("R999", "liquid", {tube[0], tube[1], tube[2], tube[3]}),
         "Refrigerant R999 is not in the library " + kShippedLibrary + ".\n"},
        {LineSizeArgs("R134a", "liquid", {"--od", "22"}), "Option '--wall' is needed for linesize. Try kelvora-cli --help.\n"},
        {LineSizeArgs("R134a", "liquid", {"--od", "22", "--wall", "1,0"}), "'1,0' is not a valid wall thickness.\n"},
        {{"linesize", "R134a", "--line", "liquid", "--capacity", "10", "--te", "-10", "--od", "22", "--wall", "1",
          "--length", "20", "--library", kShippedLibrary},
         "Option '--tc' is needed for linesize. Try kelvora-cli --help.\n"},
        {LineSizeArgs("R134a", "suction", {"--od", "6", "--wall", "1", "--capacity", "100"}),
         "The pressure drop exceeds the pressure in the line.\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.message);
        const auto r = Run(c.args);
        EXPECT_EQ(r.code, 2);
        EXPECT_EQ(r.err, c.message);
        EXPECT_EQ(r.out, "");
    }
    // The fixture library's R22 has no viscosity lists of its own.
    const auto r = Run({"linesize", "R22", "--line", "suction", "--capacity", "10", "--te", "-10", "--tc", "40",
                        "--length", "20", "--library", library});
    EXPECT_EQ(r.code, 2);
    EXPECT_EQ(r.err, "No viscosity data for R22\n");
}
