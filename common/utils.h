#pragma once

#include <QString>
#include <QStringList>
#include <QTemporaryFile>

#include <memory>

// Small, stateless helpers for paths, files, addresses and the system's command-line tools.
// Their log lines carry the name "Utils".
namespace Utils {

QString boolText(bool value);

// The address reported when the current public address could not be fetched.
QString zeroAddress();
bool isZeroAddress(const QString &address);
bool isIpv4Address(const QString &text);
bool isIpv6Address(const QString &text);

// An address that may stand for a VPN server in a file or command line that a root process
// reads: four decimal octets (no short or octal forms) or a host name of letters, digits and
// hyphens. Nothing else, so neither blanks, line breaks nor scope ids.
bool isServerAddress(const QString &text);
// Whether a text holds a control character (C0, DEL or C1): a line break in a credential or an
// address would start a new command or directive wherever it is written.
bool containsControlCharacter(const QString &text);

// The entries that are not blank, unchanged, joined by the separator.
QString joinNonEmpty(const QStringList &entries, const QString &separator);

// "qrc:" URL of a country's flag; the unknown flag for no country, the list header markers and
// countries without a flag.
QString flagSource(const QString &countryCode);

// The folder of the client's engine files (the data folder, or on Linux a folder of the user's
// own for any user but root: Platform::clientDataDirectory), and the machine-wide data folder
// of the programs (dns.dat, the dns program's log); empty when the system has none.
QString dataDirectory();
QString logDataDirectory();
// "dns.dat" in that folder, in native separators; empty when the folder is unknown.
QString dnsDataFilePath();

bool ensureDirectory(const QString &path);

// The folder of this program and the engines beside it; VELMORIX_APP_DIR overrides it for tests
// and development, whose programs are built elsewhere.
QString applicationDirectory();

// The executable file name of a program ("openvpn" becomes "openvpn.exe" on Windows),
// optionally as a full native path in this program's own directory.
QString executablePath(const QString &name, bool inProgramDirectory);

// Whether a process runs whose executable has the file name of `executablePath`.
bool isProcessRunning(const QString &executablePath);

// Runs one line through the system's command interpreter, waits up to 30 s and returns what it
// printed (UTF-8), white space folded when asked. Output produced before a time-out is kept.
QString runShellCommand(const QString &command, bool simplify);
QString runShellCommand(const QString &command, bool simplify, int timeoutMs);

QString quoted(const QString &text);

// A command line with every directory removed, for log lines: each argument is cut to its file
// name, quotes dropped. A quoted argument counts as one, blanks and all.
QString commandLineForLog(const QString &commandLine);

bool writeTextFile(const QString &path, const QString &text);
// Writes a file for its owner alone from the first byte on (a file holding a secret must never
// be readable by others, not even until its permissions are set). A failed write leaves no file.
bool writePrivateFile(const QString &path, const QByteArray &data);
void createEmptyFile(const QString &path);
void appendSeparatorLine(const QString &path);

// A copy of the file (typically one held in the resources) on the real file system, for
// programs outside the process; removed when the returned object is destroyed. Null on failure,
// also for a file that is already on disk.
std::unique_ptr<QTemporaryFile> nativeCopy(const QString &path);

// Sets the MTU of the interface with the given system index; an MTU below 1 means 1500.
void setInterfaceMtu(int interfaceIndex, int mtu);

QString localFileFromUrl(const QString &url);

// Passed in place of an address to rebuild the translated address texts after a language change.
QString retranslateMarker();

} // namespace Utils
