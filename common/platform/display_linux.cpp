#include "platform/display.h"

namespace Platform {

DisplayMeasurement measureStartupDisplay()
{
    // X11 and Wayland sessions state their scale through the toolkit's environment
    // (QT_SCALE_FACTOR, QT_SCREEN_SCALE_FACTORS) or the screen's DPI, not through a mode
    // that differs from the desktop's size.
    return {};
}

} // namespace Platform
