#pragma once

#include <QByteArray>

// The display scale the program asks the toolkit for, chosen before the application object
// exists: the system's scale as far as the window still fits on the screen, rounded down.
namespace DisplayScale {

struct Choice
{
    QByteArray scaleFactor; // for QT_SCALE_FACTOR; empty: leave the variable as it is
    QByteArray roundingPolicy; // for QT_SCALE_FACTOR_ROUNDING_POLICY; empty: leave it
};

// The rule itself. `measuredPercent` is the system's scale in percent, `pixelHeight` the
// display mode's height, `windowHeight` the height the window needs at scale 1; the two
// texts are the variables as the environment holds them. Without a measurement that can be
// true (no height, no, a negative or an infinite scale) the choice leaves both as they are.
Choice choose(double measuredPercent,
              int pixelHeight,
              int windowHeight,
              const QByteArray &scaleFactorVariable,
              const QByteArray &roundingPolicyVariable);

// Measures the display the program starts on and sets the two variables.
void apply(int windowHeight);

} // namespace DisplayScale
