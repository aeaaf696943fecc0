#include "displayscale.h"

#include "platform/display.h"

#include <QString>

#include <algorithm>
#include <cmath>

namespace DisplayScale {

namespace {

constexpr int percentages[] = {100, 120, 125, 140, 150, 160, 175, 180, 200, 225, 250, 300, 350, 400, 450, 500};
constexpr int percentageCount = int(sizeof(percentages) / sizeof(percentages[0]));
constexpr int maxSteps = 5;

// The first entry whose value plus half the way to the next one exceeds the measurement; the
// last entry's "next" is half of it, as the table was tuned with.
int startIndex(double measuredPercent)
{
    for (int i = 0; i < percentageCount; ++i) {
        const int next = i + 1 < percentageCount ? percentages[i + 1] : percentages[i] / 2;
        if (percentages[i] + (next - percentages[i]) / 2 > measuredPercent)
            return i;
    }
    return 0;
}

} // namespace

Choice choose(double measuredPercent,
              int pixelHeight,
              int windowHeight,
              const QByteArray &scaleFactorVariable,
              const QByteArray &roundingPolicyVariable)
{
    Choice choice;
    bool passThrough = false;

    // Without a true measurement the toolkit's own scale (from the screen's DPI or the
    // session's variables) is the best there is: leave everything as it is.
    if (!std::isfinite(measuredPercent) || measuredPercent <= 0 || pixelHeight <= 0)
        return choice;

    // A factor the user or the session set already wins; only the rounding is ours then.
    if (scaleFactorVariable.isEmpty()) {
        int i = startIndex(measuredPercent);
        double factor = 1.0;
        for (int step = 0; step < maxSteps; ++step) {
            const int value = percentages[i];
            if (value < 200)
                factor = value / 100.0;
            // From 200 % on the toolkit's own integer scaling does the work.
            passThrough = value >= 200;
            if (value <= 100 || windowHeight * factor <= 0.8 * pixelHeight || i == 0)
                break;
            --i;
        }
        choice.scaleFactor = QByteArray::number(factor, 'g', 6);
    }

    if (roundingPolicyVariable.isEmpty())
        choice.roundingPolicy = passThrough ? QByteArrayLiteral("PassThrough") : QByteArrayLiteral("Floor");
    return choice;
}

void apply(int windowHeight)
{
    const Platform::DisplayMeasurement display = Platform::measureStartupDisplay();
    double percent = 0;
    if (display.valid) {
        percent = std::max(double(display.pixelWidth) / display.logicalWidth,
                           double(display.pixelHeight) / display.logicalHeight)
            * 100;
    }
    const Choice choice = choose(percent,
                                 display.valid ? display.pixelHeight : 0,
                                 windowHeight,
                                 qgetenv("QT_SCALE_FACTOR"),
                                 qgetenv("QT_SCALE_FACTOR_ROUNDING_POLICY"));
    if (!choice.scaleFactor.isEmpty())
        qputenv("QT_SCALE_FACTOR", choice.scaleFactor);
    if (!choice.roundingPolicy.isEmpty())
        qputenv("QT_SCALE_FACTOR_ROUNDING_POLICY", choice.roundingPolicy);
}

} // namespace DisplayScale
