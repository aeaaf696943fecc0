#include "utils.h"

#include "logger.h"

#include "platform/network.h"
#include "platform/paths.h"
#include "platform/processes.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHostAddress>
#include <QProcess>
#include <QRegularExpression>
#include <QUrl>

// Outside any namespace, as the resource registration functions are.
static void registerFlagResources()
{
    Q_INIT_RESOURCE(flags);
}

namespace Utils {

namespace {

const QString unknownFlag = QStringLiteral("qrc:/resources/icons/flags/unknown.png");

void logWarning(const QString &text)
{
    Log::warning(QStringLiteral("Utils"), text);
}

// Splits a command line at runs of white space outside double quotes. Empty parts are kept, so
// leading and trailing blanks show in the result as they would with a plain split.
QStringList splitCommandLine(const QString &commandLine)
{
    QStringList parts;
    QString current;
    bool inQuotes = false;
    for (int i = 0; i < commandLine.size();) {
        const QChar c = commandLine.at(i);
        if (c == QLatin1Char('"')) {
            inQuotes = !inQuotes;
        } else if (!inQuotes && c.isSpace()) {
            parts << current;
            current.clear();
            while (i < commandLine.size() && commandLine.at(i).isSpace())
                ++i;
            continue;
        }
        current += c;
        ++i;
    }
    parts << current;
    return parts;
}

} // namespace

QString boolText(bool value)
{
    return value ? QStringLiteral("true") : QStringLiteral("false");
}

QString zeroAddress()
{
    return QStringLiteral("0.0.0.0");
}

bool isZeroAddress(const QString &address)
{
    return address == zeroAddress();
}

bool isIpv4Address(const QString &text)
{
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv4Protocol;
}

bool isIpv6Address(const QString &text)
{
    QHostAddress address;
    return address.setAddress(text) && address.protocol() == QAbstractSocket::IPv6Protocol;
}

bool isServerAddress(const QString &text)
{
    if (text.isEmpty() || text.size() > 253)
        return false;
    const QStringList labels = text.split(QLatin1Char('.'));
    const auto isDecimal = [](const QString &label) {
        for (const QChar c : label) {
            if (c < QLatin1Char('0') || c > QLatin1Char('9'))
                return false;
        }
        return !label.isEmpty();
    };
    // Dotted decimal alone: "10.1" or "012.0.0.1" mean other hosts to other readers.
    if (isDecimal(labels.last())) {
        if (labels.size() != 4)
            return false;
        for (const QString &label : labels) {
            if (!isDecimal(label) || label.size() > 3 || label.toInt() > 255
                || (label.size() > 1 && label.startsWith(QLatin1Char('0'))))
                return false;
        }
        return true;
    }
    for (const QString &label : labels) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-'))
            || label.endsWith(QLatin1Char('-')))
            return false;
        for (const QChar c : label) {
            const bool letterOrDigit = (c >= QLatin1Char('a') && c <= QLatin1Char('z'))
                || (c >= QLatin1Char('A') && c <= QLatin1Char('Z')) || (c >= QLatin1Char('0') && c <= QLatin1Char('9'));
            if (!letterOrDigit && c != QLatin1Char('-'))
                return false;
        }
    }
    return true;
}

bool containsControlCharacter(const QString &text)
{
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            return true;
    }
    return false;
}

QString joinNonEmpty(const QStringList &entries, const QString &separator)
{
    QStringList kept;
    for (const QString &entry : entries) {
        if (!entry.simplified().isEmpty())
            kept << entry;
    }
    return kept.join(separator);
}

QString flagSource(const QString &countryCode)
{
    if (countryCode.isEmpty() || countryCode == QLatin1String("*1") || countryCode == QLatin1String("*2"))
        return unknownFlag;

    static const bool registered = (registerFlagResources(), true);
    Q_UNUSED(registered)

    const QString path = QStringLiteral(":/resources/icons/flags/%1.png").arg(countryCode.toLower());
    if (QFile::exists(path))
        return QStringLiteral("qrc") + path;
    logWarning(QStringLiteral("Resource for country '%1' does not exist").arg(countryCode));
    return unknownFlag;
}

QString dataDirectory()
{
    const QString path = Platform::clientDataDirectory();
    if (path.isEmpty())
        logWarning(QStringLiteral("Can't find '%1' path!").arg(QStringLiteral("ProgramData")));
    return path;
}

QString logDataDirectory()
{
    const QString path = Platform::programDataDirectory();
    if (path.isEmpty())
        logWarning(QStringLiteral("Can't find log data path!"));
    return path;
}

QString dnsDataFilePath()
{
    // Without a data folder the name alone would point at the root of the drive.
    const QString directory = logDataDirectory();
    if (directory.isEmpty())
        return QString();
    return QDir::toNativeSeparators(QStringLiteral("%1/dns.dat").arg(directory));
}

bool ensureDirectory(const QString &path)
{
    return !path.isEmpty() && QDir().mkpath(path);
}

QString applicationDirectory()
{
    const QString overridden = qEnvironmentVariable("VELMORIX_APP_DIR");
    if (!overridden.isEmpty() && QDir::isAbsolutePath(overridden))
        return QDir::cleanPath(overridden);
    return QCoreApplication::applicationDirPath();
}

QString executablePath(const QString &name, bool inProgramDirectory)
{
    QString path = name + Platform::executableSuffix();
    if (inProgramDirectory)
        path = applicationDirectory() + QLatin1Char('/') + path;
    return QDir::toNativeSeparators(path);
}

bool isProcessRunning(const QString &executablePath)
{
    // Both separators: a Windows path may reach this on any system.
    const QString fileName = executablePath.section(QRegularExpression(QStringLiteral("[/\\\\]")), -1);
    return Platform::isProcessRunning(fileName);
}

QString runShellCommand(const QString &command, bool simplify)
{
    return runShellCommand(command, simplify, Platform::toolTimeoutMs);
}

QString runShellCommand(const QString &command, bool simplify, int timeoutMs)
{
    const Platform::Command shell = Platform::shellCommand(command);
    QProcess process;
    process.start(shell.program, shell.arguments);
    if (!process.waitForFinished(timeoutMs)) {
        if (process.state() == QProcess::NotRunning) {
            logWarning(
                QStringLiteral("Cannot run command '%1': %2").arg(commandLineForLog(command), process.errorString()));
        } else {
            logWarning(QStringLiteral("Command '%1' did not finish within %2 ms")
                           .arg(commandLineForLog(command))
                           .arg(timeoutMs));
            process.kill();
            process.waitForFinished(1000);
        }
    }
    const QString output = QString::fromUtf8(process.readAllStandardOutput());
    return simplify ? output.simplified() : output;
}

QString quoted(const QString &text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

QString commandLineForLog(const QString &commandLine)
{
    static const QRegularExpression separators(QStringLiteral("[/\\\\]"));
    QStringList parts = splitCommandLine(commandLine);
    for (QString &part : parts)
        part = part.section(separators, -1).remove(QLatin1Char('"')).simplified();
    return parts.join(QLatin1Char(' '));
}

bool writeTextFile(const QString &path, const QString &text)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text))
        return false;
    const QByteArray data = text.toUtf8();
    const bool written = file.write(data) == data.size();
    file.close();
    // A full disk shows only when the buffered data reaches it.
    return written && file.error() == QFileDevice::NoError;
}

bool writePrivateFile(const QString &path, const QByteArray &data)
{
    return Platform::writeOwnerOnlyFile(path, data);
}

void createEmptyFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        logWarning(QStringLiteral("Cannot create empty file '%1'").arg(path));
}

void appendSeparatorLine(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        logWarning(QStringLiteral("Cannot open file '%1' in append mode").arg(path));
        return;
    }
    file.write(QByteArray(80, '=') + '\n');
}

std::unique_ptr<QTemporaryFile> nativeCopy(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qCritical().noquote() << QStringLiteral("Utils: Cannot read local temporary file for path '%1'").arg(path);
        return nullptr;
    }
    std::unique_ptr<QTemporaryFile> copy(QTemporaryFile::createNativeFile(file));
    if (!copy)
        qCritical().noquote() << QStringLiteral("Utils: Cannot create local temporary file for path '%1'").arg(path);
    return copy;
}

void setInterfaceMtu(int interfaceIndex, int mtu)
{
    const Platform::Command command = Platform::interfaceMtuCommand(interfaceIndex, mtu < 1 ? 1500 : mtu);
    if (command.isEmpty()) {
        logWarning(QStringLiteral("No network interface with index %1").arg(interfaceIndex));
        return;
    }
    QProcess process;
    process.start(command.program, command.arguments);
    if (!process.waitForFinished(Platform::toolTimeoutMs) || process.exitStatus() != QProcess::NormalExit) {
        // Its exit code would read 0 and pass for success.
        logWarning(QStringLiteral("'Set mtu size' command failed: %1").arg(process.errorString()));
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(1000);
        }
        return;
    }
    qInfo().noquote() << QStringLiteral("Utils: 'Set mtu size' command finished with code: %1").arg(process.exitCode());
}

QString localFileFromUrl(const QString &url)
{
    return QUrl(url).toLocalFile();
}

QString retranslateMarker()
{
    return QStringLiteral("retranslateUi");
}

} // namespace Utils
