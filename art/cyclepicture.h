#pragma once

// The main window's cycle picture, drawn around the window's fields.

#include "art/layout.h"

#include <QImage>
#include <vector>

namespace art {

QImage MainCyclePicture();

// Everything drawn that a control must leave visible: components, pipes, labels.
std::vector<TComponentRect> MainCycleComponents();

// Check image: the picture on the window colour with every control rectangle and
// every component rectangle outlined.
QImage MainCycleOverlay();

} // namespace art
