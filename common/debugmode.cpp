#include "debugmode.h"

#include <atomic>

namespace DebugMode {

namespace {

std::atomic<bool> enabled{false};

} // namespace

bool isEnabled()
{
    return enabled;
}

void setEnabled(bool on)
{
    enabled = on;
}

} // namespace DebugMode
