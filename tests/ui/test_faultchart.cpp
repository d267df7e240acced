// The fault-finding chart's decision tree walked by answers, without a window.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "ui/faultchart.h"

namespace {

// The chart with a recorder for the pictures it shows; `missing` fail to load.
struct TChartRun {
    explicit TChartRun(std::set<std::string> unreadable = {})
        : missing(std::move(unreadable)), chart([this](const std::string& file) {
              if (this->missing.count(file))
                  return false;
              pictures.push_back(file);
              return true;
          })
    {
        chart.Activate();
    }

    void Answers(const std::string& keys)
    {
        for (char key : keys)
            EXPECT_TRUE(chart.Key(key)) << key;
    }

    std::set<std::string> missing;
    std::vector<std::string> pictures;
    TFaultChart chart;
};

} // namespace

TEST(FaultChart, EveryPathEndsInItsConclusionAndPicture)
{
    struct Case {
        const char* answers;
        const char* conclusion;
        std::vector<std::string> pictures;
    };
    const Case cases[] = {
        {"YYYY", "Pre-expansion in the liquid line!", {"fault0.png"}},
        {"YYYN", "Lack of expansion valve capacity!", {"fault0.png", "fault1.png"}},
        {"YYN", "Lack of refrigerant charge!", {"fault0.png", "fault2.png"}},
        {"YNY", "Fouled evaporator!", {"fault0.png", "fault5.png"}},
        {"YNN", "Lack of evaporator fluid flow!", {"fault0.png", "fault5.png"}},
        {"NYYY", "Non-condensibles present!", {"fault0.png"}},
        {"NYYN", "Excess refrigerant charge!", {"fault0.png", "fault3.png"}},
        {"NYNY", "Fouled condenser!", {"fault0.png", "fault6.png"}},
        {"NYNN", "Lack of condenser fluid flow!", {"fault0.png", "fault6.png"}},
        {"NN", "Lack of compressor capacity!", {"fault0.png", "fault4.png"}},
        // Lower-case answers are the same answers.
        {"nn", "Lack of compressor capacity!", {"fault0.png", "fault4.png"}},
        {"ynY", "Fouled evaporator!", {"fault0.png", "fault5.png"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.answers);
        TChartRun run;
        run.chart.Start();
        run.Answers(c.answers);
        EXPECT_EQ(run.chart.ConclusionLine(), c.conclusion);
        EXPECT_EQ(run.chart.QuestionLine(), "Click [Start] to reset");
        EXPECT_EQ(run.pictures, c.pictures);
        EXPECT_FALSE(run.chart.Asking());
        EXPECT_FALSE(run.chart.QuitRun());
    }
}

TEST(FaultChart, QuestionsInOrderAndAConclusionThatLeadsOn)
{
    TChartRun run;
    EXPECT_EQ(run.chart.QuestionLine(), "Click [Start] to begin");
    EXPECT_EQ(run.chart.ConclusionLine(), "");
    run.chart.Start();
    EXPECT_EQ(run.chart.QuestionLine(), "Is the LP low (y/n)?");
    EXPECT_EQ(run.chart.ConclusionLine(), "");
    EXPECT_TRUE(run.chart.Asking());
    run.Answers("Y");
    EXPECT_EQ(run.chart.QuestionLine(), "Is the superheat high (y/n)?");
    EXPECT_EQ(run.chart.Answer(), "") << "each question clears the answer";
    run.Answers("N");
    // The first conclusion with its picture while the follow-up question waits.
    EXPECT_EQ(run.chart.ConclusionLine(), "Lack of evaporator capacity!");
    EXPECT_EQ(run.chart.QuestionLine(), "Low fluid DT across evaporator (y/n)?");
    EXPECT_EQ(run.pictures.back(), "fault5.png");
    EXPECT_TRUE(run.chart.Asking());

    TChartRun condenser;
    condenser.chart.Start();
    condenser.Answers("NY");
    EXPECT_EQ(condenser.chart.QuestionLine(), "Is there high sub-cooling (y/n)?");
    condenser.Answers("Y");
    EXPECT_EQ(condenser.chart.QuestionLine(), "Positive test for non-condensibles (y/n)?");
    TChartRun capacity;
    capacity.chart.Start();
    capacity.Answers("NYN");
    EXPECT_EQ(capacity.chart.ConclusionLine(), "Lack of condenser capacity!");
    EXPECT_EQ(capacity.chart.QuestionLine(), "Low fluid dT across condenser (y/n)?");
}

TEST(FaultChart, QuitAtAQuestionEndsTheRunAsItStands)
{
    for (const char* answers : {"", "Y", "YN", "NYN"}) {
        SCOPED_TRACE(answers);
        TChartRun run;
        run.chart.Start();
        run.Answers(answers);
        const std::string question = run.chart.QuestionLine();
        const std::string conclusion = run.chart.ConclusionLine();
        const auto pictures = run.pictures;
        run.Answers("q");
        EXPECT_TRUE(run.chart.QuitRun());
        EXPECT_FALSE(run.chart.Asking());
        EXPECT_EQ(run.chart.Answer(), "Quit");
        EXPECT_EQ(run.chart.QuestionLine(), question);
        EXPECT_EQ(run.chart.ConclusionLine(), conclusion);
        EXPECT_EQ(run.pictures, pictures);
        // The next opening starts afresh.
        run.chart.Activate();
        EXPECT_FALSE(run.chart.QuitRun());
        EXPECT_EQ(run.chart.QuestionLine(), "Click [Start] to begin");
        EXPECT_EQ(run.chart.ConclusionLine(), "");
    }
}

TEST(FaultChart, AnswersWithoutAQuestionAndStartFromAnyState)
{
    TChartRun run;
    // Before any run: Y and N are only noted, Q only sets the flag the next Start clears.
    run.Answers("YNQ");
    EXPECT_FALSE(run.chart.QuitRun());
    EXPECT_EQ(run.chart.QuestionLine(), "Click [Start] to begin");
    EXPECT_TRUE(run.pictures.empty());
    run.chart.Start();
    run.Answers("N");
    EXPECT_EQ(run.chart.QuestionLine(), "Is the HP high (y/n)?") << "the earlier Q does not quit this run";

    // Start while a question waits begins again at the first question.
    run.chart.Start();
    EXPECT_EQ(run.chart.QuestionLine(), "Is the LP low (y/n)?");
    EXPECT_EQ(run.chart.ConclusionLine(), "");
    run.Answers("NN");
    // After a conclusion, further answers change nothing; Start begins again.
    run.Answers("YY");
    EXPECT_EQ(run.chart.ConclusionLine(), "Lack of compressor capacity!");
    run.chart.Start();
    EXPECT_EQ(run.chart.ConclusionLine(), "");
    EXPECT_EQ(run.chart.QuestionLine(), "Is the LP low (y/n)?");
    EXPECT_EQ(run.pictures, (std::vector<std::string> {"fault0.png", "fault0.png", "fault4.png", "fault0.png"}));

    EXPECT_FALSE(run.chart.Key('x'));
    EXPECT_FALSE(run.chart.Key(' '));
    EXPECT_TRUE(run.chart.Asking());
}

TEST(FaultChart, AMissingPictureStopsTheRun)
{
    TChartRun noOverview({"fault0.png"});
    noOverview.chart.Start();
    EXPECT_FALSE(noOverview.chart.Asking());
    EXPECT_EQ(noOverview.chart.QuestionLine(), "Click [Start] to begin");

    TChartRun noEvaporator({"fault5.png"});
    noEvaporator.chart.Start();
    noEvaporator.Answers("YN");
    EXPECT_FALSE(noEvaporator.chart.Asking()) << "the follow-up question is not asked";
    EXPECT_EQ(noEvaporator.chart.ConclusionLine(), "Lack of evaporator capacity!");
    noEvaporator.Answers("Y");
    EXPECT_EQ(noEvaporator.chart.ConclusionLine(), "Lack of evaporator capacity!");
}
