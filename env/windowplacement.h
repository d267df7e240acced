#pragma once

#include <string>

// A tool window's placement record in the per-user settings store: a section named
// after the window under the program key, with "Left", "Top", "Width", "Height",
// "Visible" and "WinState". The record is plain data so that the clamping rule and
// the store round trip run without a screen; widgetplacement.h applies it to a window.

enum TWinState { wsNormal = 0,
                 wsMinimized = 1,
                 wsMaximized = 2 };

struct TWindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    bool Visible = false;
    int WinState = wsNormal;
};

// Keeps a restored window reachable: a negative edge becomes 0, and an edge beyond
// the screen's extent minus 100 pixels becomes the extent minus 200.
void ClampToScreen(TWindowPlacement& placement, int screenWidth, int screenHeight);

// Reads the record of `section` under `key`, the window's current values serving as
// defaults. Left and Top are always read, Width and Height with `withSize`, Visible
// (default false) with `withVisibility`; then the edges are clamped to the screen,
// and WinState is read last (default: the current state).
TWindowPlacement RestoreWindowPlacement(const std::string& key, const std::string& section,
                                        const TWindowPlacement& current, int screenWidth, int screenHeight,
                                        bool withVisibility, bool withSize);

// Writes all six values of the record.
void SaveWindowPlacement(const std::string& key, const std::string& section, const TWindowPlacement& placement);
