#pragma once

#include <QString>
#include <QStringList>

// The nftables rules of the kill switch, as plain text for "nft -f".
namespace KillSwitchRules {

struct Request
{
    bool enable = false;
    QString server;
    bool allowLocal = false;
    QString error; // empty when the command line was understood
};

Request parse(const QStringList &arguments);
QString script(const Request &request);

} // namespace KillSwitchRules
