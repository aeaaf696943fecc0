#pragma once

#include "connectionstate.h"

#include <QObject>
#include <QTimer>

#include <functional>

class NetworkApi;

// The machine's public address as the backend sees it, with its country and the caption
// under it: asked for after every change of the tunnel, shown unless the tunnel is changing,
// and remembered while disconnected so that the user's own address is back at once after a
// session.
class PublicAddress final : public QObject
{
    Q_OBJECT

public:
    // The country to show for an address while connected: the VPN server's, from the
    // catalogue (empty when it does not know the address).
    using ServerCountry = std::function<QString(const QString &ip)>;

    // Log lines go out under the name of `logOwner`.
    PublicAddress(const QObject *logOwner, ServerCountry serverCountry, QObject *parent = nullptr);

    void setNetworkApi(NetworkApi *networkApi) { m_networkApi = networkApi; }

    QString ip() const { return m_ip; }
    QString country() const { return m_country; }
    QString caption() const { return m_caption; }
    QString imageSource() const;

    void setCaption(const QString &text);
    // Nothing is shown while the tunnel changes.
    void clear();
    // The reply of an address request ("0.0.0.0": the request failed, ask again later).
    void takeReply(const QString &ip, const QString &countryCode, ConnectionState::Id shown);
    // The address the user had while disconnected, shown again.
    void showSaved(ConnectionState::Id shown);
    // The last reply again, for a caption in another language.
    void replay(ConnectionState::Id shown);
    // Asks the backend after `milliseconds`; an earlier request still waiting is replaced.
    void request(int milliseconds);
    void requestNow();

signals:
    void ipChanged(const QString &ip);
    void imageSourceChanged(const QString &imageSource);
    void captionChanged(const QString &text);

private:
    const QObject *m_logOwner;
    ServerCountry m_serverCountry;
    NetworkApi *m_networkApi = nullptr;
    QTimer m_timer;
    QString m_savedIp;
    QString m_savedCountry;
    QString m_ip;
    QString m_country;
    QString m_caption;
};
