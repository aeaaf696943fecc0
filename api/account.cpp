#include "account.h"

#include "buildconfig.h"

Account::Account(quint64 id,
                 const QString &username,
                 const QString &status,
                 const QString &updated,
                 const QString &created,
                 const QString &wgIp,
                 const QString &wgPrivateKey,
                 const QString &replyPublicKey)
    : id(id)
    , username(username)
    , status(status)
    , updated(updated)
    , created(created)
    , wgIp(wgIp)
    , wgPrivateKey(wgPrivateKey)
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
