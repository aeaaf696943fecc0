#pragma once

#include <QHash>
#include <QHostAddress>
#include <QSslCertificate>
#include <QSslKey>
#include <QTcpServer>

#include <optional>

class QTcpSocket;

// The provider's backend API over HTTP or HTTPS: the server catalogue, the caller's address as
// this server sees it with its country, and the accounts behind Basic credentials. One request
// per connection; every reply closes it.
class BackendServer : public QTcpServer
{
    Q_OBJECT

public:
    struct Request
    {
        QByteArray method;
        QByteArray target; // as sent, with the query
        QByteArray path; // without the query, still percent-encoded
        QHash<QByteArray, QByteArray> headers; // names in lower case
        QHostAddress peer;
    };

    struct AccountRecord
    {
        QString password;
        quint64 id = 0;
        QString status;
        QString created;
        QString updated;
        QString wgIp;
        QString wgPrivateKey;
        QString wgPublicKey; // the servers' key
    };

    // Larger request heads are refused: nothing the client sends comes near it.
    static constexpr int maxRequestHead = 16 * 1024;
    // Connections open at once; more are closed as they come, so that callers that never finish
    // cannot use up the process's descriptors.
    static constexpr int maxConnections = 256;
    int openConnections() const { return m_open; }

    explicit BackendServer(QObject *parent = nullptr);

    // Serve HTTPS with this certificate from now on; without it, plain HTTP.
    void setTls(const QSslCertificate &certificate, const QSslKey &key);
    bool isTls() const { return !m_certificate.isNull(); }
    // "http[s]://address:port" of the listening socket.
    QString base() const;

    void setCatalogue(const QByteArray &xml) { m_catalogue = xml; }
    // The country that the address reply gives a caller: the one of its address, else the
    // fallback.
    void setCountries(const QHash<QString, QString> &countryOfAddress, const QString &fallback);
    void addAccount(const QString &user, const AccountRecord &account) { m_accounts.insert(user, account); }
    // A connection that has not sent a whole request by then gets 408 and is closed.
    void setRequestTimeout(int milliseconds) { m_requestTimeoutMs = milliseconds; }

    // The parse of one request head (up to the empty line), or nothing when it is not HTTP.
    static std::optional<Request> parseHead(const QByteArray &head);
    // The user of a Basic credential when its password is the one given.
    static bool credentialMatches(const QByteArray &authorization, const QString &user, const QString &password);
    static void reply(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body);

signals:
    // Every answered request, for the provider's log.
    void served(const QString &peer, const QByteArray &method, const QByteArray &target, int status);

protected:
    void incomingConnection(qintptr descriptor) override;

    // Answers one request; a subclass may answer differently, later or not at all.
    virtual void serve(QTcpSocket *socket, const Request &request);

    virtual QByteArray catalogueBody() const { return m_catalogue; }
    virtual QByteArray addressBody(const Request &request) const;
    // The password of a user, or nothing for an unknown one.
    virtual std::optional<QString> passwordOf(const QString &user) const;
    virtual QByteArray accountJson(const QString &user) const;

    void answer(QTcpSocket *socket, int status, const QByteArray &type, const QByteArray &body, const Request &request);

private:
    void drop(QTcpSocket *socket);
    void read(QTcpSocket *socket);

    QSslCertificate m_certificate;
    QSslKey m_key;
    QByteArray m_catalogue = "<vorrinserverList></vorrinserverList>";
    QHash<QString, QString> m_countryOfAddress;
    QString m_fallbackCountry;
    QHash<QString, AccountRecord> m_accounts;
    QHash<QTcpSocket *, QByteArray> m_buffers;
    int m_requestTimeoutMs = 10000;
    int m_open = 0;
};
