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

// The folder of the client's own files that the privileged programs read and write beside them
// (the stunnel and WireGuard configurations, the WireGuard log), with forward slashes, or an
// empty text. Windows: the data folder. Linux: the data folder for root and wherever
// VELMORIX_DATA_DIR names one; for any other user "<runtime folder>/<brand>", a folder of the
// user's alone, made when missing: the machine-wide folder is root's, since root's programs
// write there, and root must not write where every user may.
QString clientDataDirectory();

// Windows form of the choice above: the first location that contains "ProgramData"
// (case-sensitive), followed by "/" and the product name; empty when none does.
QString programDataFromLocations(const QStringList &locations, const QString &productName);

// Creates the file anew (a link or file of that name goes first) for its owner alone and writes
// the data. Linux: mode 0600 from its creation, never following a link. Windows: the file
// inherits the folder's access list, which keeps other users out of the data folder.
bool writeOwnerOnlyFile(const QString &path, const QByteArray &data);

} // namespace Platform
