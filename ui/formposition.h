#pragma once

#include <string>

#include "core/jsondoc.h"

class QWidget;

// A window's position in the settings document under `key`, as JsonPutFormPos and
// JsonGetFormPos keep it. Restoring moves the window to the stored Left and Top,
// kept on the screen so that a position from another screen cannot lose it.
void RestoreFormPosition(QWidget& window, const TJsonDoc& settings, const std::string& key);
void StoreFormPosition(const QWidget& window, TJsonDoc& settings, const std::string& key);
