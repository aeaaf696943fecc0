#include "publicaddress.h"

#include "logger.h"
#include "networkapi.h"
#include "sessiondecisions.h"
#include "utils.h"

#include <QCoreApplication>

namespace {

// The last address received, for the whole process: replayed on a language change.
QString lastReportedIp;
QString lastReportedCountry;

} // namespace

// The texts are the controller's, translated in its context.
PublicAddress::PublicAddress(const QObject *logOwner, ServerCountry serverCountry, QObject *parent)
    : QObject(parent)
    , m_logOwner(logOwner)
    , m_serverCountry(std::move(serverCountry))
    , m_caption(QCoreApplication::translate("VpnCore", "Updating..."))
{
    setObjectName(QStringLiteral("PublicAddress"));
    m_timer.setSingleShot(true);
    connect(&m_timer, &QTimer::timeout, this, &PublicAddress::requestNow);
}

QString PublicAddress::imageSource() const
{
    return m_country.isEmpty() ? QString() : Utils::flagSource(m_country);
}

void PublicAddress::setCaption(const QString &text)
{
    m_caption = text;
    emit captionChanged(text);
}

void PublicAddress::clear()
{
    m_country.clear();
    m_ip.clear();
    emit ipChanged(m_ip);
    emit imageSourceChanged(imageSource());
}

void PublicAddress::request(int milliseconds)
{
    m_timer.start(milliseconds);
}

void PublicAddress::requestNow()
{
    if (m_networkApi)
        m_networkApi->requestCurrentIpAddress();
}

void PublicAddress::showSaved(ConnectionState::Id shown)
{
    takeReply(m_savedIp, m_savedCountry, shown);
}

void PublicAddress::replay(ConnectionState::Id shown)
{
    takeReply(lastReportedIp, lastReportedCountry, shown);
}

void PublicAddress::takeReply(const QString &ip, const QString &countryCode, ConnectionState::Id shown)
{
    if (ip == Utils::retranslateMarker()) {
        replay(shown);
        return;
    }
    if (ip == Utils::zeroAddress()) {
        Log::info(m_logOwner, QStringLiteral("Requesting new ip address"));
        m_timer.start(NetworkApi::replyTimeout);
        return;
    }
    lastReportedIp = ip;
    lastReportedCountry = countryCode;

    QString country = shown == ConnectionState::Id::Connected ? m_serverCountry(ip) : QString();
    if (country.isEmpty())
        country = countryCode;
    if (ip.isEmpty() || country.isEmpty())
        return;
    const SessionDecisions::AddressReply action = SessionDecisions::addressReply(shown);
    if (action == SessionDecisions::AddressReply::Skip) {
        Log::info(m_logOwner, QStringLiteral("Request current IP address finished, skipping"));
        return;
    }
    if (action == SessionDecisions::AddressReply::Remember) {
        m_savedIp = ip;
        m_savedCountry = country;
    }
    m_ip = ip;
    m_country = country;
    emit ipChanged(m_ip);
    emit imageSourceChanged(imageSource());
    setCaption(Utils::isIpv4Address(ip) ? QCoreApplication::translate("VpnCore", "Your current IP")
                                        : QCoreApplication::translate("VpnCore", "Error"));
}
