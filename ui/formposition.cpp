#include "ui/formposition.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "env/windowplacement.h"

void RestoreFormPosition(QWidget& window, const TJsonDoc& settings, const std::string& key)
{
    const QRect frame = window.frameGeometry();
    TFormBounds bounds {window.x(), window.y(), frame.width(), frame.height()};
    JsonGetFormPos(settings, key, bounds);
    TWindowPlacement placement {bounds.Left, bounds.Top, bounds.Width, bounds.Height};
    if (const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen())
        ClampToScreen(placement, screen->virtualSize().width(), screen->virtualSize().height());
    window.move(placement.Left, placement.Top);
}

void StoreFormPosition(const QWidget& window, TJsonDoc& settings, const std::string& key)
{
    const QRect frame = window.frameGeometry();
    JsonPutFormPos(settings, key, {frame.x(), frame.y(), frame.width(), frame.height()});
}
