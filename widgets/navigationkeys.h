#pragma once

class QKeyEvent;
class QWidget;

// The key routine of the data-entry windows. The window sees each key press
// before its focused control and hands it to one of these; true means the key
// moved the focus and is consumed, false lets it pass on unchanged.

// Enter and Down move to the next control in tab order, Up to the previous one,
// but only from a single-line text field (formatted fields included).
bool EditNavigationKeys(QWidget* focused, const QKeyEvent& key);

// The variant of the selector windows: nothing in a list or in a multi-line box
// that takes Enter; Enter moves on from any other control; Down and Up move except
// in a combo box, list or multi-line box.
bool DialogNavigationKeys(QWidget* focused, const QKeyEvent& key);

using TNavigationKeys = bool (*)(QWidget* focused, const QKeyEvent& key);

// Lets `window` see every key press meant for one of its controls before that
// control does, and pass it to `keys`. Lasts as long as the window.
void InstallKeyPreview(QWidget* window, TNavigationKeys keys);

// Moves the focus from `from` to the next (or previous) control of its window
// that takes the focus by Tab. False when there is none.
bool MoveFocusInTabOrder(QWidget* from, bool forward);
