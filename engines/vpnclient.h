#pragma once

#include "vpnprotocol.h"

#include "account.h"
#include "connectionparameters.h"
#include "connectionstate.h"
#include "connectionstatistics.h"

#include <QObject>
#include <QTemporaryFile>

#include <functional>
#include <memory>

class QTcpSocket;
class ServiceProcess;
class TcpServer;

// The common base of the engine clients. The controller creates one per connection attempt,
// hands it the parameters, tells it to connect and disconnect, and listens to its four signals.
class VpnClient : public QObject
{
    Q_OBJECT

public:
    explicit VpnClient(QObject *parent = nullptr);
    ~VpnClient() override;

    static QString protocolName(int protocol, bool lowerCase = false);
    static QString formatBytes(qulonglong bytes, bool withUnit);
    static QString formatTraffic(qulonglong bytes);
    static QString joinPorts(const QList<quint16> &ports);

    // The account of the signed-in user, shared by the whole program.
    static Account account();
    static void setAccount(const Account &account);

    ConnectionState::Id connectionState() const { return m_state; }
    ConnectionParameters connectionParameters() const { return m_parameters; }
    ConnectionStatistics statistics() const { return m_statistics; }

    QString engineLogPath() const;
    // The engine's log beside the program's: "-app" becomes "-vpn" in the file name only.
    static QString engineLogPathFor(const QString &programLogPath);
    bool isEngineRunning() const;

signals:
    void assignedInternalIp(const QString &ip);
    void byteCountChanged(qulonglong receive, qulonglong send);
    void connectionStateChanged(ConnectionState::Id connectionStateId,
                                const QString &additionalData,
                                bool critical,
                                const QString &errorDescription);
    void dnsServerAddressesPushed(const QString &dnsServerIpv4Address, const QString &dnsServerIpv6Address);

public slots:
    virtual void connectToVpn() = 0;
    virtual void disconnectFromVpn() = 0;
    virtual void setConnectionParameters(const ConnectionParameters &parameters);
    virtual bool supportsKillSwitch() const;
    virtual QString name() const = 0;
    virtual QString configTemplatePath() const = 0;
    virtual void editConfig(QString &text);
    virtual bool prepareConfig();
    virtual QString configFilePath() const;
    virtual QString executablePath() const = 0;

protected:
    void setConnectionState(ConnectionState::Id state, const QString &text, bool critical);
    void setStatistics(const ConnectionStatistics &statistics);
    void applyIpv6Setting();
    void removeConfig();
    // Whether a connection on a local channel comes from this client's engine alone: the
    // channel carries the password and the engine's states, so no other local process may
    // take it.
    bool isEngineConnection(const QTcpSocket &peer) const;
    // Why the credentials may not go to an engine (control characters), or empty.
    QString credentialsProblem() const;
    // Opens the engine's local channel on 127.0.0.1, then runs `start`. The client of the
    // previous attempt may hold the port for a moment (its end is deferred), so a taken port
    // is tried again for a second; one that stays taken belongs to another process, which
    // would be the engine's peer: no engine then, `refuse` runs instead.
    void listenForEngine(TcpServer *channel, quint16 port, std::function<void()> start, std::function<void()> refuse);
    // Drops a listen that is still being tried.
    void cancelListening() { ++m_listenGeneration; }
    // The engine ended while this client still counted on it: Disconnected ("CrashExit" for a
    // non-zero code), then Reconnecting (critical) unless a disconnect was asked for or
    // reconnection is off. An end that was asked for is no crash, whatever its code.
    void reportEngineFinished(int exitCode, bool disconnectRequested, QString *lastError);
    // The service would not start the engine (status 1) or could not (2): an error to show,
    // rather than a connection that waits for ever.
    void reportEngineRefused(int status, QString *lastError);

    ConnectionParameters m_parameters;

private:
    ConnectionStatistics m_statistics;
    std::unique_ptr<QTemporaryFile> m_config;
    ConnectionState::Id m_state = ConnectionState::Id::Disconnected;
    ServiceProcess *m_networkTool = nullptr;
    int m_listenGeneration = 0;
};
