#pragma once

#include <QString>

// When and from which source revision this program was built; the build writes them.
namespace BuildInfo {

QString date();
QString revision();

} // namespace BuildInfo
