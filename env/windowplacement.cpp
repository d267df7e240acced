#include "env/windowplacement.h"

#include "env/settingsstore.h"

namespace {

int ClampEdge(int edge, int extent)
{
    if (edge < 0)
        return 0;
    if (edge > extent - 100)
        return extent - 200;
    return edge;
}

} // namespace

void ClampToScreen(TWindowPlacement& placement, int screenWidth, int screenHeight)
{
    placement.Left = ClampEdge(placement.Left, screenWidth);
    placement.Top = ClampEdge(placement.Top, screenHeight);
}

TWindowPlacement RestoreWindowPlacement(const std::string& key, const std::string& section,
                                        const TWindowPlacement& current, int screenWidth, int screenHeight,
                                        bool withVisibility, bool withSize)
{
    const TSettingsStore store(key);
    TWindowPlacement p = current;
    p.Left = store.ReadInteger(section, "Left", current.Left);
    p.Top = store.ReadInteger(section, "Top", current.Top);
    if (withSize) {
        p.Width = store.ReadInteger(section, "Width", current.Width);
        p.Height = store.ReadInteger(section, "Height", current.Height);
    }
    if (withVisibility)
        p.Visible = store.ReadBool(section, "Visible", false);
    ClampToScreen(p, screenWidth, screenHeight);
    p.WinState = store.ReadInteger(section, "WinState", current.WinState);
    return p;
}

void SaveWindowPlacement(const std::string& key, const std::string& section, const TWindowPlacement& placement)
{
    const TSettingsStore store(key);
    store.WriteInteger(section, "Left", placement.Left);
    store.WriteInteger(section, "Top", placement.Top);
    store.WriteInteger(section, "Width", placement.Width);
    store.WriteInteger(section, "Height", placement.Height);
    store.WriteBool(section, "Visible", placement.Visible);
    store.WriteInteger(section, "WinState", placement.WinState);
}
