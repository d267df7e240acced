#include "ui/formposition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include "env/windowplacement.h"

void RestoreFormPosition(QWidget& window, const TJsonDoc& settings, const std::string& key)
{
    const QRect frame = window.frameGeometry();
    TFormBounds bounds {window.x(), window.y(), frame.width(), frame.height()};
    JsonGetFormPos(settings, key, bounds);
    TWindowPlacement placement {bounds.Left, bounds.Top, bounds.Width, bounds.Height};
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen())
        ClampToScreen(placement, screen->virtualSize().width(), screen->virtualSize().height());
    // The stored corner is the frame's (StoreFormPosition), so it is given back as the
    // frame's. QWidget::move on a window that is already up places the inside area
    // there whenever the window manager has not told the frame's size yet, and every
    // restart would then lose the title bar's height.
    if (QWindow* handle = window.windowHandle())
        handle->setFramePosition(QPoint(placement.Left, placement.Top));
    else
        window.move(placement.Left, placement.Top); // not made yet: counts the frame too
}

void StoreFormPosition(const QWidget& window, TJsonDoc& settings, const std::string& key)
{
    const QRect frame = window.frameGeometry();
    JsonPutFormPos(settings, key, {frame.x(), frame.y(), frame.width(), frame.height()});
}
