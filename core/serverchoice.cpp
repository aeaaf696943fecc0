#include "serverchoice.h"

#include "countrynames.h"
#include "logger.h"
#include "multiping.h"

ServerChoice::ServerChoice(const QObject *logOwner, QObject *parent)
    : QObject(parent)
    , m_logOwner(logOwner)
{
    setObjectName(QStringLiteral("ServerChoice"));
    m_probe = [this](const QStringList &addresses, std::function<void(const QStringList &)> done) -> QObject * {
        auto *ping = new MultiPing(this);
        connect(ping, &MultiPing::lastRequestFinished, this, [done](const QStringList &results) { done(results); });
        ping->sendRequest(addresses);
        return ping;
    };
}

void ServerChoice::cancelSearch()
{
    ++m_searches;
    m_searchCountry.clear();
    if (QObject *running = m_running.data()) {
        m_running = nullptr;
        running->disconnect(this);
        running->deleteLater();
    }
}

void ServerChoice::searchCountry(const QString &countryCode)
{
    cancelSearch();
    m_searchCountry = countryCode;
    Log::info(m_logOwner,
              QStringLiteral("Set search mode for country: '%1'").arg(CountryNames::nameForCode(countryCode)));

    const Servers candidates = serversOfCountry(m_servers, m_searchCountry);
    if (candidates.size() == 1) {
        const Server &only = candidates.first();
        Log::info(m_logOwner,
                  QStringLiteral("Only one server available, %1")
                      .arg(locationDescription(only.ip, only.locationText(), true)));
        m_searchCountry.clear();
        emit chosen(only.ip, only.locationText(), only.country, false);
        return;
    }
    const QStringList addresses = serverIps(candidates);
    if (addresses.isEmpty()) {
        Log::warning(m_logOwner, QStringLiteral("Something wrong.."));
        return;
    }
    // The probe's answer counts only while its search is the one under way.
    const int search = ++m_searches;
    QObject *probe = m_probe(addresses, [this, search](const QStringList &results) {
        if (search == m_searches)
            takeResults(results);
    });
    m_running = probe;
}

void ServerChoice::takeResults(const QStringList &results)
{
    if (!m_running)
        return;
    QObject *probe = m_running.data();
    m_running = nullptr;
    probe->deleteLater();
    m_searchCountry.clear();
    // The fastest by its measured time: replies come in the order the event loop got to them.
    for (const QString &entry : MultiPing::byValue(results)) {
        const Server server = serverByIp(m_servers, entry.section(QLatin1Char(':'), 0, 0));
        if (!server.isValid())
            continue;
        Log::info(
            m_logOwner,
            QStringLiteral("From ping, selected %1").arg(locationDescription(server.ip, server.locationText(), true)));
        emit chosen(server.ip, server.locationText(), server.country, true);
        return;
    }
}
