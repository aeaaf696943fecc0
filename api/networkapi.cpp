#include "networkapi.h"

#include "logger.h"

#include "buildconfig.h"
#include "debugmode.h"
#include "networkreplytimeout.h"
#include "serverlistparser.h"
#include "utils.h"

#include <QDebug>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QNetworkRequest>
#include <QSslConfiguration>

namespace {

QString brandOrDefault(const QString &brand)
{
    return brand.isEmpty() ? QLatin1String(BuildConfig::brandId) : brand;
}

QJsonObject dataObject(const QByteArray &body, const QString &logName, bool *ok)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(body, &error);
    *ok = error.error == QJsonParseError::NoError;
    if (!*ok) {
        qCritical().noquote() << logName
                + QStringLiteral(": Cannot parse JSON document. Error: '%1'").arg(error.errorString());
        return {};
    }
    return document.object().value(QLatin1String("data")).toObject();
}

// A member as text: numbers and texts alike, nothing for anything else.
QString text(const QJsonObject &object, const char *key)
{
    const QJsonValue value = object.value(QLatin1String(key));
    if (value.isString())
        return value.toString();
    if (value.isDouble())
        return QString::number(value.toDouble(), 'g', 17);
    return QString();
}

} // namespace

NetworkApi::NetworkApi(QObject *parent)
    : QObject(parent)
{
    setObjectName(QStringLiteral("NetworkApi"));
}

QString NetworkApi::apiBase(const QString &brand)
{
    const QString overridden = qEnvironmentVariable("VELMORIX_API_BASE");
    if (!overridden.isEmpty())
        return overridden.endsWith(QLatin1Char('/')) ? overridden.chopped(1) : overridden;
    const QString host = brandOrDefault(brand) == QLatin1String("pawex") ? QLatin1String(BuildConfig::pawexApiHost)
                                                                         : QLatin1String(BuildConfig::apiHost);
    return QStringLiteral("https://") + host;
}

QString NetworkApi::geoIpUrl(const QString &brand)
{
    return QStringLiteral("%1%2").arg(apiBase(brand), QStringLiteral("/v3/geoip"));
}

QString NetworkApi::accountsUrl(const QString &userName, const QString &brand)
{
    const QString base = QStringLiteral("%1%2").arg(apiBase(brand), QStringLiteral("/v3_1/private/accounts"));
    return userName.isEmpty() ? base : QStringLiteral("%1/%2").arg(base, userName);
}

QString NetworkApi::catalogueUrl(const QString &brand)
{
    const QString name = brandOrDefault(brand);
    if (name == QLatin1String("darvelo"))
        return QLatin1String(BuildConfig::darveloCatalogueUrl);
    if (name == QLatin1String("siltrum"))
        return QLatin1String(BuildConfig::siltrumCatalogueUrl);
    return QStringLiteral("%1%2").arg(apiBase(brand), QStringLiteral("/feeds/serverinfo.xml"));
}

QString NetworkApi::urlLabel(const QString &url)
{
    static const struct
    {
        const char *path;
        const char *label;
    } labels[] = {{"/v3/geoip", "API GEO IP URL"},
                  {"/feeds/serverinfo.xml", "API Serverlist URL"},
                  {"/v3_1/accounts", "API Account URL"},
                  {"/v3_1/private/accounts", "API Accounts URL"}};
    for (const auto &entry : labels) {
        if (url.contains(QLatin1String(entry.path)))
            return QLatin1String(entry.label);
    }
    return QStringLiteral("API *** URL");
}

QPair<QString, QString> NetworkApi::parseGeoIpReply(const QByteArray &body, const QString &logName)
{
    if (DebugMode::isEnabled())
        qInfo().noquote() << logName + QStringLiteral(": Parse geo reply: ") + QString::fromUtf8(body);
    bool ok = false;
    const QJsonObject data = dataObject(body, logName, &ok);
    return {text(data, "ip"), text(data, "iso_code")};
}

Account NetworkApi::parseAccountReply(const QByteArray &body, const QString &logName)
{
    bool ok = false;
    const QJsonObject data = dataObject(body, logName, &ok);
    if (!ok)
        return Account();
    const QJsonValue id = data.value(QLatin1String("id"));
    quint64 number = 0;
    // JSON numbers are doubles: one beyond the 64-bit range is no id (and converting it would
    // be undefined).
    if (id.isDouble() && id.toDouble() >= 0 && id.toDouble() < 18446744073709551615.0)
        number = quint64(id.toDouble());
    else if (id.isString())
        number = id.toString().toULongLong();
    return Account(number,
                   text(data, "username"),
                   text(data, "status"),
                   text(data, "updated"),
                   text(data, "created"),
                   text(data, "wg_ip"),
                   text(data, "wg_private_key"),
                   text(data, "wg_public_key"));
}

void NetworkApi::doRequests()
{
    if (!m_stopped)
        requestServerList();
    if (!m_stopped)
        requestCurrentIpAddress();
}

void NetworkApi::requestCurrentIpAddress()
{
    sendRequest(geoIpUrl(), {{"Accept", "application/json"}}, QStringLiteral("Request current IP address"));
}

void NetworkApi::requestServerList()
{
    sendRequest(catalogueUrl(), {}, QString());
}

void NetworkApi::requestAccount(const QString &userName, const QString &password)
{
    const QByteArray credential = QStringLiteral("%1:%2").arg(userName, password).toUtf8().toBase64();
    sendRequest(accountsUrl(userName),
                {{"Authorization", "Basic " + credential}, {"Accept", "application/json"}},
                QStringLiteral("Request wireguard data"));
}

void NetworkApi::sendRequest(const QString &url,
                             const QList<QPair<QByteArray, QByteArray>> &headers,
                             const QString &logLine)
{
    if (m_stopped)
        return;
    QNetworkRequest request{QUrl(url)};
    for (const auto &header : headers)
        request.setRawHeader(header.first, header.second);
    // A backend whose certificate no public CA signs (the demo provider's) names its CA here. It
    // vouches for that backend alone: trusted for every host, whoever holds its key could speak
    // for any of them.
    const QString caFile = qEnvironmentVariable("VELMORIX_API_CA_FILE");
    const QString caHost = QUrl(qEnvironmentVariable("VELMORIX_API_BASE")).host();
    if (!caFile.isEmpty() && (caHost.isEmpty() || request.url().host().compare(caHost, Qt::CaseInsensitive) != 0)) {
        if (!m_caFileIgnored)
            Log::warning(this,
                         QStringLiteral("VELMORIX_API_CA_FILE ignored for %1: it applies only to the host of "
                                        "VELMORIX_API_BASE")
                             .arg(request.url().host()));
        m_caFileIgnored = true;
    } else if (!caFile.isEmpty()) {
        QSslConfiguration configuration = request.sslConfiguration();
        const QList<QSslCertificate> authorities = QSslCertificate::fromPath(caFile, QSsl::Pem);
        if (authorities.isEmpty())
            Log::warning(this, QStringLiteral("No CA certificate in VELMORIX_API_CA_FILE"));
        configuration.addCaCertificates(authorities);
        request.setSslConfiguration(configuration);
    }
    if (!logLine.isEmpty())
        Log::info(this, logLine);
    // One manager per request: each reply is on its own, and the manager goes with it.
    auto *manager = new QNetworkAccessManager(this);
    // Deprecated and without effect in Qt 5.15, kept for the systems where it still matters.
    QT_WARNING_PUSH
    QT_WARNING_DISABLE_DEPRECATED
    manager->setNetworkAccessible(QNetworkAccessManager::Accessible);
    QT_WARNING_POP
    connect(manager, &QNetworkAccessManager::finished, this, &NetworkApi::onFinished);
    QNetworkReply *reply = manager->get(request);
    connect(reply, &QObject::destroyed, manager, &QObject::deleteLater);
    new NetworkReplyTimeout(reply, m_timeout);
}

void NetworkApi::onFinished(QNetworkReply *reply)
{
    const QString url = reply->url().toString();
    const QString label = urlLabel(url);
    if (reply->error() != QNetworkReply::NoError) {
        qWarning().noquote() << objectName()
                + QStringLiteral(": '%1' finished, error: %2 (code: %3)")
                      .arg(label, reply->errorString())
                      .arg(int(reply->error()));
        if (url == geoIpUrl())
            emit requestCurrentIpAddressFinished(Utils::zeroAddress(), QString());
        else if (url == catalogueUrl())
            emit requestServerListFinished(Servers());
        else if (url.startsWith(accountsUrl()))
            emit apiRequestAccountFinished(Account());
        else
            Log::info(this, QStringLiteral("API Request URL: %1").arg(label));
    } else {
        const QByteArray body = reply->readAll();
        if (url == geoIpUrl()) {
            const QPair<QString, QString> address = parseGeoIpReply(body, objectName());
            Log::info(this,
                      QStringLiteral("Request '%1' finished, %2, valid: %3")
                          .arg(label,
                               locationDescription(address.first, address.second, false),
                               Utils::boolText(Utils::isIpv4Address(address.first))));
            m_currentIp = address.first;
            m_currentCountryCode = address.second;
            emit requestCurrentIpAddressFinished(address.first, address.second);
        } else if (url == catalogueUrl()) {
            m_servers = parseServerList(decodeServerListBody(body), objectName());
            Log::info(this,
                      QStringLiteral("Request '%1' finished, %2 servers in %3 countries")
                          .arg(label)
                          .arg(m_servers.size())
                          .arg(countryCodes(m_servers).size()));
            emit requestServerListFinished(m_servers);
        } else if (url.startsWith(accountsUrl())) {
            emit apiRequestAccountFinished(parseAccountReply(body, objectName()));
        }
    }
    reply->deleteLater();
}
