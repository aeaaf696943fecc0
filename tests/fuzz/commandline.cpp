// Command lines and tool output are outside input for the log shortener and the process-list
// parser.
#include "platform/processes.h"
#include "utils.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray input(reinterpret_cast<const char *>(data), int(size));

    // Whatever the line, no directory and no quote reaches the log.
    const QString logged = Utils::commandLineForLog(QString::fromUtf8(input));
    if (logged.contains(QLatin1Char('/')) || logged.contains(QLatin1Char('\\')) || logged.contains(QLatin1Char('"')))
        std::abort();

    Platform::wmicCaptionsContain(input, QStringLiteral("openvpn.exe"));
    return 0;
}
