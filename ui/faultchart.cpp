#include "ui/faultchart.h"

#include <cctype>
#include <utility>

namespace {

// One step of the tree: a conclusion (with the picture of its fault, if it has
// one of its own), a question, or a conclusion that leads on to a question.
struct TChartNode {
    const char* conclusion; // empty: a plain question
    const char* picture;    // shown with the conclusion; empty keeps the picture shown
    const char* question;   // empty: the run ends here
    int yes = -1, no = -1;
};

// clang-format off
constexpr TChartNode kTree[] = {
    /*  0 */ {"", "", "Is the LP low", 1, 10},
    /*  1 */ {"", "", "Is the superheat high", 2, 7},
    /*  2 */ {"", "", "Is there high sub-cooling", 3, 6},
    /*  3 */ {"", "", "Is there a dt in the liquid line", 4, 5},
    /*  4 */ {"Pre-expansion in the liquid line!", "", ""},
    /*  5 */ {"Lack of expansion valve capacity!", "fault1.png", ""},
    /*  6 */ {"Lack of refrigerant charge!", "fault2.png", ""},
    /*  7 */ {"Lack of evaporator capacity!", "fault5.png", "Low fluid DT across evaporator", 8, 9},
    /*  8 */ {"Fouled evaporator!", "", ""},
    /*  9 */ {"Lack of evaporator fluid flow!", "", ""},
    /* 10 */ {"", "", "Is the HP high", 11, 18},
    /* 11 */ {"", "", "Is there high sub-cooling", 12, 15},
    /* 12 */ {"", "", "Positive test for non-condensibles", 13, 14},
    /* 13 */ {"Non-condensibles present!", "", ""},
    /* 14 */ {"Excess refrigerant charge!", "fault3.png", ""},
    /* 15 */ {"Lack of condenser capacity!", "fault6.png", "Low fluid dT across condenser", 16, 17},
    /* 16 */ {"Fouled condenser!", "", ""},
    /* 17 */ {"Lack of condenser fluid flow!", "", ""},
    /* 18 */ {"Lack of compressor capacity!", "fault4.png", ""},
};
// clang-format on

constexpr const char* kOverview = "fault0.png";

} // namespace

TFaultChart::TFaultChart(TPictureLoader showPicture) : showPicture_(std::move(showPicture)) { }

void TFaultChart::Activate()
{
    question_ = "Click [Start] to begin";
    conclusion_.clear();
    quit_ = false;
    quitRun_ = false;
    node_ = -1;
}

void TFaultChart::Start()
{
    node_ = -1;
    quit_ = false;
    quitRun_ = false;
    if (!showPicture_(kOverview))
        return;
    conclusion_.clear();
    Go(0);
}

bool TFaultChart::Key(char key)
{
    switch (std::toupper(static_cast<unsigned char>(key))) {
    case 'Y':
        answer_ = "Yes";
        break;
    case 'N':
        answer_ = "No";
        break;
    case 'Q':
        answer_ = "Quit";
        quit_ = true;
        break;
    default:
        return false;
    }
    // Without a waiting question an answer only stays noted; the next question
    // clears it, while the quit flag waits for the next Start.
    if (node_ < 0)
        return true;
    const int node = node_;
    if (quit_) {
        node_ = -1;
        quitRun_ = true;
        return true;
    }
    Go(answer_ == "Yes" ? kTree[node].yes : kTree[node].no);
    return true;
}

void TFaultChart::Go(int node)
{
    node_ = -1;
    const TChartNode& n = kTree[node];
    if (*n.conclusion) {
        question_ = "Click [Start] to reset";
        conclusion_ = n.conclusion;
        if (*n.picture && !showPicture_(n.picture))
            return;
    }
    if (*n.question)
        Ask(node);
}

void TFaultChart::Ask(int node)
{
    answer_.clear();
    question_ = std::string(kTree[node].question) + " (y/n)?";
    node_ = node;
}
