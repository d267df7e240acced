// The selector's data text of a loaded compressor: the ten lines with the rating
// line chosen by the rating suction gas temperature.
#include <gtest/gtest.h>

#include "tests/support/cmpfixture.h"
#include "tools/compform/compdatalines.h"
#include "tools/compressor/comp.h"
#include "core/numtext.h"
#include "tests/support/tempfolder.h"

using namespace cmpfixture;

TEST(CompDataLines, TenLinesWithTheRatingOfTheFile)
{
    struct Case {
        const char* version;
        double suctionGas; // of the record written; files before 1.03 hold none
        const char* ratingLine;
    };
    const Case cases[] = {
        {"Zandrovel compressor file v 1.00", 20, "Ref Superheat = 7.5 °C"},
        {"Zandrovel compressor file v 1.03", 20, "Ref Suction Gas = 20.0 °C"},
        {"Zandrovel compressor file v 1.03", 0, "Ref Suction Gas = 0.0 °C"},
        {"Zandrovel compressor file v 1.03", -300, "Ref Superheat = 7.5 °C"},
    };
    TTempFolder dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", kLibraryText));
    lib.SelectByName("R22");
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.version) + " " + std::to_string(c.suctionGas));
        TCompData record = PolyRecord("Z 10", 10);
        record.RefSuctionGas = c.suctionGas;
        record.RefSubcooling = 5.0;
        record.HeatRejectionFactor = 0.85;
        WriteCompFile(dir.File("z.cmp"), Header(c.version), {record});
        TComp comp(lib);
        ASSERT_TRUE(comp.SelectCompressor(dir.File("z.cmp"), 0));
        comp.Capacity(5, 45);
        comp.HeatRejection(5, 45);
        const std::vector<std::string> expected = {
            "[Z 10]",
            "Description = description of Z 10",
            "Refrigerant = R22",
            "Heat Rejection Factor = 0.850",
            c.ratingLine,
            "Ref Sub-cooling = 5.0 °C",
            "Superheat = 7.500 °C",
            "Sub-cooling = 5.000 °C",
            "qcf = " + FormatNumber("%0.4f", comp.qcf()),
            "pcf = " + FormatNumber("%0.4f", comp.pcf()),
        };
        EXPECT_EQ(CompDataLines(comp, "R22"), expected);
    }
}

TEST(CompDataLines, CorrectionFactorsOfTheLastEvaluation)
{
    TTempFolder dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", kLibraryText));
    lib.SelectByName("R22");
    // Rated at 10 K superheat: the plant's 7.5 K gives factors away from 1.
    TCompData record = PolyRecord("Z", 10);
    record.RefSuperheat = 10;
    WriteCompFile(dir.File("z.cmp"), Header(), {record});
    TComp comp(lib);
    ASSERT_TRUE(comp.SelectCompressor(dir.File("z.cmp"), 0));
    comp.Capacity(-10, 40);
    comp.HeatRejection(-10, 40);
    const std::vector<std::string> cold = CompDataLines(comp, "R22");
    EXPECT_EQ(cold[8], "qcf = " + FormatNumber("%0.4f", comp.qcf(-10, 40)));
    EXPECT_NE(cold[8], "qcf = 1.0000");
    comp.Capacity(5, 40);
    comp.HeatRejection(5, 40);
    EXPECT_NE(CompDataLines(comp, "R22")[8], cold[8]);
}
