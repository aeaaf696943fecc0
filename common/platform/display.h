#pragma once

namespace Platform {

// The monitor the program starts on, measured before the toolkit exists: its size in logical
// pixels (as the system reports it to a program that is not aware of scaling) and its display
// mode in real pixels. Their ratio is the system's scale.
struct DisplayMeasurement
{
    bool valid = false;
    int logicalWidth = 0;
    int logicalHeight = 0;
    int pixelWidth = 0;
    int pixelHeight = 0;
};

// Windows: the monitor nearest to the process's console window. Linux: no measurement (the
// toolkit's own scaling settings apply there).
DisplayMeasurement measureStartupDisplay();

} // namespace Platform
