#pragma once

#include "server.h"

#include <QObject>
#include <QPointer>

#include <functional>

// The catalogue as the controller knows it, and the search for the best server of a country:
// its servers are probed, and the first to answer is chosen. A search that the user has
// overtaken (another country, a server of their own choice) is dropped, and its results with
// it.
class ServerChoice final : public QObject
{
    Q_OBJECT

public:
    // Probes the addresses and hands over the results, fastest first ("address:value"); the
    // returned object is the probe, and deleting it stops it.
    using LatencyProbe =
        std::function<QObject *(const QStringList &addresses, std::function<void(const QStringList &)> done)>;

    // Log lines go out under the name of `logOwner`.
    ServerChoice(const QObject *logOwner, QObject *parent = nullptr);

    void setServers(const Servers &servers) { m_servers = servers; }
    const Servers &servers() const { return m_servers; }
    void setLatencyProbe(LatencyProbe probe) { m_probe = std::move(probe); }

    QString searchCountry() const { return m_searchCountry; }
    bool searching() const { return !m_running.isNull(); }

    // A country alone chooses its only server at once; several are probed.
    void searchCountry(const QString &countryCode);
    void cancelSearch();
    // The results of the probe of the search under way; none under way, nothing happens.
    void takeResults(const QStringList &results);

signals:
    // `measured`: chosen by the probe, not at once.
    void chosen(const QString &ip, const QString &locationText, const QString &country, bool measured);

private:
    const QObject *m_logOwner;
    Servers m_servers;
    LatencyProbe m_probe;
    QString m_searchCountry;
    QPointer<QObject> m_running;
    int m_searches = 0;
};
