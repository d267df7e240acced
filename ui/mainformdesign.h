#pragma once

// The main window's design as tables: the fields laid over the cycle picture, the
// link boxes, the menus, and the orders in which the cycle moves between window
// and model. The window builds itself from these in one loop each.

#include <span>

#include <QFont>

#include "units/fmtfield.h"
#include "ui/mainform.h"

// Panel (the picture area) and status bar; the menu bar stands above them.
inline constexpr int kPanelWidth = 616;
inline constexpr int kPanelHeight = 404;
inline constexpr int kStatusBarHeight = 19;
inline constexpr int kStatusPanelWidth = 300;
// The file panel keeps room for a file name however long a warning is.
inline constexpr int kStatusFileMinWidth = 160;

// Field geometry: each caption stands right-aligned just left of its field, each
// units label just right of it.
inline constexpr int kFieldWidth = 52;
inline constexpr int kFieldHeight = 21;
inline constexpr int kCaptionGap = 4;
inline constexpr int kUnitsGap = 3;
inline constexpr int kUnitsWidth = 40;
inline constexpr int kCheckBoxHeight = 17;
// A caption's width is its text's plus this margin.
inline constexpr int kCaptionMargin = 6;

struct TMainFieldRow {
    const char* name;
    const char* caption;
    TFmtEdit* TMainForm::*field;
    double TKelvora::*value;
    TFmtEditDesign design;
    int x, y;
    // What leaving the changed field recomputes; editable fields without one only
    // mark the window not solved, read-only fields have no exit handling.
    void (TMainForm::*onExit)();
};

// The twenty fields, in tab order.
std::span<const TMainFieldRow> MainFieldRows();

struct TMainCheckRow {
    const char* name;
    const char* caption;
    QCheckBox* TMainForm::*box;
    int x, y;
    int tabStop; // place in the tab order among the fields
};

std::span<const TMainCheckRow> MainCheckRows();

// The two result labels, each with a caption left of it.
struct TMainLabelRow {
    const char* name;
    const char* caption;
    QLabel* TMainForm::*label;
    int x, y, width, height;
    const char* design;
};

std::span<const TMainLabelRow> MainLabelRows();

enum TMenuRowKind {
    mrMenu, // a menu of the menu bar; the items below belong to it
    mrItem, // a command of the current menu
    mrSeparator,
    mrCommand, // a command on the menu bar itself
};

struct TMenuRow {
    TMenuRowKind kind;
    const char* caption;
    const char* shortcut; // portable key text, or nullptr
    const char* name;
    QAction* TMainForm::*action;
    void (TMainForm::*handler)();
};

std::span<const TMenuRow> MainMenuRows();

// Model values in the order ShowCycle writes them and ReadCycle reads them.
std::span<double TKelvora::*const> ShowCycleOrder();
std::span<double TKelvora::*const> ReadCycleOrder();

// The captions' font, the one the cycle picture is drawn around.
QFont CaptionFont();
// The refrigerant name's fixed-pitch font.
QFont RefLabelFont();
