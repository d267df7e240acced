#pragma once

#include <string>

#include "env/windowplacement.h"

class QWidget;

// The placement record applied to a real window. The section is the window's
// object name ("CompForm", "TxValveForm", "LiquidLineForm"); the key defaults to
// the running program's key. Positions are the window's client geometry, and a
// minimised or maximised window saves its normal geometry.

TWindowPlacement CurrentPlacement(const QWidget& window);

// Reads the record (the window's current values as defaults), clamps it to the
// extent of the window's screen and applies it.
void RestoreWindowPlacement(QWidget& window, bool withVisibility, bool withSize);
void RestoreWindowPlacement(QWidget& window, const std::string& key, bool withVisibility, bool withSize);

// The kept placement of a main window, or, on its first start with no record,
// nothing: the window manager places it (the empty record's 0, 0 would put the
// title bar above the screen). The size comes back too.
void RestoreKeptPlacement(QWidget& window);

void SaveWindowPlacement(const QWidget& window);
void SaveWindowPlacement(const QWidget& window, const std::string& key);
