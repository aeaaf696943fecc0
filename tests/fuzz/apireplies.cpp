// The backend's replies are outside input: any bytes may reach the two JSON parses.
#include "networkapi.h"

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
    const QByteArray body(reinterpret_cast<const char *>(data), int(size));
    NetworkApi::parseGeoIpReply(body, QStringLiteral("NetworkApi"));
    const Account account = NetworkApi::parseAccountReply(body, QStringLiteral("NetworkApi"));
    // Whatever the reply says, the peer key is the provider's own.
    if (account.id != 0 && account.wgPublicKey != Account::serverPublicKey())
        std::abort();
    return 0;
}
