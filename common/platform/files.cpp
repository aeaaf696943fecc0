#include "platform/files.h"

namespace Platform {

bool hasUncForm(const QString &path)
{
    const auto separator = [](QChar c) { return c == QLatin1Char('/') || c == QLatin1Char('\\'); };
    return path.size() >= 2 && separator(path.at(0)) && separator(path.at(1));
}

} // namespace Platform
