#pragma once

#include <QString>

// English country names by lower-case ISO 3166 code, from the toolkit's locale data. Built on
// first use, read-only afterwards.
namespace CountryNames {

QString nameForCode(const QString &code);
// The smallest code whose name is exactly `name`, or empty.
QString codeForName(const QString &name);
bool isKnownCode(const QString &code);

} // namespace CountryNames
