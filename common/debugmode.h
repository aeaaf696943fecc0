#pragma once

// The "debug" switch of the command line: a few components log more detail when it is on.
namespace DebugMode {

bool isEnabled();
void setEnabled(bool enabled);

} // namespace DebugMode
