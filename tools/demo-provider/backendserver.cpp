#include "backendserver.h"

#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QSslSocket>
#include <QTimer>

namespace {

const QByteArray accountsPrefix = "/v3_1/private/accounts/";

QString plainAddress(const QHostAddress &address)
{
    // A dual-stack socket shows IPv4 callers as ::ffff:a.b.c.d.
    bool isV4 = false;
    const quint32 v4 = address.toIPv4Address(&isV4);
    return isV4 ? QHostAddress(v4).toString() : address.toString();
}

bool isToken(const QByteArray &text)
{
    if (text.isEmpty())
        return false;
    for (char c : text) {
        if (c <= ' ' || c >= 127 || c == ':' || c == '(' || c == ')' || c == '"' || c == ',' || c == ';')
            return false;
    }
    return true;
}

QByteArray statusText(int status)
{
    switch (status) {
    case 200: return "OK";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 408: return "Request Timeout";
    case 431: return "Request Header Fields Too Large";
    default: return status >= 500 ? "Server Error" : "Error";
    }
}

} // namespace

BackendServer::BackendServer(QObject *parent)
    : QTcpServer(parent)
{
    setObjectName(QStringLiteral("BackendServer"));
}

void BackendServer::setTls(const QSslCertificate &certificate, const QSslKey &key)
{
    m_certificate = certificate;
    m_key = key;
}

QString BackendServer::base() const
{
    const QHostAddress address = serverAddress();
    const QString host = address.protocol() == QAbstractSocket::IPv6Protocol
        ? QStringLiteral("[%1]").arg(address.toString())
        : address.toString();
    return QStringLiteral("%1://%2:%3")
        .arg(isTls() ? QStringLiteral("https") : QStringLiteral("http"), host)
        .arg(serverPort());
}

void BackendServer::setCountries(const QHash<QString, QString> &countryOfAddress, const QString &fallback)
{
    m_countryOfAddress = countryOfAddress;
    m_fallbackCountry = fallback;
}

std::optional<BackendServer::Request> BackendServer::parseHead(const QByteArray &head)
{
    const QList<QByteArray> lines = head.split('\n');
    const QList<QByteArray> requestLine = lines.first().trimmed().split(' ');
    if (requestLine.size() != 3 || !isToken(requestLine.at(0)) || !requestLine.at(1).startsWith('/')
        || !requestLine.at(2).startsWith("HTTP/1."))
        return std::nullopt;
    Request request;
    request.method = requestLine.at(0);
    request.target = requestLine.at(1);
    for (char c : request.target) {
        if (c <= ' ' || c >= 127)
            return std::nullopt;
    }
    const int query = request.target.indexOf('?');
    request.path = query < 0 ? request.target : request.target.left(query);
    for (const QByteArray &raw : lines.mid(1)) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        if (line.isEmpty())
            continue;
        const int colon = line.indexOf(':');
        if (colon <= 0 || !isToken(line.left(colon)))
            return std::nullopt;
        request.headers.insert(line.left(colon).toLower(), line.mid(colon + 1).trimmed());
    }
    return request;
}

bool BackendServer::credentialMatches(const QByteArray &authorization, const QString &user, const QString &password)
{
    const QList<QByteArray> parts = authorization.trimmed().split(' ');
    if (parts.size() != 2 || parts.at(0).toLower() != "basic")
        return false;
    const auto decoded = QByteArray::fromBase64Encoding(parts.at(1), QByteArray::AbortOnBase64DecodingErrors);
    if (!decoded)
        return false;
    // The user name cannot hold a colon; the password may.
    const QByteArray expected = (user + QLatin1Char(':') + password).toUtf8();
    // Compared in full whatever the first difference, so that the time says nothing about it.
    if (decoded.decoded.size() != expected.size())
        return false;
    int difference = 0;
    for (int i = 0; i < expected.size(); ++i)
        difference |= decoded.decoded.at(i) ^ expected.at(i);
    return difference == 0;
}

void BackendServer::reply(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body)
{
    socket->write("HTTP/1.1 " + QByteArray::number(status) + ' ' + statusText(status) + "\r\nContent-Type: " + type
                  + "\r\nContent-Length: " + QByteArray::number(body.size()) + "\r\nConnection: close\r\n\r\n" + body);
    socket->disconnectFromHost();
}

void BackendServer::incomingConnection(qintptr descriptor)
{
    QTcpSocket *socket;
    if (m_open >= maxConnections) {
        QTcpSocket refused;
        if (refused.setSocketDescriptor(descriptor))
            refused.abort();
        return;
    }
    if (isTls()) {
        auto *ssl = new QSslSocket(this);
        if (!ssl->setSocketDescriptor(descriptor)) {
            delete ssl;
            return;
        }
        ssl->setLocalCertificate(m_certificate);
        ssl->setPrivateKey(m_key);
        // A handshake that fails ends the connection and nothing else.
        connect(ssl, qOverload<const QList<QSslError> &>(&QSslSocket::sslErrors), ssl, &QTcpSocket::abort);
        ssl->startServerEncryption();
        socket = ssl;
    } else {
        socket = new QTcpSocket(this);
        if (!socket->setSocketDescriptor(descriptor)) {
            delete socket;
            return;
        }
    }
    connect(socket, &QTcpSocket::readyRead, this, [this, socket] { read(socket); });
    connect(socket, &QTcpSocket::disconnected, this, [this, socket] {
        m_buffers.remove(socket);
        socket->deleteLater();
    });
    connect(socket, &QAbstractSocket::errorOccurred, socket, [socket](QAbstractSocket::SocketError error) {
        if (error != QAbstractSocket::RemoteHostClosedError)
            socket->abort();
    });
    ++m_open;
    connect(socket, &QObject::destroyed, this, [this] { --m_open; });
    // Slow or silent callers do not keep a connection for ever. A caller that never finished the
    // TLS handshake cannot read a 408 (and waiting for it to would keep it open): it is cut.
    QPointer<QTcpSocket> guarded(socket);
    QTimer::singleShot(m_requestTimeoutMs, this, [this, guarded] {
        if (!guarded || !m_buffers.remove(guarded))
            return;
        const auto *ssl = qobject_cast<QSslSocket *>(guarded.data());
        if (!ssl || ssl->isEncrypted())
            reply(guarded, 408, "text/plain", "request timeout");
        else
            drop(guarded);
    });
    // An answer the caller does not read in as long again is not waited for either.
    QTimer::singleShot(2 * m_requestTimeoutMs, this, [this, guarded] {
        if (guarded)
            drop(guarded);
    });
    m_buffers.insert(socket, QByteArray());
}

void BackendServer::drop(QTcpSocket *socket)
{
    m_buffers.remove(socket);
    socket->abort();
    socket->deleteLater();
}

void BackendServer::read(QTcpSocket *socket)
{
    auto buffer = m_buffers.find(socket);
    if (buffer == m_buffers.end()) {
        // Already answered: whatever follows is not read.
        socket->readAll();
        return;
    }
    buffer.value() += socket->readAll();
    const int end = buffer.value().indexOf("\r\n\r\n");
    if (end < 0) {
        if (buffer.value().size() > maxRequestHead) {
            m_buffers.erase(buffer);
            reply(socket, 431, "text/plain", "request head too large");
        }
        return;
    }
    const QByteArray head = buffer.value().left(end);
    m_buffers.erase(buffer);
    if (head.size() > maxRequestHead)
        return reply(socket, 431, "text/plain", "request head too large");
    std::optional<Request> request = parseHead(head);
    if (!request)
        return reply(socket, 400, "text/plain", "bad request");
    request->peer = socket->peerAddress();
    serve(socket, *request);
}

void BackendServer::answer(
    QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body, const Request &request)
{
    emit served(plainAddress(request.peer), request.method, request.target, status);
    reply(socket, status, type, body);
}

void BackendServer::serve(QTcpSocket *socket, const Request &request)
{
    if (request.method != "GET")
        return answer(socket, 405, "text/plain", "only GET", request);
    if (request.path == "/feeds/serverinfo.xml")
        return answer(socket, 200, "application/xml", catalogueBody(), request);
    if (request.path == "/v3/geoip")
        return answer(socket, 200, "application/json", addressBody(request), request);
    if (request.path.startsWith(accountsPrefix)) {
        const QByteArray encoded = request.path.mid(accountsPrefix.size());
        const QString user = QString::fromUtf8(QByteArray::fromPercentEncoding(encoded));
        const std::optional<QString> password = passwordOf(user);
        if (encoded.isEmpty() || user.contains(QLatin1Char('/')) || !password
            || !credentialMatches(request.headers.value("authorization"), user, *password))
            return answer(socket, 401, "application/json", "{\"error\":\"unauthorized\"}", request);
        return answer(socket, 200, "application/json", accountJson(user), request);
    }
    answer(socket, 404, "text/plain", "not found", request);
}

QByteArray BackendServer::addressBody(const Request &request) const
{
    const QString address = plainAddress(request.peer);
    const QJsonObject data{{QStringLiteral("ip"), address},
                           {QStringLiteral("iso_code"), m_countryOfAddress.value(address, m_fallbackCountry)}};
    return QJsonDocument(QJsonObject{{QStringLiteral("data"), data}}).toJson(QJsonDocument::Compact);
}

std::optional<QString> BackendServer::passwordOf(const QString &user) const
{
    const auto account = m_accounts.constFind(user);
    if (account == m_accounts.constEnd())
        return std::nullopt;
    return account->password;
}

QByteArray BackendServer::accountJson(const QString &user) const
{
    const AccountRecord account = m_accounts.value(user);
    const QJsonObject data{{QStringLiteral("id"), static_cast<double>(account.id)},
                           {QStringLiteral("username"), user},
                           {QStringLiteral("status"), account.status},
                           {QStringLiteral("created"), account.created},
                           {QStringLiteral("updated"), account.updated},
                           {QStringLiteral("wg_ip"), account.wgIp},
                           {QStringLiteral("wg_private_key"), account.wgPrivateKey},
                           {QStringLiteral("wg_public_key"), account.wgPublicKey}};
    return QJsonDocument(QJsonObject{{QStringLiteral("data"), data}}).toJson(QJsonDocument::Compact);
}
