// Where the companions live and what the Mollier chart is told.
#include <gtest/gtest.h>

#include <clocale>

#include "ui/companions.h"
#include "core/cycle.h"
#include "tests/support/tempfolder.h"

TEST(Companions, EachLivesAtItsOwnPlaceBelowTheMakersFolder)
{
    const TCompanion all[] = {cpMollierChart, cpLineSize, cpCapillaryTube, cpEvaporatorCoil, cpCondenserCoil,
                              cpCycleSimulation};
    std::vector<std::string> paths;
    for (const TCompanion c : all) {
        const std::string path = CompanionPath("/opt/Zandrovel/", c);
        EXPECT_EQ(path.rfind("/opt/Zandrovel/", 0), 0u);
        EXPECT_GT(path.size(), std::string("/opt/Zandrovel/").size());
        EXPECT_EQ(std::count(paths.begin(), paths.end(), path), 0) << path;
        paths.push_back(path);
    }
}

TEST(Companions, MollierArgumentsComeFromTheModelWithAPoint)
{
    TTempFolder dir;
    TRefrigLib lib(dir.Write("RefLib8.rdf", "[R134a]\r\nRNumber=R134a\r\n[R22]\r\nRNumber=R22\r\n"));
    lib.SelectByName("R22");
    TKelvora k(lib);
    k.Ie = 0.6543;
    k.SST = -10.25;
    k.HP = lib.BubbleP(40) / 1000;
    k.sh = 6.126;
    k.sc = 3;
    std::setlocale(LC_ALL, "de_DE.UTF-8");
    const std::string text = MollierArgumentText(k);
    std::setlocale(LC_ALL, "C");
    EXPECT_EQ(text, "1 0.654 -10.250 40.000 6.13 3.00");
}
