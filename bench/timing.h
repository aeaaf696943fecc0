#pragma once

#include <QElapsedTimer>

#include <algorithm>
#include <vector>

// The median of `rounds` runs of `work`, in milliseconds: steadier than the mean when the
// machine does something else for a moment.
template<typename Work> double medianMilliseconds(int rounds, Work work)
{
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        QElapsedTimer timer;
        timer.start();
        work();
        times.push_back(timer.nsecsElapsed() / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}
