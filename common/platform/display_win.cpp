#include "platform/display.h"

#include <windows.h>

namespace Platform {

DisplayMeasurement measureStartupDisplay()
{
    DisplayMeasurement measurement;

    // A GUI program has no console window; the nearest-monitor rule then gives the primary one.
    const HMONITOR monitor = MonitorFromWindow(GetConsoleWindow(), MONITOR_DEFAULTTONEAREST);
    if (monitor == nullptr)
        return measurement;

    MONITORINFOEXW info;
    ZeroMemory(&info, sizeof(info));
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(monitor, reinterpret_cast<LPMONITORINFO>(&info)))
        return measurement;

    DEVMODEW mode;
    ZeroMemory(&mode, sizeof(mode));
    mode.dmSize = sizeof(mode);
    if (!EnumDisplaySettingsW(info.szDevice, ENUM_CURRENT_SETTINGS, &mode))
        return measurement;

    measurement.logicalWidth = info.rcMonitor.right - info.rcMonitor.left;
    measurement.logicalHeight = info.rcMonitor.bottom - info.rcMonitor.top;
    measurement.pixelWidth = static_cast<int>(mode.dmPelsWidth);
    measurement.pixelHeight = static_cast<int>(mode.dmPelsHeight);
    measurement.valid = measurement.logicalWidth > 0 && measurement.logicalHeight > 0 && measurement.pixelWidth > 0
        && measurement.pixelHeight > 0;
    return measurement;
}

} // namespace Platform
