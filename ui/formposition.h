#pragma once

#include <string>

#include "core/jsondoc.h"

class QWidget;

// A window's position in the settings document under `key`, as JsonPutFormPos and
// JsonGetFormPos keep it: the outer frame's corner, title bar and border included,
// both when it is stored and when it is restored, so a restart puts the window
// exactly where it was. Restoring keeps the corner on the screen so that a position
// from another screen cannot lose it.
void RestoreFormPosition(QWidget& window, const TJsonDoc& settings, const std::string& key);
void StoreFormPosition(const QWidget& window, TJsonDoc& settings, const std::string& key);
