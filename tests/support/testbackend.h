#pragma once

#include "testsupport.h"

#include <QFile>
#include <QHash>
#include <QHostAddress>
#include <QPointer>
#include <QSslCertificate>
#include <QSslKey>
#include <QSslSocket>
#include <QTcpServer>
#include <QTimer>

// The provider's backend on a loopback port, plain HTTP or HTTPS with the demo PKI: the
// catalogue, the current address and the accounts, with replies that can be held back.
class TestBackend : public QTcpServer
{
public:
    struct Request
    {
        QByteArray path;
        QHash<QByteArray, QByteArray> headers;
    };

    explicit TestBackend(bool tls = false)
        : m_tls(tls)
    {
        listen(QHostAddress::LocalHost, 0);
    }

    QString base() const
    {
        return QStringLiteral("%1://127.0.0.1:%2")
            .arg(m_tls ? QStringLiteral("https") : QStringLiteral("http"))
            .arg(serverPort());
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
    void incomingConnection(qintptr descriptor) override
    {
        QTcpSocket *socket;
        if (m_tls) {
            auto *ssl = new QSslSocket(this);
            ssl->setSocketDescriptor(descriptor);
            ssl->setLocalCertificate(loadCertificate());
            ssl->setPrivateKey(loadKey());
            ssl->startServerEncryption();
            socket = ssl;
        } else {
            socket = new QTcpSocket(this);
            socket->setSocketDescriptor(descriptor);
        }
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { serve(socket); });
        connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
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

    void serve(QTcpSocket *socket)
    {
        QByteArray &buffer = m_buffers[socket];
        buffer += socket->readAll();
        const int end = buffer.indexOf("\r\n\r\n");
        if (end < 0)
            return;
        const QList<QByteArray> lines = buffer.left(end).split('\n');
        buffer.clear();
        Request request;
        request.path = lines.first().split(' ').value(1);
        for (const QByteArray &line : lines.mid(1)) {
            const int colon = line.indexOf(':');
            if (colon > 0)
                request.headers.insert(line.left(colon).trimmed().toLower(), line.mid(colon + 1).trimmed());
        }
        requests << request;
        const QByteArray path = request.path.split('?').first();
        if (heldBack.contains(path))
            return;
        if (delayOf.contains(path)) {
            const int delay = delayOf.take(path);
            QPointer<QTcpSocket> later(socket);
            QTimer::singleShot(delay, this, [this, later, request] {
                if (later) {
                    m_buffers[later] = "GET " + request.path + " HTTP/1.1\r\n\r\n";
                    requests.removeLast();
                    serve(later);
                }
            });
            return;
        }
        if (statusOf.contains(path))
            return reply(socket, statusOf.value(path), "text/html", "<html><body>error</body></html>");
        if (path == "/feeds/serverinfo.xml")
            return reply(socket, 200, "application/xml", catalogue);
        if (path == "/v3/geoip") {
            const QByteArray body = !geoIp.isEmpty()
                ? geoIp
                : "{\"data\":{\"ip\":\"" + socket->peerAddress().toString().toUtf8() + "\",\"iso_code\":\"nl\"}}";
            return reply(socket, 200, "application/json", body);
        }
        const QByteArray accounts = "/v3_1/private/accounts/";
        if (path.startsWith(accounts)) {
            const QString user = QString::fromUtf8(QByteArray::fromPercentEncoding(path.mid(accounts.size())));
            const QByteArray expected =
                "Basic " + QStringLiteral("%1:%2").arg(user, passwords.value(user)).toUtf8().toBase64();
            if (!passwords.contains(user) || request.headers.value("authorization") != expected)
                return reply(socket, 401, "application/json", "{\"error\":\"unauthorized\"}");
            const QByteArray body = !accountBody.isEmpty() ? accountBody
                                                           : "{\"data\":{\"id\":42,\"username\":\"" + user.toUtf8()
                    + "\",\"status\":\"Active\",\"updated\":\"2026-12-01\",\"created\":\"2026-01-01\",\"wg_ip\":"
                      "\"10.66.0.2\",\"wg_private_key\":\"Zqm7YSuneIw/lhG1JN6Jdf7D0m1rob9OCvW3sXa3CFs=\","
                      "\"wg_public_key\":\"forged\"}}";
            return reply(socket, 200, "application/json", body);
        }
        reply(socket, 404, "text/plain", "not found");
    }

    static void reply(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body)
    {
        socket->write("HTTP/1.1 " + QByteArray::number(status) + " X\r\nContent-Type: " + type + "\r\nContent-Length: "
                      + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
        socket->disconnectFromHost();
    }

    bool m_tls;
    QHash<QTcpSocket *, QByteArray> m_buffers;
};
