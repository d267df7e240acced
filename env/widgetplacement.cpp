#include "env/widgetplacement.h"

#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "env/platform.h"
#include "env/settingsstore.h"

namespace {

QSize ScreenExtent(const QWidget& window)
{
    const QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    return screen ? screen->virtualSize() : QSize(0, 0);
}

Qt::WindowStates StateOf(int winState)
{
    switch (winState) {
    case wsMinimized:
        return Qt::WindowMinimized;
    case wsMaximized:
        return Qt::WindowMaximized;
    default:
        return Qt::WindowNoState;
    }
}

} // namespace

TWindowPlacement CurrentPlacement(const QWidget& window)
{
    const Qt::WindowStates state = window.windowState();
    QRect g = window.geometry();
    if ((state & (Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen)) && window.normalGeometry().isValid())
        g = window.normalGeometry();
    TWindowPlacement p;
    p.Left = g.x();
    p.Top = g.y();
    p.Width = g.width();
    p.Height = g.height();
    p.Visible = window.isVisible();
    p.WinState = (state & Qt::WindowMinimized) ? wsMinimized : (state & Qt::WindowMaximized) ? wsMaximized
                                                                                             : wsNormal;
    return p;
}

void RestoreWindowPlacement(QWidget& window, const std::string& key, bool withVisibility, bool withSize)
{
    const QSize extent = ScreenExtent(window);
    const TWindowPlacement p = RestoreWindowPlacement(key, window.objectName().toStdString(), CurrentPlacement(window),
                                                      extent.width(), extent.height(), withVisibility, withSize);
    window.setGeometry(p.Left, p.Top, withSize ? p.Width : window.width(), withSize ? p.Height : window.height());
    if (withVisibility)
        window.setVisible(p.Visible);
    window.setWindowState(StateOf(p.WinState));
}

void RestoreKeptPlacement(QWidget& window)
{
    if (TSettingsStore(ProgramRegistryKey()).ValueExists(window.objectName().toStdString(), "Left"))
        RestoreWindowPlacement(window, false, true);
}

void RestoreWindowPlacement(QWidget& window, bool withVisibility, bool withSize)
{
    RestoreWindowPlacement(window, ProgramRegistryKey(), withVisibility, withSize);
}

void SaveWindowPlacement(const QWidget& window, const std::string& key)
{
    SaveWindowPlacement(key, window.objectName().toStdString(), CurrentPlacement(window));
}

void SaveWindowPlacement(const QWidget& window)
{
    SaveWindowPlacement(window, ProgramRegistryKey());
}
