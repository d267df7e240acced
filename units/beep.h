#pragma once

#include <functional>

// The platform's default beep, sounded for a rejected key or a clamped entry.
// Tests replace it with a hook that counts.
using TBeepHook = std::function<void()>;

void SoundBeep();

// Installs a hook in place of the platform beep (an empty hook restores it) and
// returns the hook that was in place.
TBeepHook SetBeepHook(TBeepHook hook);
