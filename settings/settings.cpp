#include "settings.h"

#include "logger.h"

#include "autostart.h"
#include "buildconfig.h"
#include "platform/system.h"
#include "product.h"
#include "utils.h"

#include <QDebug>
#include <QDir>
#include <QFileInfo>
#include <QHash>
#include <QSet>
#include <QStandardPaths>

namespace {

const QString generalGroup = QStringLiteral("Settings");
const QString radizidiviGroup = QStringLiteral("Radizidivi");

// Ports that the OpenVPN servers listen on for Stealth and WireGuard.
constexpr quint16 stealthPort = 443;
constexpr quint16 wireGuardPort = 55888;

QStringList portTexts(const QList<quint16> &ports)
{
    QStringList texts;
    for (quint16 port : ports)
        texts << QString::number(port);
    return texts;
}

// Where no stored value holds a location, the editor opens in the user's documents.
QUrl documentsFolderUrl()
{
    return QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation));
}

} // namespace

Settings *Settings::instance()
{
    static Settings settings;
    return &settings;
}

Settings::Settings(WireGuardSupport wireGuardSupported, QObject *parent)
    : QObject(parent)
    , m_store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"), QStringLiteral("VPNClient"))
    , m_cipher(BuildConfig::settingsCipherKey)
    , m_wireGuardSupported(wireGuardSupported ? wireGuardSupported() : Platform::wireGuardAvailability().available)
    , m_networkProtocol(defaultNetworkProtocol())
    , m_radizidiviLastOpenedUrl(documentsFolderUrl())
{
    setObjectName(QStringLiteral("Settings"));
    load();
}

const QList<quint16> &Settings::tcpPorts()
{
    static const QList<quint16> ports = {0, 20, 21, 23, 25, 110, 143, 1194, 1239, 1289, 3389, 8080};
    return ports;
}

const QList<quint16> &Settings::udpPorts()
{
    static const QList<quint16> ports = {88, 123, 443, 1194, 1289};
    return ports;
}

const QStringList &Settings::languageCodes()
{
    static const QStringList codes = {QStringLiteral("en"),
                                      QStringLiteral("id"),
                                      QStringLiteral("my"),
                                      QStringLiteral("es"),
                                      QStringLiteral("fr"),
                                      QStringLiteral("nl"),
                                      QStringLiteral("ph"),
                                      QStringLiteral("vn"),
                                      QStringLiteral("ru"),
                                      QStringLiteral("th"),
                                      QStringLiteral("jp"),
                                      QStringLiteral("cn")};
    return codes;
}

const QStringList &Settings::languageNames()
{
    static const QStringList names = {QStringLiteral("English"),
                                      QStringLiteral("Bahasa Indonesia"),
                                      QStringLiteral("Bahasa Melayu"),
                                      QStringLiteral("Español"),
                                      QStringLiteral("Français"),
                                      QStringLiteral("Nederlands"),
                                      QStringLiteral("Pilipino"),
                                      QStringLiteral("Tiếng Việt"),
                                      QStringLiteral("Русский"),
                                      QStringLiteral("ไทย"),
                                      QStringLiteral("日本語"),
                                      QStringLiteral("简体中文")};
    return names;
}

void Settings::load()
{
    m_store.sync(); // take in what another process wrote since

    m_store.beginGroup(radizidiviGroup);
    const QVariant url = m_store.value(QStringLiteral("radizidiviLastOpenedUrl"));
    if (url.isValid() && url.toUrl().isValid() && !url.toUrl().isEmpty())
        m_radizidiviLastOpenedUrl = url.toUrl();
    m_store.endGroup();

    m_store.beginGroup(generalGroup);
    m_allowAccessToLocalDevices = readBool(QStringLiteral("allowAccessToLocalDevices"), m_allowAccessToLocalDevices);
    m_autoReconnectionOnError = readBool(QStringLiteral("autoReconnectToVpn"), m_autoReconnectionOnError);
    m_autoUpdateEnabled = readBool(QStringLiteral("autoUpdateEnabled"), m_autoUpdateEnabled);
    m_connectToLastLocation = readBool(QStringLiteral("connectToLastLocation"), m_connectToLastLocation);
    m_currentServerId = readString(QStringLiteral("currentServerId"), m_currentServerId);
    m_ipv6Enabled = readBool(QStringLiteral("ipv6Enabled"), m_ipv6Enabled);
    m_killswitchEnabled = readBool(QStringLiteral("killswitchEnabled"), m_killswitchEnabled);
    m_language = readString(QStringLiteral("language"), m_language);
    m_mtuSize = readInt(QStringLiteral("mtuSize"), m_mtuSize);
    m_networkProtocol = readInt(QStringLiteral("networkProtocol"), m_networkProtocol);
    m_password = readSecret(QStringLiteral("password"), m_password);
    m_showNotifications = readBool(QStringLiteral("showNotifications"), m_showNotifications);
    m_startMinimized = readInt(QStringLiteral("startMinimized"), m_startMinimized);
    m_userName = readSecret(QStringLiteral("userName"), m_userName);
    const int tcpIndex = readInt(QStringLiteral("tcpPortIndex"), m_tcpPortIndex);
    const int udpIndex = readInt(QStringLiteral("udpPortIndex"), m_udpPortIndex);
    const QVariant favorites = m_store.value(QStringLiteral("favorites"), m_favorites);
    m_favorites = favorites.toStringList();
    m_store.endGroup();

    if (!m_currentServerId.isEmpty() && !Utils::isIpv4Address(m_currentServerId) && !isCountryCode(m_currentServerId)
        && !isHostName(m_currentServerId))
        m_currentServerId.clear();

    if (m_networkProtocol == VpnProtocol::WireGuard && !m_wireGuardSupported)
        m_networkProtocol = VpnProtocol::OpenVpnUdp;
    if (m_networkProtocol < VpnProtocol::OpenVpnUdp || m_networkProtocol > VpnProtocol::WireGuard) {
        Log::warning(this, QStringLiteral("Unknown network protocol %1, using the default").arg(m_networkProtocol));
        m_networkProtocol = defaultNetworkProtocol();
    }
    if (m_startMinimized < 0 || m_startMinimized > 2)
        m_startMinimized = 0;
    if (m_mtuSize < 0)
        m_mtuSize = 0;

    const int loadedTcp = tcpIndex >= 0 && tcpIndex < tcpPorts().size() ? tcpIndex : 0;
    if (loadedTcp != m_tcpPortIndex) {
        m_tcpPortIndex = loadedTcp;
        emit tcpPortIndexChanged(m_tcpPortIndex != 0);
    }
    const int loadedUdp = udpIndex >= 0 && udpIndex < udpPorts().size() ? udpIndex : 0;
    if (loadedUdp != m_udpPortIndex) {
        m_udpPortIndex = loadedUdp;
        emit udpPortIndexChanged(m_udpPortIndex != 0);
    }

    if (!languageCodes().contains(m_language))
        m_language.clear();
}

bool Settings::readBool(const QString &key, bool fallback)
{
    const QVariant value = m_store.value(key);
    if (!value.isValid())
        return fallback;
    if (value.type() == QVariant::Bool)
        return value.toBool();
    // The text forms a store may hold; anything else is not a switch of ours.
    const QString text = value.toString().trimmed().toLower();
    if (text == QLatin1String("true") || text == QLatin1String("1"))
        return true;
    if (text == QLatin1String("false") || text == QLatin1String("0"))
        return false;
    Log::warning(this, QStringLiteral("Stored value of '%1' is not a switch, reading it as off").arg(key));
    return false;
}

int Settings::readInt(const QString &key, int fallback)
{
    const QVariant value = m_store.value(key);
    if (!value.isValid())
        return fallback;
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    if (!ok) {
        Log::warning(this, QStringLiteral("Stored value of '%1' is not a number, reading it as 0").arg(key));
        return 0;
    }
    return number;
}

QString Settings::readString(const QString &key, const QString &fallback)
{
    const QVariant value = m_store.value(key);
    if (!value.isValid())
        return fallback;
    if (!value.canConvert<QString>() || value.type() == QVariant::StringList) {
        Log::warning(this, QStringLiteral("Stored value of '%1' is not a text, reading it as empty").arg(key));
        return QString();
    }
    return value.toString();
}

QString Settings::readSecret(const QString &key, const QString &fallback)
{
    const QVariant value = m_store.value(key);
    if (!value.isValid())
        return fallback;
    const QString stored = readString(key, QString());
    const QString plain = m_cipher.decryptToString(stored);
    if (m_cipher.lastError() != SecretCipher::ErrorNoError) {
        // Never the value itself: the log ends up in support tickets.
        Log::warning(this, QStringLiteral("Cannot decipher the stored '%1', reading it as empty").arg(key));
        return QString();
    }
    // Only a tampered store holds them: the setters never store one.
    if (Utils::containsControlCharacter(plain)) {
        Log::warning(this, QStringLiteral("The stored '%1' holds control characters, reading it as empty").arg(key));
        return QString();
    }
    return plain;
}

int Settings::defaultNetworkProtocol() const
{
    return m_wireGuardSupported ? VpnProtocol::WireGuard : VpnProtocol::OpenVpnUdp;
}

QStringList Settings::allowedTcpPortsList() const
{
    return portTexts(tcpPorts());
}

QStringList Settings::allowedUdpPortsList() const
{
    return portTexts(udpPorts());
}

bool Settings::launchAppOnStartup() const
{
    return isAutoStartEnabled();
}

int Settings::languageIndex() const
{
    return qMax(0, languageCodes().indexOf(m_language));
}

void Settings::setLanguage(const QString &language)
{
    if (language == m_language)
        return;
    m_language = language;
    emit languageChanged(m_language);
}

bool Settings::acceptCredential(const QString &key, const QString &value)
{
    // A line break inside a credential would end its line on the engine's management channel
    // and start a command of the sender's choosing. A trailing one (a paste) is only trimmed.
    if (!Utils::containsControlCharacter(value.trimmed()))
        return true;
    Log::warning(this, QStringLiteral("Refused a '%1' with control characters, keeping the previous one").arg(key));
    emit credentialsRefused(tr("The user name and the password cannot contain line breaks or other control "
                               "characters."));
    return false;
}

void Settings::setPassword(const QString &password)
{
    if (!acceptCredential(QStringLiteral("password"), password))
        return;
    const QString value = password.simplified();
    if (value == m_password)
        return;
    m_password = value;
    emit passwordChanged(m_password);
}

void Settings::setUserName(const QString &userName)
{
    if (!acceptCredential(QStringLiteral("userName"), userName))
        return;
    const QString value = userName.simplified();
    if (value == m_userName)
        return;
    m_userName = value;
    emit userNameChanged(m_userName);
}

void Settings::setAllowAccessToLocalDevices(bool allow)
{
    if (allow == m_allowAccessToLocalDevices)
        return;
    m_allowAccessToLocalDevices = allow;
    emit allowAccessToLocalDevicesChanged(allow);
}

void Settings::setAutoReconnectionOnError(bool reconnect)
{
    if (reconnect == m_autoReconnectionOnError)
        return;
    m_autoReconnectionOnError = reconnect;
    emit autoReconnectionOnErrorChanged(reconnect);
}

void Settings::setAutoUpdateEnabled(bool enabled)
{
    if (enabled == m_autoUpdateEnabled)
        return;
    m_autoUpdateEnabled = enabled;
    emit autoUpdateEnabledChanged(enabled);
}

void Settings::setConnectToLastLocation(bool connect)
{
    if (connect == m_connectToLastLocation)
        return;
    m_connectToLastLocation = connect;
    emit connectToLastLocationChanged(connect);
}

void Settings::setIpv6Enabled(bool enabled)
{
    if (enabled == m_ipv6Enabled)
        return;
    m_ipv6Enabled = enabled;
    emit ipv6EnabledChanged(enabled);
}

void Settings::setKillswitchEnabled(bool enabled)
{
    if (enabled == m_killswitchEnabled)
        return;
    m_killswitchEnabled = enabled;
    emit killswitchEnabledChanged(enabled);
}

void Settings::setLaunchAppOnStartup(bool launch)
{
    if (launch == isAutoStartEnabled())
        return;
    const bool now = setAutoStart(launch);
    if (now == launch)
        emit launchAppOnStartupChanged(now);
}

void Settings::setShowNotifications(bool show)
{
    if (show == m_showNotifications)
        return;
    m_showNotifications = show;
    emit showNotificationsChanged(show);
}

void Settings::setLanguageIndex(int index)
{
    if (index < 0 || index >= languageCodes().size() || index == languageIndex())
        return;
    const bool changed = languageCodes().at(index) != m_language;
    setLanguage(languageCodes().at(index));
    if (changed)
        emit languageIndexChanged(index);
}

void Settings::setMtuSize(int size)
{
    if (size == m_mtuSize)
        return;
    // An adapter without an interface yet (the Linux TUN/TAP driver, index 0) has no MTU to set.
    for (const NetworkAdapter &adapter : qAsConst(m_networkAdapters)) {
        if (adapter.index > 0)
            Utils::setInterfaceMtu(adapter.index, size);
    }
    m_mtuSize = size;
    emit mtuSizeChanged(size);
}

void Settings::setNetworkProtocol(int protocol)
{
    if (protocol == m_networkProtocol)
        return;
    m_networkProtocol = protocol;
    emit networkProtocolChanged(protocol);
}

void Settings::setStartMinimized(int mode)
{
    if (mode == m_startMinimized)
        return;
    m_startMinimized = mode;
    emit startMinimizedChanged(mode);
}

void Settings::setTcpPortIndex(int index)
{
    const int value = index >= 0 && index < tcpPorts().size() ? index : 0;
    if (value == m_tcpPortIndex)
        return;
    m_tcpPortIndex = value;
    emit tcpPortIndexChanged(value != 0);
}

void Settings::setUdpPortIndex(int index)
{
    const int value = index >= 0 && index < udpPorts().size() ? index : 0;
    if (value == m_udpPortIndex)
        return;
    m_udpPortIndex = value;
    emit udpPortIndexChanged(value != 0);
}

void Settings::setRadizidiviLastOpenedUrl(const QUrl &fileUrl)
{
    const QUrl folder = QUrl::fromLocalFile(QFileInfo(fileUrl.toLocalFile()).absolutePath());
    if (folder == m_radizidiviLastOpenedUrl)
        return;
    m_radizidiviLastOpenedUrl = folder;
    emit radizidiviLastOpenedUrlChanged(folder);
}

bool Settings::vaildCredentials() const
{
    return !m_userName.simplified().isEmpty() && !m_password.simplified().isEmpty();
}

QString Settings::osName() const
{
    return Platform::osName();
}

QString Settings::titleName() const
{
    return Product::name();
}

void Settings::saveCurrentServerId(const QString &id)
{
    if (id != m_currentServerId)
        m_currentServerId = id;
    saveGeneralSettings();
}

void Settings::saveGeneralSettings()
{
    m_store.beginGroup(generalGroup);
    m_store.setValue(QStringLiteral("allowAccessToLocalDevices"), m_allowAccessToLocalDevices);
    m_store.setValue(QStringLiteral("autoReconnectToVpn"), m_autoReconnectionOnError);
    m_store.setValue(QStringLiteral("autoUpdateEnabled"), m_autoUpdateEnabled);
    m_store.setValue(QStringLiteral("connectToLastLocation"), m_connectToLastLocation);
    m_store.setValue(QStringLiteral("currentServerId"), m_currentServerId);
    m_store.setValue(QStringLiteral("ipv6Enabled"), m_ipv6Enabled);
    m_store.setValue(QStringLiteral("killswitchEnabled"), m_killswitchEnabled);
    m_store.setValue(QStringLiteral("language"), m_language);
    m_store.setValue(QStringLiteral("mtuSize"), m_mtuSize);
    m_store.setValue(QStringLiteral("networkProtocol"), m_networkProtocol);
    m_store.setValue(QStringLiteral("password"), m_cipher.encryptToString(m_password));
    m_store.setValue(QStringLiteral("showNotifications"), m_showNotifications);
    m_store.setValue(QStringLiteral("startMinimized"), m_startMinimized);
    m_store.setValue(QStringLiteral("tcpPortIndex"), m_tcpPortIndex);
    m_store.setValue(QStringLiteral("udpPortIndex"), m_udpPortIndex);
    m_store.setValue(QStringLiteral("userName"), m_cipher.encryptToString(m_userName));
    m_store.endGroup();
    m_store.sync();
}

void Settings::saveRadizidiviSettings()
{
    m_store.beginGroup(radizidiviGroup);
    m_store.setValue(QStringLiteral("radizidiviLastOpenedUrl"), m_radizidiviLastOpenedUrl);
    m_store.endGroup();
    m_store.sync();
}

quint16 Settings::port() const
{
    switch (m_networkProtocol) {
    case VpnProtocol::OpenVpnUdp: return udpPorts().value(m_udpPortIndex, udpPorts().first());
    case VpnProtocol::OpenVpnTcp: return tcpPorts().value(m_tcpPortIndex, tcpPorts().first());
    case VpnProtocol::Stealth: return stealthPort;
    case VpnProtocol::WireGuard: return wireGuardPort;
    default: return 0;
    }
}

QString Settings::portText() const
{
    const quint16 value = port();
    return value == 0 ? QStringLiteral("auto") : QString::number(value);
}

QList<quint16> Settings::candidateTcpPorts() const
{
    QList<quint16> ports = tcpPorts();
    ports.removeAll(0);
    return ports;
}

void Settings::setFavorite(const QString &reference, bool set)
{
    if (set) {
        m_favorites << reference;
        m_favorites.removeDuplicates();
    } else {
        m_favorites.removeAll(reference);
    }
    m_store.beginGroup(generalGroup);
    m_store.setValue(QStringLiteral("favorites"), m_favorites);
    m_store.endGroup();
    m_store.sync();
}

Servers Settings::loadRecentServers(const Servers &servers)
{
    m_store.sync();
    m_store.beginGroup(generalGroup);
    const QStringList references = m_store.value(QStringLiteral("recentServers")).toStringList();
    m_store.endGroup();

    // A server's reference is its host name, found through the first server of its address
    // (its address when that one has none). Worked out once: the list may be long.
    QHash<QString, QString> firstNameOfIp;
    for (const Server &server : servers) {
        if (!firstNameOfIp.contains(server.ip))
            firstNameOfIp.insert(server.ip, server.isValid() ? server.name : server.ip);
    }
    QHash<QString, int> firstOfReference;
    for (int i = 0; i < servers.size(); ++i) {
        const QString &ip = servers.at(i).ip;
        const QString reference = Utils::isIpv4Address(ip) ? firstNameOfIp.value(ip) : ip;
        if (!firstOfReference.contains(reference))
            firstOfReference.insert(reference, i);
    }

    Servers recent;
    for (const QString &reference : references) {
        const auto found = firstOfReference.constFind(reference);
        if (found != firstOfReference.cend())
            recent << servers.at(found.value());
    }
    return recent;
}

void Settings::saveRecentServers(const Servers &servers)
{
    QStringList references;
    for (const Server &server : servers)
        references << nameForIp(servers, server.ip);
    references.removeDuplicates();
    while (references.size() >= 4)
        references.removeFirst();

    m_store.beginGroup(generalGroup);
    m_store.setValue(QStringLiteral("recentServers"), references);
    m_store.endGroup();
    m_store.sync();
    qInfo().noquote() << objectName() + QStringLiteral(": Save recent servers: ") + references.join(QLatin1Char(','));
}
