#pragma once

// The connection controller in a small world of scripted peers: engines that report what they
// are told to, a service that answers start commands late, out of order with the link or not
// at all, port searches and latency probes that answer when the script says. A script is a
// list of words; after every word the world checks the controller's invariants. The same
// world replays the random sequences and the table of known faults.

#include "connectionstate.h"
#include "portchecker.h"
#include "publicaddress.h"
#include "server.h"
#include "serverchoice.h"
#include "servicecontroller.h"
#include "serviceprocess.h"
#include "sessionprotection.h"
#include "settings.h"
#include "status.h"
#include "vpnclient.h"
#include "vpncore.h"
#include "vpnprotocol.h"
#include "wireguardclient.h"

#include <QCoreApplication>
#include <QPointer>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <functional>
#include <memory>

namespace SessionWorldParts {

// An engine client that reports only what the script makes it report.
class WorldEngine final : public VpnClient
{
public:
    WorldEngine(bool killSwitch, bool reportsAtOnce, QObject *parent)
        : VpnClient(parent)
        , m_killSwitch(killSwitch)
        , m_reportsAtOnce(reportsAtOnce)
    {
    }

    void report(ConnectionState::Id state, const QString &data = QString(), bool critical = false)
    {
        reported = state;
        endedOnce = endedOnce || ended();
        idle = 0;
        emit connectionStateChanged(state, data, critical, data);
    }

    // As the real clients end: Disconnected with the marker, then Reconnecting when they count
    // on being restarted.
    void end(const QString &marker, bool critical)
    {
        const bool reconnects = !stopAsked && connectionParameters().autoReconnectionOnError;
        report(ConnectionState::Id::Disconnected, marker, critical);
        if (reconnects)
            report(ConnectionState::Id::Reconnecting, QString(), true);
    }

    // Running a session the controller counts on.
    bool alive() const
    {
        return !stopAsked && !endedOnce
            && (reported == ConnectionState::Id::Connecting || reported == ConnectionState::Id::Connected);
    }
    bool ended() const
    {
        return hasReported
            && (reported == ConnectionState::Id::Disconnected || reported == ConnectionState::Id::Error
                || reported == ConnectionState::Id::Unknown || reported == ConnectionState::Id::Reconnecting);
    }

    void connectToVpn() override
    {
        asked = true;
        idle = 0;
        if (m_reportsAtOnce) {
            hasReported = true;
            report(ConnectionState::Id::Connecting);
        }
    }
    void disconnectFromVpn() override
    {
        stopAsked = true;
        idle = 0;
    }
    bool supportsKillSwitch() const override { return m_killSwitch; }
    QString name() const override { return QStringLiteral("scripted"); }
    QString configTemplatePath() const override { return QString(); }
    QString executablePath() const override { return QString(); }

    ConnectionState::Id reported = ConnectionState::Id::Disconnected;
    bool asked = false;
    bool stopAsked = false;
    bool hasReported = false;
    // An engine does not come back after its end, whatever it says later.
    bool endedOnce = false;
    int idle = 0;
    int id = 0;

private:
    const bool m_killSwitch;
    const bool m_reportsAtOnce;
};

// One program run that the service owes a report on.
struct Run
{
    QString name;
    QString mode;
    qint64 pid = 0;
    int age = 0;
};

struct Probe
{
    int id = 0;
    QPointer<QObject> handle;
    QStringList addresses;
    std::function<void(const QStringList &)> done;
};

} // namespace SessionWorldParts

class SessionWorld
{
public:
    static constexpr int obligationSteps = 3;
    static constexpr int stuckSteps = 30;

    // The link is the test's, held for the whole program: ServiceProcess objects find it.
    explicit SessionWorld(ServiceController *link)
        : m_link(link)
    {
        using namespace SessionWorldParts;
        Status().clear();
        Settings *settings = Settings::instance();
        settings->setUserName(QStringLiteral("demo"));
        settings->setPassword(QStringLiteral("demo-pass"));
        settings->setNetworkProtocol(VpnProtocol::OpenVpnUdp);
        settings->setUdpPortIndex(1);
        settings->setTcpPortIndex(1);
        settings->setKillswitchEnabled(true);
        settings->setAutoReconnectionOnError(true);
        settings->setAllowAccessToLocalDevices(false);
        VpnClient::setAccount(Account(7, QStringLiteral("demo"), QStringLiteral("Active"), {}, {}, {}, {}));

        m_link->setCommandSinkForTesting([this](const QString &command) { onCommand(command); });
        m_link->setLinkUpForTesting(true);

        m_core = std::make_unique<VpnCore>();
        m_core->setReconnectDelayForTesting(0);
        m_core->protection().setDnsReaderForTesting([this] {
            // Read while a run of the DNS program is under way, the user's DNS may be the VPN's.
            for (const QList<SessionWorldParts::Run> *runs : {&m_pending, &m_running}) {
                for (const SessionWorldParts::Run &run : *runs) {
                    if (run.name == QLatin1String("dns"))
                        fail(QStringLiteral("the user's DNS was read during a run of the DNS program"));
                }
            }
            return QStringList{QStringLiteral("resolv.conf@192.0.2.53")};
        });
        m_core->setAutoReconnectionOnError(true);
        m_core->setEngineFactoryForTesting([this](int protocol, QObject *parent) -> VpnClient * {
            auto *engine =
                new WorldEngine(protocol != VpnProtocol::WireGuard, protocol != VpnProtocol::Stealth, parent);
            engine->id = ++m_enginesMade;
            m_engines << QPointer<WorldEngine>(engine);
            if (m_userStopped)
                fail(QStringLiteral("an engine was made after the user's disconnect"));
            return engine;
        });
        m_core->setPortSearchFactoryForTesting([this](const QString &host, const QList<quint16> &ports, int) {
            Q_UNUSED(host)
            Q_UNUSED(ports)
            auto *search = new PortChecker(QString(), {}, 3600);
            m_searches << QPointer<PortChecker>(search);
            return search;
        });
        m_core->setLatencyProbeForTesting(
            [this](const QStringList &addresses, std::function<void(const QStringList &)> done) -> QObject * {
                auto *handle = new QObject;
                m_probes.append({++m_probesMade, QPointer<QObject>(handle), addresses, std::move(done)});
                return handle;
            });
        QObject::connect(
            m_core.get(), &VpnCore::connectionStateChanged, [this](ConnectionState::Id state) { onPublished(state); });
        QObject::connect(m_core.get(), &VpnCore::killSwitchEventActivated, [this] { m_eventWaiting = true; });
        setServers(m_core.get(), catalogue());
    }

    ~SessionWorld()
    {
        m_core.reset();
        // Whatever this world's service still owed is lost with its link, as on a real one.
        m_link->setCommandSinkForTesting(nullptr);
        m_link->setLinkUpForTesting(true);
        m_link->setLinkUpForTesting(false);
        settle();
    }

    static Servers catalogue()
    {
        Servers servers;
        const auto add = [&servers](const char *ip, const char *country, const char *city) {
            Server server;
            server.ip = QString::fromLatin1(ip);
            server.id = server.ip;
            server.name = server.ip + QStringLiteral(".example.net");
            server.country = QString::fromLatin1(country);
            server.city = QString::fromLatin1(city);
            servers << server;
        };
        add("10.99.0.1", "nl", "Amsterdam");
        add("10.99.0.2", "nl", "Rotterdam");
        add("10.99.0.7", "us", "New York");
        return servers;
    }

    // The words a random script chooses from, with their weights.
    static const QList<QPair<QString, int>> &vocabulary()
    {
        static const QList<QPair<QString, int>> words = {
            {"connect", 8},        {"disconnect", 6},     {"pick:a", 3},           {"pick:b", 2},
            {"pick:c", 1},         {"country:nl", 2},     {"country:us", 1},       {"country:fr", 1},
            {"proto:udp", 2},      {"proto:tcp", 1},      {"proto:auto", 2},       {"proto:stealth", 1},
            {"proto:wg", 1},       {"ks:on", 2},          {"ks:off", 1},           {"recon:on", 2},
            {"recon:off", 1},      {"creds:ok", 2},       {"creds:none", 1},       {"lang", 1},
            {"confirm", 2},        {"e:connecting", 4},   {"e:connected", 6},      {"e:disconnecting", 2},
            {"e:disconnected", 3}, {"e:reconnecting", 1}, {"e:error", 2},          {"e:unknown", 1},
            {"e:crash", 6},        {"e:critical", 2},     {"e:refused", 2},        {"e:lost", 2},
            {"e:traffic", 3},      {"old:connected", 1},  {"old:disconnected", 1}, {"old:crash", 1},
            {"old:error", 1},      {"port:found", 3},     {"port:none", 2},        {"disconnect+port", 1},
            {"pick+port", 1},      {"ping:early", 2},     {"ping:late", 2},        {"ip:user", 1},
            {"ip:vpn", 1},         {"ip:fail", 1},        {"svc:started", 5},      {"svc:finished", 5},
            {"svc:refused", 1},    {"svc:lost", 1},       {"svc:back", 2},         {"quit", 1},
        };
        return words;
    }

    static QString randomWord(QRandomGenerator &random)
    {
        static const int total = [] {
            int sum = 0;
            for (const auto &word : vocabulary())
                sum += word.second;
            return sum;
        }();
        int pick = int(random.bounded(total));
        for (const auto &word : vocabulary()) {
            if (pick < word.second)
                return word.first;
            pick -= word.second;
        }
        return vocabulary().last().first;
    }

    // A word the world owes (an engine that must answer, a search that must end, a report the
    // service owes), or empty: peers answer within a few steps, as real ones do.
    QString overdue() const
    {
        using namespace SessionWorldParts;
        if (WorldEngine *engine = current()) {
            if (engine->asked && engine->idle > obligationSteps) {
                if ((engine->stopAsked || engine->reported == ConnectionState::Id::Disconnecting) && !engine->ended())
                    return QStringLiteral("e:disconnected");
                if (!engine->hasReported)
                    return QStringLiteral("e:connecting");
                if (engine->reported == ConnectionState::Id::Connecting)
                    return QStringLiteral("e:connected");
            }
        }
        if (liveSearch() && m_searchAge > obligationSteps)
            return QStringLiteral("port:found");
        if (!m_linkUp)
            return m_downSteps > obligationSteps ? QStringLiteral("svc:back") : QString();
        if (!m_pending.isEmpty() && m_pending.first().age > obligationSteps)
            return QStringLiteral("svc:started");
        if (!m_running.isEmpty() && m_running.first().age > obligationSteps)
            return QStringLiteral("svc:finished");
        return QString();
    }

    // Plays one word; false when it does not apply now (it then changes nothing).
    bool play(const QString &word)
    {
        using namespace SessionWorldParts;
        if (m_quit)
            return false;
        if (word == QLatin1String("quit")) {
            quit();
            return true;
        }
        ageObligations();
        bool applied = perform(word);
        settle();
        check(word);
        return applied;
    }

    QString violation() const { return m_violation; }
    bool hasQuit() const { return m_quit; }
    VpnCore *core() const { return m_core.get(); }
    int enginesMade() const { return m_enginesMade; }
    QString lastEngineServer() const
    {
        SessionWorldParts::WorldEngine *engine = current();
        return engine ? engine->connectionParameters().server : QString();
    }
    bool eventWaiting() const { return m_eventWaiting; }

private:
    SessionWorldParts::WorldEngine *current() const { return m_engines.isEmpty() ? nullptr : m_engines.last().data(); }
    SessionWorldParts::WorldEngine *previous() const
    {
        return m_engines.size() < 2 ? nullptr : m_engines.at(m_engines.size() - 2).data();
    }
    PortChecker *liveSearch() const
    {
        for (const QPointer<PortChecker> &search : m_searches) {
            if (search)
                return search;
        }
        return nullptr;
    }

    // --- the seams that reach the controller -------------------------------------------------

    static void setServers(VpnCore *core, const Servers &servers) { core->serverChoice().setServers(servers); }
    static void deliverAddress(VpnCore *core, const QString &ip, const QString &country)
    {
        core->publicAddress().takeReply(ip, country, core->connectionState());
    }
    static bool protectionSettled(VpnCore *core) { return core->protection().isSettled(); }
    static bool recordedKillSwitch(VpnCore *core) { return core->protection().record().killswitchActivated(); }
    static bool recordedDns(VpnCore *core) { return core->protection().record().dnsActivated(); }

    // --- the service ---------------------------------------------------------------------------

    void onCommand(const QString &command)
    {
        static const QRegularExpression start(QStringLiteral("^start: \"[^\"]*/([^/\"]+)\"(?: \"([^\"]*)\")?"));
        const QRegularExpressionMatch match = start.match(command);
        if (!match.hasMatch())
            return;
        const QString name = match.captured(1);
        if (name != QLatin1String("dns") && name != QLatin1String("killswitch")
            && name != QLatin1String("network-tool"))
            return;
        SessionWorldParts::Run run;
        run.name = name;
        run.mode = match.captured(2);
        m_pending << run;
        if (name != QLatin1String("killswitch"))
            m_lastOfDnsLine = name;
        if (name == QLatin1String("killswitch"))
            m_lastKillSwitch = run.mode;
        else if (name == QLatin1String("dns"))
            m_lastDns = run.mode;
    }

    void report(const QString &text) { emit m_link->processOutput(text); }

    // --- playing --------------------------------------------------------------------------------

    void ageObligations()
    {
        using namespace SessionWorldParts;
        if (WorldEngine *engine = current())
            ++engine->idle;
        if (liveSearch())
            ++m_searchAge;
        else
            m_searchAge = 0;
        for (Run &run : m_pending)
            ++run.age;
        for (Run &run : m_running)
            ++run.age;
        m_downSteps = m_linkUp ? 0 : m_downSteps + 1;
    }

    bool perform(const QString &word)
    {
        using namespace SessionWorldParts;
        Settings *settings = Settings::instance();
        const QString verb = word.section(QLatin1Char(':'), 0, 0);
        const QString what = word.section(QLatin1Char(':'), 1);
        const ConnectionState::Id shown = m_core->connectionState();

        if (word == QLatin1String("connect")) {
            // A session under way is not started again.
            const bool busy = shown == ConnectionState::Id::Preparing || shown == ConnectionState::Id::Connecting
                || shown == ConnectionState::Id::Connected;
            if (!busy) {
                m_userStopped = false;
                m_eventWaiting = false;
                m_userAttempt = true;
            }
            m_core->connectToVpn();
            return true;
        }
        if (word == QLatin1String("disconnect")) {
            m_userStopped = true;
            m_userAttempt = false;
            m_core->disconnectFromVpn();
            return true;
        }
        if (verb == QLatin1String("pick")) {
            const Server server = catalogue().at(what == QLatin1String("a") ? 0 : what == QLatin1String("b") ? 1 : 2);
            if (shown != ConnectionState::Id::Disconnected)
                m_userStopped = false;
            m_expectedServer = server.ip;
            m_currentProbe = 0;
            m_core->setVpnServerIp(server.ip, server.locationText());
            return true;
        }
        if (verb == QLatin1String("country")) {
            const Servers candidates = serversOfCountry(catalogue(), what);
            // A country of one server is a choice of that server.
            if (candidates.size() == 1 && shown != ConnectionState::Id::Disconnected)
                m_userStopped = false;
            const int probesBefore = m_probesMade;
            m_core->setSearchModeForCountry(what);
            m_currentProbe = m_probesMade > probesBefore ? m_probesMade : 0;
            m_expectedServer = candidates.size() == 1 ? candidates.first().ip : QString();
            return true;
        }
        if (verb == QLatin1String("proto")) {
            const int protocol = what == QLatin1String("udp") ? VpnProtocol::OpenVpnUdp
                : what == QLatin1String("stealth")            ? VpnProtocol::Stealth
                : what == QLatin1String("wg")                 ? VpnProtocol::WireGuard
                                                              : VpnProtocol::OpenVpnTcp;
            settings->setNetworkProtocol(protocol);
            settings->setTcpPortIndex(what == QLatin1String("auto") ? 0 : 1);
            return true;
        }
        if (verb == QLatin1String("ks")) {
            settings->setKillswitchEnabled(what == QLatin1String("on"));
            return true;
        }
        if (verb == QLatin1String("recon")) {
            settings->setAutoReconnectionOnError(what == QLatin1String("on"));
            m_core->setAutoReconnectionOnError(what == QLatin1String("on"));
            return true;
        }
        if (verb == QLatin1String("creds")) {
            settings->setPassword(what == QLatin1String("ok") ? QStringLiteral("demo-pass") : QString());
            return true;
        }
        if (word == QLatin1String("lang")) {
            m_core->retranslate();
            return true;
        }
        if (word == QLatin1String("confirm")) {
            m_eventWaiting = false;
            m_core->disableKillSwitch();
            return true;
        }
        if (verb == QLatin1String("e"))
            return engineEvent(current(), what);
        if (verb == QLatin1String("old")) {
            WorldEngine *engine = previous();
            return engine && engineEvent(engine, what);
        }
        if (verb == QLatin1String("port") || word.endsWith(QLatin1String("+port"))) {
            PortChecker *search = m_searches.isEmpty() ? nullptr : m_searches.last().data();
            if (word == QLatin1String("disconnect+port")) {
                m_userStopped = true;
                m_userAttempt = false;
                m_core->disconnectFromVpn();
            } else if (word == QLatin1String("pick+port")) {
                if (shown != ConnectionState::Id::Disconnected)
                    m_userStopped = false;
                m_expectedServer = catalogue().at(1).ip;
                m_currentProbe = 0;
                m_core->setVpnServerIp(catalogue().at(1).ip, catalogue().at(1).locationText());
            }
            if (!search)
                return false;
            m_searchAge = 0;
            if (what == QLatin1String("none"))
                emit search->timeout();
            else
                emit search->portIsAvailable(443);
            return true;
        }
        if (verb == QLatin1String("ping")) {
            int index = -1;
            for (int i = 0; i < m_probes.size(); ++i) {
                if (m_probes.at(i).handle) {
                    index = i;
                    if (what == QLatin1String("late"))
                        break;
                }
            }
            if (index < 0)
                return false;
            Probe probe = m_probes.takeAt(index);
            // The slower server answers first, so that the choice is the fastest by its time,
            // not the first reply.
            QStringList results;
            for (int i = probe.addresses.size() - 1; i >= 0; --i)
                results << probe.addresses.at(i) + QStringLiteral(":%1").arg(10 + i);
            if (probe.id == m_currentProbe) {
                m_expectedServer = probe.addresses.first();
                m_currentProbe = 0;
            }
            probe.done(results);
            return true;
        }
        if (verb == QLatin1String("ip")) {
            if (what == QLatin1String("user"))
                deliverAddress(m_core.get(), QStringLiteral("203.0.113.20"), QStringLiteral("de"));
            else if (what == QLatin1String("vpn"))
                deliverAddress(m_core.get(), QStringLiteral("10.99.0.1"), QStringLiteral("nl"));
            else
                deliverAddress(m_core.get(), QStringLiteral("0.0.0.0"), QString());
            return true;
        }
        if (verb == QLatin1String("svc"))
            return serviceEvent(what);
        return false;
    }

    bool engineEvent(SessionWorldParts::WorldEngine *engine, const QString &what)
    {
        using namespace SessionWorldParts;
        if (!engine || !engine->asked)
            return false;
        engine->hasReported = true;
        if (what == QLatin1String("connecting"))
            engine->report(ConnectionState::Id::Connecting);
        else if (what == QLatin1String("connected")) {
            // As every engine does, it says that it is connecting first.
            if (engine->reported != ConnectionState::Id::Connecting && !engine->endedOnce)
                engine->report(ConnectionState::Id::Connecting);
            engine->report(ConnectionState::Id::Connected);
        } else if (what == QLatin1String("disconnecting"))
            engine->report(ConnectionState::Id::Disconnecting);
        else if (what == QLatin1String("disconnected"))
            engine->end(QString(), false);
        else if (what == QLatin1String("reconnecting"))
            engine->report(ConnectionState::Id::Reconnecting, QString(), true);
        else if (what == QLatin1String("error"))
            engine->report(ConnectionState::Id::Error, QStringLiteral("Error: Wrong Username/Password"), true);
        else if (what == QLatin1String("unknown"))
            engine->report(ConnectionState::Id::Unknown);
        else if (what == QLatin1String("crash"))
            engine->end(QStringLiteral("CrashExit"), false);
        else if (what == QLatin1String("critical"))
            engine->end(QStringLiteral("CrashExit"), true);
        else if (what == QLatin1String("refused"))
            engine->report(ConnectionState::Id::Error, QStringLiteral("The service refused to start openvpn"), false);
        else if (what == QLatin1String("lost"))
            engine->end(QString(), false);
        else if (what == QLatin1String("traffic"))
            emit engine->byteCountChanged(4096, 1024);
        else
            return false;
        return true;
    }

    bool serviceEvent(const QString &what)
    {
        using namespace SessionWorldParts;
        if (what == QLatin1String("lost")) {
            if (!m_linkUp)
                return false;
            m_linkUp = false;
            // What was under way is never reported on this link.
            m_pending.clear();
            m_running.clear();
            m_link->setLinkUpForTesting(false);
            return true;
        }
        if (what == QLatin1String("back")) {
            if (m_linkUp)
                return false;
            m_linkUp = true;
            m_link->setLinkUpForTesting(true);
            return true;
        }
        if (!m_linkUp)
            return false;
        if (what == QLatin1String("started") || what == QLatin1String("refused")) {
            if (m_pending.isEmpty())
                return false;
            Run run = m_pending.takeFirst();
            if (what == QLatin1String("refused")) {
                report(QStringLiteral("started:0,1,%1").arg(run.name));
                return true;
            }
            run.pid = ++m_pids + 1000;
            run.age = 0;
            m_running << run;
            report(QStringLiteral("started:%1,0,%2").arg(run.pid).arg(run.name));
            return true;
        }
        if (what == QLatin1String("done")) {
            // Every run under way and asked for reports its end.
            bool any = false;
            while (serviceEvent(QStringLiteral("finished")) || serviceEvent(QStringLiteral("started")))
                any = true;
            return any;
        }
        if (what == QLatin1String("finished")) {
            if (m_running.isEmpty())
                return false;
            const Run run = m_running.takeFirst();
            // The kill switch's program says 1 when its rules are in place.
            const int code = run.name == QLatin1String("killswitch") ? 1 : 0;
            report(QStringLiteral("finished:%1,%2,%3").arg(run.pid).arg(code).arg(run.name));
            return true;
        }
        return false;
    }

    // The event loop's turn between two words: timers due now, queued calls, deferred deletes.
    void settle()
    {
        for (int i = 0; i < 2; ++i) {
            QCoreApplication::processEvents();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
    }

    // The program ends at once, without waiting for the session's end or the service's
    // reports: what the machine needs back must still have gone to the service (or into the
    // link's buffer), the last run of each program last.
    void quit()
    {
        const bool disconnected = m_core->connectionState() == ConnectionState::Id::Disconnected;
        m_core.reset();
        m_quit = true;
        if (!m_linkUp)
            m_link->setLinkUpForTesting(true);
        settle();
        if (m_lastKillSwitch == QLatin1String("enable"))
            fail(QStringLiteral("the kill switch stays on after quit"));
        if (m_lastDns == QLatin1String("vpn"))
            fail(QStringLiteral("the VPN's DNS stays in use after quit"));
        // A session that has ended gives IPv6 back after the user's DNS.
        if (disconnected && m_sessionEnded && m_lastOfDnsLine != QLatin1String("network-tool"))
            fail(QStringLiteral("IPv6 is not given back after quit, the last run was '%1'").arg(m_lastOfDnsLine));
    }

    // --- invariants -----------------------------------------------------------------------------

    void onPublished(ConnectionState::Id state)
    {
        using S = ConnectionState::Id;
        static const QMap<S, QList<S>> allowed = {
            {S::Disconnected, {S::Preparing, S::Connecting, S::Reconnecting, S::Disconnected}},
            {S::Preparing, {S::Connecting, S::Disconnected}},
            {S::Connecting, {S::Connected, S::Disconnecting, S::Disconnected}},
            {S::Connected, {S::Disconnecting, S::Disconnected}},
            {S::Disconnecting, {S::Disconnected}},
            {S::Reconnecting, {S::Preparing, S::Connecting, S::Disconnected}},
        };
        if (!allowed.value(m_published).contains(state))
            fail(QStringLiteral("the state went from %1 to %2")
                     .arg(ConnectionState::stateName(m_published), ConnectionState::stateName(state)));
        if (state == S::Preparing && m_userStopped)
            fail(QStringLiteral("a port search began after the user's disconnect"));
        if (state == S::Connected && m_userStopped)
            fail(QStringLiteral("connected after the user's disconnect"));
        if (state == S::Connected)
            m_userAttempt = false;
        if (state == S::Disconnected && m_published != S::Disconnected)
            m_sessionEnded = true;
        m_published = state;
        m_unsettledSteps = 0;
    }

    void fail(const QString &text)
    {
        if (m_violation.isEmpty())
            m_violation = text;
    }

    void check(const QString &word)
    {
        using namespace SessionWorldParts;
        using S = ConnectionState::Id;
        Q_UNUSED(word)
        const S state = m_core->connectionState();
        if (state != m_published && !(m_published == S::Disconnected && state == S::Disconnected))
            fail(QStringLiteral("the controller reads %1 but said %2")
                     .arg(ConnectionState::stateName(state), ConnectionState::stateName(m_published)));

        // Engines: at most one running a session, none while nothing is shown as running.
        int alive = 0;
        for (const QPointer<WorldEngine> &engine : m_engines)
            alive += engine && engine->alive() ? 1 : 0;
        if (alive > 1)
            fail(QStringLiteral("%1 engines run at once").arg(alive));
        if (alive > 0 && state == S::Disconnected)
            fail(QStringLiteral("an engine runs while the controller is disconnected"));

        if (state == S::Disconnected && liveSearch())
            fail(QStringLiteral("a port search runs while disconnected"));
        if (m_core->serverIp() != m_expectedServer)
            fail(QStringLiteral("the server is '%1' where the user's last choice gives '%2'")
                     .arg(m_core->serverIp(), m_expectedServer));

        // The kill switch: held only for the session, a reconnection on its way, or the user's
        // answer to the event.
        const bool held = recordedKillSwitch(m_core.get());
        const bool waiting = state == S::Disconnected || state == S::Reconnecting;
        if (!held || !waiting || m_eventWaiting || state != m_limboState)
            m_limbo = 0;
        m_limboState = state;
        bool allowed = true;
        if (held && !m_eventWaiting && state != S::Connected && state != S::Disconnecting) {
            if (m_userAttempt)
                allowed = false; // the user's connect lifts it
            else if (state == S::Disconnected && m_userStopped)
                allowed = false; // and so does the user's disconnect
            else if (waiting)
                allowed = ++m_limbo <= stuckSteps; // a reconnection must come, or the event
        }
        if (!allowed)
            fail(QStringLiteral("the kill switch is held in %1 with no reconnection or event to show for it")
                     .arg(ConnectionState::stateName(state)));

        // The record says what is in force once the runs are through.
        if (m_pending.isEmpty() && m_running.isEmpty() && m_linkUp && protectionSettled(m_core.get())) {
            if (held != (m_lastKillSwitch == QLatin1String("enable")))
                fail(QStringLiteral("the record says the kill switch is %1, the last run was '%2'")
                         .arg(held ? QStringLiteral("on") : QStringLiteral("off"), m_lastKillSwitch));
            if (recordedDns(m_core.get()) != (m_lastDns == QLatin1String("vpn")))
                fail(QStringLiteral("the record says the DNS is %1, the last run was '%2'")
                         .arg(recordedDns(m_core.get()) ? QStringLiteral("switched") : QStringLiteral("the user's"),
                              m_lastDns));
        }

        // Nothing stays half-way.
        if (state == S::Disconnected || state == S::Connected)
            m_unsettledSteps = 0;
        else if (++m_unsettledSteps > stuckSteps)
            fail(QStringLiteral("%1 for %2 steps").arg(ConnectionState::stateName(state)).arg(m_unsettledSteps));
    }

    ServiceController *m_link;
    std::unique_ptr<VpnCore> m_core;
    QList<QPointer<SessionWorldParts::WorldEngine>> m_engines;
    QList<QPointer<PortChecker>> m_searches;
    QList<SessionWorldParts::Probe> m_probes;
    QList<SessionWorldParts::Run> m_pending;
    QList<SessionWorldParts::Run> m_running;
    QString m_lastKillSwitch;
    QString m_lastDns;
    QString m_lastOfDnsLine; // the DNS program's or the network tool's
    QString m_expectedServer;
    QString m_violation;
    ConnectionState::Id m_published = ConnectionState::Id::Disconnected;
    int m_enginesMade = 0;
    int m_probesMade = 0;
    int m_currentProbe = 0;
    int m_searchAge = 0;
    int m_downSteps = 0;
    int m_limbo = 0;
    ConnectionState::Id m_limboState = ConnectionState::Id::Disconnected;
    int m_unsettledSteps = 0;
    qint64 m_pids = 0;
    bool m_linkUp = true;
    bool m_quit = false;
    bool m_sessionEnded = false;
    bool m_userStopped = false;
    bool m_userAttempt = false;
    bool m_eventWaiting = false;
};
