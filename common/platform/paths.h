#pragma once

#include <QString>
#include <QStringList>

namespace Platform {

// ".exe" on Windows, nothing elsewhere.
QString executableSuffix();

// The machine-wide folder in which the programs keep their data, with forward slashes, or an
// empty text when the system offers none. Windows: "<ProgramData>/<product>". Linux:
// "/var/lib/<brand>", or the folder named by VELMORIX_DATA_DIR (tests and development).
QString programDataDirectory();

// Windows form of the choice above: the first location that contains "ProgramData"
// (case-sensitive), followed by "/" and the product name; empty when none does.
QString programDataFromLocations(const QStringList &locations, const QString &productName);

} // namespace Platform
