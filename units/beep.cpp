#include "units/beep.h"

#include <utility>

#include <QApplication>

namespace {

TBeepHook& Hook()
{
    static TBeepHook hook;
    return hook;
}

} // namespace

void SoundBeep()
{
    if (Hook())
        Hook()();
    else
        QApplication::beep();
}

TBeepHook SetBeepHook(TBeepHook hook)
{
    return std::exchange(Hook(), std::move(hook));
}
