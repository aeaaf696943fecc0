#include "account.h"

#include "buildconfig.h"

Account::Account(quint64 accountId,
                 const QString &accountUsername,
                 const QString &accountStatus,
                 const QString &updatedAt,
                 const QString &createdAt,
                 const QString &tunnelIp,
                 const QString &tunnelPrivateKey,
                 const QString &replyPublicKey)
    : id(accountId)
    , username(accountUsername)
    , status(accountStatus)
    , updated(updatedAt)
    , created(createdAt)
    , wgIp(tunnelIp)
    , wgPrivateKey(tunnelPrivateKey)
    // The reply's key is never trusted: a tampered reply must not redirect the tunnel.
    , wgPublicKey(serverPublicKey())
{
    Q_UNUSED(replyPublicKey)
}

QString Account::serverPublicKey()
{
    return QLatin1String(BuildConfig::wireGuardServerPublicKey);
}

bool Account::isActive() const
{
    return id != 0 && status != QLatin1String("Disabled");
}
