#pragma once

#include "account.h"
#include "server.h"

#include <QObject>

class QNetworkReply;

// The program's one HTTP client: the server catalogue, the current public address and the
// account with its WireGuard data, each a GET whose result arrives as a signal.
class NetworkApi final : public QObject
{
    Q_OBJECT

public:
    static constexpr int replyTimeout = 20000;

    explicit NetworkApi(QObject *parent = nullptr);

    // "https://" and the brand's API host; VELMORIX_API_BASE replaces both (tests, the demo).
    static QString apiBase(const QString &brand);
    static QString geoIpUrl(const QString &brand = QString());
    static QString accountsUrl(const QString &userName = QString(), const QString &brand = QString());
    static QString catalogueUrl(const QString &brand = QString());
    static QString urlLabel(const QString &url);

    static QPair<QString, QString> parseGeoIpReply(const QByteArray &body, const QString &logName);
    static Account parseAccountReply(const QByteArray &body, const QString &logName);

    void requestAccount(const QString &userName, const QString &password);
    void stop() { m_stopped = true; }

    QString currentIp() const { return m_currentIp; }
    QString currentCountryCode() const { return m_currentCountryCode; }
    Servers servers() const { return m_servers; }

    // For tests only: the product keeps replyTimeout.
    void setReplyTimeoutForTesting(int milliseconds) { m_timeout = milliseconds; }

signals:
    void apiRequestAccountFinished(const Account &account);
    void requestCurrentIpAddressFinished(const QString &ip, const QString &countryCode);
    void requestServerListFinished(const Servers &servers);

public slots:
    void doRequests();
    void requestCurrentIpAddress();
    void requestServerList();
    void onFinished(QNetworkReply *reply);

private:
    void sendRequest(const QString &url, const QList<QPair<QByteArray, QByteArray>> &headers, const QString &logLine);

    QString m_currentCountryCode;
    QString m_currentIp;
    Servers m_servers;
    bool m_stopped = false;
    bool m_caFileIgnored = false;
    int m_timeout = replyTimeout;
};
