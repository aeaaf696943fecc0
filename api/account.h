#pragma once

#include <QMetaType>
#include <QString>

// The signed-in user's account as the backend reports it, with the WireGuard data. The servers'
// WireGuard public key is the provider's, fixed in the build, whatever the reply says.
class Account
{
public:
    Account() = default;
    Account(quint64 id,
            const QString &username,
            const QString &status,
            const QString &updated,
            const QString &created,
            const QString &wgIp,
            const QString &wgPrivateKey,
            const QString &replyPublicKey = QString());

    static QString serverPublicKey();

    // An account that may connect: known to the backend and not disabled.
    bool isActive() const;

    quint64 id = 0;
    QString username;
    QString status;
    QString updated;
    QString created;
    QString wgIp;
    QString wgPrivateKey;
    QString wgPublicKey;
};

Q_DECLARE_METATYPE(Account)
