// The catalogue comes from the network: any bytes may reach its parse.
#include "serverlistparser.h"

#include <QtGlobal>

#include <cstdlib>

namespace {

void dropMessages(QtMsgType, const QMessageLogContext &, const QString &)
{
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    static const bool quiet = (qInstallMessageHandler(dropMessages), true);
    Q_UNUSED(quiet)

    const QByteArray document(reinterpret_cast<const char *>(data), int(size));
    const Servers servers = parseServerList(decodeServerListBody(document));
    // Whatever came in, every row is a catalogue server: no flags, its address as its identity.
    for (const Server &server : servers) {
        if (server.countryServer || server.favorite || server.serviceHeader || server.id != server.ip)
            std::abort();
    }
    return 0;
}
