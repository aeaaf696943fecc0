#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

// The nftables rules of the kill switch, as plain text for "nft -f".
namespace KillSwitchRules {

// A tunnel interface that the rules let through, by its kernel index: an interface created
// later under the same name is not let through.
struct Tunnel
{
    int index = 0;
    QString name;
};

struct Request
{
    bool enable = false;
    QString server;
    bool allowLocal = false;
    QVector<Tunnel> tunnels;
    QString error; // empty when the command line was understood
};

Request parse(const QStringList &arguments);
QString script(const Request &request);

} // namespace KillSwitchRules
