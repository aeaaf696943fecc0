#pragma once

#include "backendserver.h"
#include "testsupport.h"

#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QSet>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpSocket>
#include <QTimer>

// The demo provider's backend on a loopback port, plain HTTP or HTTPS with the demo PKI, with
// what a test sets in its fields: the catalogue, the address reply, the accounts, and replies
// that are held back, late or errors.
class TestBackend : public BackendServer
{
public:
    explicit TestBackend(bool tls = false)
    {
        if (tls)
            setTls(loadCertificate(), loadKey());
        setCountries({}, QStringLiteral("nl"));
        listen(QHostAddress::LocalHost, 0);
    }

    QByteArray catalogue = "<vorrinserverList></vorrinserverList>";
    QByteArray geoIp; // empty: the caller's address in the usual form
    QHash<QString, QString> passwords; // user name -> password
    QByteArray accountBody; // empty: an account of the user
    QSet<QByteArray> heldBack; // paths that get no reply
    QHash<QByteArray, int> delayOf; // paths answered this many milliseconds late
    QHash<QByteArray, int> statusOf; // paths answered with this status and an HTML page
    QList<Request> requests;

protected:
    void serve(QTcpSocket *socket, const Request &request) override
    {
        requests << request;
        if (heldBack.contains(request.path))
            return;
        if (delayOf.contains(request.path)) {
            const int delay = delayOf.take(request.path);
            QPointer<QTcpSocket> later(socket);
            QTimer::singleShot(delay, this, [this, later, request] {
                if (later) {
                    requests.removeLast();
                    serve(later, request);
                }
            });
            return;
        }
        if (statusOf.contains(request.path))
            return reply(socket, statusOf.value(request.path), "text/html", "<html><body>error</body></html>");
        BackendServer::serve(socket, request);
    }

    QByteArray catalogueBody() const override { return catalogue; }
    QByteArray addressBody(const Request &request) const override
    {
        return geoIp.isEmpty() ? BackendServer::addressBody(request) : geoIp;
    }
    std::optional<QString> passwordOf(const QString &user) const override
    {
        if (!passwords.contains(user))
            return std::nullopt;
        return passwords.value(user);
    }
    QByteArray accountJson(const QString &user) const override
    {
        if (!accountBody.isEmpty())
            return accountBody;
        // The server key that the backend sends is never the one the client uses.
        return "{\"data\":{\"id\":42,\"username\":\"" + user.toUtf8()
            + "\",\"status\":\"Active\",\"updated\":\"2026-12-01\",\"created\":\"2026-01-01\",\"wg_ip\":"
              "\"10.66.0.2\",\"wg_private_key\":\"Zqm7YSuneIw/lhG1JN6Jdf7D0m1rob9OCvW3sXa3CFs=\","
              "\"wg_public_key\":\"forged\"}}";
    }

private:
    static QSslCertificate loadCertificate()
    {
        QFile file(TestSupport::supportPath(QStringLiteral("pki/backend.crt")));
        file.open(QIODevice::ReadOnly);
        return QSslCertificate(&file);
    }
    static QSslKey loadKey()
    {
        QFile file(TestSupport::supportPath(QStringLiteral("pki/backend.key")));
        file.open(QIODevice::ReadOnly);
        return QSslKey(&file, QSsl::Ec);
    }
};
