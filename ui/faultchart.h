#pragma once

#include <functional>
#include <string>

// The fault-finding chart's yes/no decision tree and the walk through it, driven
// by the technician's answers. No window: the chart window feeds it key presses
// and shows its two lines and the picture it asks for.
//
// A run starts with the overview picture and the first question, and goes on one
// answer at a time until a conclusion ends it. Some conclusions lead on to one more
// question ("Lack of evaporator capacity!", then "Low fluid DT across evaporator").
// Q at a question ends the run at once and asks the window to close.
class TFaultChart {
public:
    // Shows a picture of the help folder by file name ("fault0.png" ...); false when
    // it cannot be loaded (the loader has told the user), which stops the run.
    using TPictureLoader = std::function<bool(const std::string& file)>;

    explicit TFaultChart(TPictureLoader showPicture);

    // The window is opened: "Click [Start] to begin", no conclusion, no run.
    void Activate();
    // "Start": begins a new run from the first question, whatever state it is in.
    void Start();
    // One key press. Y, N and Q in either case are the answers; true when it was
    // one of them.
    bool Key(char key);

    const std::string& QuestionLine() const { return question_; }
    const std::string& ConclusionLine() const { return conclusion_; }
    // "", "Yes", "No" or "Quit": the last answer given since the last question.
    const std::string& Answer() const { return answer_; }
    // A question is waiting for its answer.
    bool Asking() const { return node_ >= 0; }
    // The last run ended by Q at a question: the window closes.
    bool QuitRun() const { return quitRun_; }

private:
    void Go(int node);
    void Ask(int node);

    TPictureLoader showPicture_;
    std::string question_, conclusion_, answer_;
    bool quit_ = false;
    bool quitRun_ = false;
    int node_ = -1; // the node whose question waits, or -1
};
