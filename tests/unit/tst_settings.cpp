#include "autostart.h"
#include "buildconfig.h"
#include "messagerecorder.h"
#include "platform/autostart.h"
#include "secretcipher.h"
#include "settings.h"
#include "status.h"
#include "testsupport.h"
#include "utils.h"

#include <QCoreApplication>
#include <QProcess>
#include <QSignalSpy>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>

// Every test works on a configuration folder of its own: nothing reaches the user's settings.
class TestSettings : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void defaults();
    void roundTrip();
    void credentialsAreEnciphered();
    void loadFallbacks_data();
    void loadFallbacks();
    void credentialsWithControlCharacters_data();
    void credentialsWithControlCharacters();
    void loadedPortIndexSignals();
    void setterSignals();
    void languageIndex();
    void ports_data();
    void ports();
    void favorites();
    void recentServers();
    void mtuGoesToEveryAdapter();
    void themeEditorFolder();
    void currentServerId();

    void statusWritesOnlyChanges();
    void statusSurvivesAndClears();

    void autoStart();
    void autoStartEntryForms_data();
    void autoStartEntryForms();
    void launchAppOnStartupProperty();

private:
    QString storePath() const;
    void storeRaw(const QString &key, const QVariant &value);

    QTemporaryDir m_home;
};

namespace {

const Settings::WireGuardSupport withoutWireGuard = [] { return false; };
const Settings::WireGuardSupport withWireGuard = [] { return true; };

Server server(const QString &name, const QString &ip)
{
    Server s;
    s.name = name;
    s.ip = ip;
    s.id = ip;
    s.country = QStringLiteral("nl");
    s.city = name;
    return s;
}

} // namespace

void TestSettings::initTestCase()
{
    QVERIFY(m_home.isValid());
    // Before any settings object: the store's location is fixed at the first one.
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("HOME", m_home.path().toLocal8Bit());
    QVERIFY(Settings(withoutWireGuard).fileName().startsWith(m_home.path()));
}

void TestSettings::init()
{
    QFile::remove(storePath());
    QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"), QStringLiteral("Status")).clear();
    Platform::removeAutoStartEntry(QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName());
}

QString TestSettings::storePath() const
{
    return m_home.filePath(QStringLiteral("config/VPN/VPNClient.conf"));
}

void TestSettings::storeRaw(const QString &key, const QVariant &value)
{
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"), QStringLiteral("VPNClient"));
    store.setValue(key, value);
    store.sync();
}

void TestSettings::defaults()
{
    Settings settings(withoutWireGuard);
    QCOMPARE(settings.fileName(), storePath());
    QVERIFY(settings.isWritable());
    QCOMPARE(settings.allowAccessToLocalDevices(), true);
    QCOMPARE(settings.autoReconnectionOnError(), true);
    QCOMPARE(settings.autoUpdateEnabled(), true);
    QCOMPARE(settings.connectToLastLocation(), false);
    QCOMPARE(settings.ipv6Enabled(), false);
    QCOMPARE(settings.killswitchEnabled(), true);
    QCOMPARE(settings.showNotifications(), true);
    QCOMPARE(settings.language(), QString());
    QCOMPARE(settings.languageIndex(), 0);
    QCOMPARE(settings.mtuSize(), 0);
    QCOMPARE(settings.defaultMtuSize(), 1500);
    QCOMPARE(settings.networkProtocol(), 0);
    QCOMPARE(settings.startMinimized(), 0);
    QCOMPARE(settings.tcpPortIndex(), 0);
    QCOMPARE(settings.udpPortIndex(), 0);
    QCOMPARE(settings.currentServerId(), QString());
    QCOMPARE(settings.favorites(), QStringList());
    QVERIFY(!settings.vaildCredentials());
    QCOMPARE(settings.radizidiviLastOpenedUrl(),
             QUrl::fromLocalFile(QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)));
    QCOMPARE(settings.osName(), QStringLiteral("Linux"));
    QCOMPARE(settings.titleName(), QStringLiteral("Velmorix"));
    QCOMPARE(settings.allowedTcpPortsList(),
             (QStringList{"0", "20", "21", "23", "25", "110", "143", "1194", "1239", "1289", "3389", "8080"}));
    QCOMPARE(settings.allowedUdpPortsList(), (QStringList{"88", "123", "443", "1194", "1289"}));
    QCOMPARE(settings.languageList().size(), 12);
    QCOMPARE(settings.languageList().at(3), QStringLiteral("Español"));

    QCOMPARE(Settings(withWireGuard).networkProtocol(), 3);
}

void TestSettings::roundTrip()
{
    {
        Settings settings(withWireGuard);
        settings.setAllowAccessToLocalDevices(false);
        settings.setAutoReconnectionOnError(false);
        settings.setAutoUpdateEnabled(false);
        settings.setConnectToLastLocation(true);
        settings.setIpv6Enabled(true);
        settings.setKillswitchEnabled(false);
        settings.setShowNotifications(false);
        settings.setLanguage(QStringLiteral("nl"));
        settings.setMtuSize(1400);
        settings.setNetworkProtocol(3);
        settings.setStartMinimized(2);
        settings.setTcpPortIndex(7);
        settings.setUdpPortIndex(4);
        settings.setUserName(QStringLiteral("ann"));
        settings.setPassword(QStringLiteral("pässwörd"));
        settings.saveCurrentServerId(QStringLiteral("nl1.example.net"));
    }
    Settings loaded(withWireGuard);
    QCOMPARE(loaded.allowAccessToLocalDevices(), false);
    QCOMPARE(loaded.autoReconnectionOnError(), false);
    QCOMPARE(loaded.autoUpdateEnabled(), false);
    QCOMPARE(loaded.connectToLastLocation(), true);
    QCOMPARE(loaded.ipv6Enabled(), true);
    QCOMPARE(loaded.killswitchEnabled(), false);
    QCOMPARE(loaded.showNotifications(), false);
    QCOMPARE(loaded.language(), QStringLiteral("nl"));
    QCOMPARE(loaded.mtuSize(), 1400);
    QCOMPARE(loaded.networkProtocol(), 3);
    QCOMPARE(loaded.startMinimized(), 2);
    QCOMPARE(loaded.tcpPortIndex(), 7);
    QCOMPARE(loaded.udpPortIndex(), 4);
    QCOMPARE(loaded.userName(), QStringLiteral("ann"));
    QCOMPARE(loaded.password(), QStringLiteral("pässwörd"));
    QCOMPARE(loaded.currentServerId(), QStringLiteral("nl1.example.net"));
    QVERIFY(loaded.vaildCredentials());

    // The key names of the store, which other versions of the program read.
    QSettings raw(storePath(), QSettings::IniFormat);
    QCOMPARE(raw.value(QStringLiteral("Settings/autoReconnectToVpn")).toBool(), false);
    QCOMPARE(raw.value(QStringLiteral("Settings/networkProtocol")).toInt(), 3);
}

void TestSettings::credentialsAreEnciphered()
{
    {
        Settings settings(withoutWireGuard);
        settings.setUserName(QStringLiteral("  ann   lee "));
        settings.setPassword(QStringLiteral("secret"));
        QCOMPARE(settings.userName(), QStringLiteral("ann lee"));
        settings.saveGeneralSettings();
    }
    QSettings raw(storePath(), QSettings::IniFormat);
    const QString storedPassword = raw.value(QStringLiteral("Settings/password")).toString();
    QVERIFY(!storedPassword.isEmpty());
    QVERIFY(!storedPassword.contains(QLatin1String("secret")));
    SecretCipher cipher(BuildConfig::settingsCipherKey);
    QCOMPARE(cipher.decryptToString(storedPassword), QStringLiteral("secret"));
    QCOMPARE(cipher.decryptToString(raw.value(QStringLiteral("Settings/userName")).toString()),
             QStringLiteral("ann lee"));
}

void TestSettings::loadFallbacks_data()
{
    QTest::addColumn<QString>("key");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<bool>("wireGuard");
    QTest::addColumn<QString>("property");
    QTest::addColumn<QVariant>("loaded");
    QTest::addColumn<bool>("warns");

    QTest::newRow("WireGuard without support")
        << "networkProtocol" << QVariant(3) << false << "networkProtocol" << QVariant(0) << false;
    QTest::newRow("WireGuard with support")
        << "networkProtocol" << QVariant(3) << true << "networkProtocol" << QVariant(3) << false;
    QTest::newRow("protocol not a number")
        << "networkProtocol" << QVariant("tcp") << true << "networkProtocol" << QVariant(0) << true;
    QTest::newRow("unknown protocol") << "networkProtocol" << QVariant(9) << true << "networkProtocol" << QVariant(3)
                                      << true;
    QTest::newRow("tcp index 40") << "tcpPortIndex" << QVariant(40) << false << "tcpPortIndex" << QVariant(0) << false;
    QTest::newRow("tcp index 5") << "tcpPortIndex" << QVariant(5) << false << "tcpPortIndex" << QVariant(5) << false;
    QTest::newRow("udp index negative") << "udpPortIndex" << QVariant(-1) << false << "udpPortIndex" << QVariant(0)
                                        << false;
    QTest::newRow("language not in the table")
        << "language" << QVariant("de") << false << "language" << QVariant(QString()) << false;
    QTest::newRow("language in the table")
        << "language" << QVariant("es") << false << "language" << QVariant("es") << false;
    QTest::newRow("language a list") << "language" << QVariant(QStringList{"es", "nl"}) << false << "language"
                                     << QVariant(QString()) << true;
    QTest::newRow("location uuid") << "currentServerId" << QVariant("{6f1c2a9d-7e3b-4806-9a5c-0b1d2e3f4a5b}") << false
                                   << "currentServerId" << QVariant(QString()) << false;
    QTest::newRow("location country") << "currentServerId" << QVariant("nl") << false << "currentServerId"
                                      << QVariant("nl") << false;
    QTest::newRow("location address") << "currentServerId" << QVariant("10.0.0.1") << false << "currentServerId"
                                      << QVariant("10.0.0.1") << false;
    QTest::newRow("location host") << "currentServerId" << QVariant("nl1.example.net") << false << "currentServerId"
                                   << QVariant("nl1.example.net") << false;
    QTest::newRow("location nonsense") << "currentServerId" << QVariant("not a server!") << false << "currentServerId"
                                       << QVariant(QString()) << false;
    QTest::newRow("password not a cipher text")
        << "password" << QVariant("hunter2") << false << "password" << QVariant(QString()) << true;
    QTest::newRow("user name damaged") << "userName" << QVariant("AwK7") << false << "userName" << QVariant(QString())
                                       << true;
    // Only a tampered store holds them; read as they are they would reach the engine.
    SecretCipher cipher(BuildConfig::settingsCipherKey);
    QTest::newRow("user name with a line break")
        << "userName" << QVariant(cipher.encryptToString(QStringLiteral("ann\nsignal SIGHUP"))) << false << "userName"
        << QVariant(QString()) << true;
    QTest::newRow("password with an escape")
        << "password" << QVariant(cipher.encryptToString(QStringLiteral("pw\x1b[2J"))) << false << "password"
        << QVariant(QString()) << true;
    QTest::newRow("mtu not a number") << "mtuSize" << QVariant("big") << false << "mtuSize" << QVariant(0) << true;
    QTest::newRow("mtu negative") << "mtuSize" << QVariant(-20) << false << "mtuSize" << QVariant(0) << false;
    QTest::newRow("switch as text") << "killswitchEnabled" << QVariant("false") << false << "killswitchEnabled"
                                    << QVariant(false) << false;
    QTest::newRow("switch nonsense") << "killswitchEnabled" << QVariant("maybe") << false << "killswitchEnabled"
                                     << QVariant(false) << true;
    QTest::newRow("start mode out of range")
        << "startMinimized" << QVariant(7) << false << "startMinimized" << QVariant(0) << false;
}

void TestSettings::loadFallbacks()
{
    QFETCH(QString, key);
    QFETCH(QVariant, stored);
    QFETCH(bool, wireGuard);
    QFETCH(QString, property);
    QFETCH(QVariant, loaded);
    QFETCH(bool, warns);

    storeRaw(QStringLiteral("Settings/") + key, stored);
    MessageRecorder recorder;
    Settings settings(wireGuard ? withWireGuard : withoutWireGuard);
    // The location is no property of the scene's; the controller reads it.
    const QVariant value = property == QLatin1String("currentServerId") ? QVariant(settings.currentServerId())
                                                                        : settings.property(qPrintable(property));
    QCOMPARE(value, loaded);
    QCOMPARE(!recorder.warnings().isEmpty(), warns);
    for (const QString &warning : recorder.warnings())
        QVERIFY2(!warning.contains(stored.toString()) || key != QLatin1String("password"), "secret in the log");
}

void TestSettings::credentialsWithControlCharacters_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept"); // empty: refused, the previous value stays

    QTest::newRow("line break inside") << "ann\nsignal SIGHUP"
                                       << "";
    QTest::newRow("carriage return inside") << "ann\rsignal SIGHUP"
                                            << "";
    QTest::newRow("NUL") << QString::fromUtf8("ann\0x", 5) << "";
    QTest::newRow("escape sequence") << "\x1b[2Jann"
                                     << "";
    QTest::newRow("C1 next line") << QStringLiteral("ann\u0085x") << "";
    QTest::newRow("tab inside") << "an\tn"
                                << "";
    QTest::newRow("a paste's trailing line break") << "ann\n"
                                                   << "ann";
    QTest::newRow("letters beyond ASCII") << QStringLiteral("pässwörd") << QStringLiteral("pässwörd");
}

void TestSettings::credentialsWithControlCharacters()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);
    Settings settings(withoutWireGuard);
    settings.setUserName(QStringLiteral("previous"));
    settings.setPassword(QStringLiteral("previous"));
    QSignalSpy refused(&settings, SIGNAL(credentialsRefused(QString)));
    MessageRecorder recorder;
    settings.setUserName(typed);
    settings.setPassword(typed);
    const QString expected = kept.isEmpty() ? QStringLiteral("previous") : kept;
    QCOMPARE(settings.userName(), expected);
    QCOMPARE(settings.password(), expected);
    QCOMPARE(refused.count(), kept.isEmpty() ? 2 : 0);
    for (const QString &warning : recorder.warnings())
        QVERIFY2(!warning.contains(typed), "a credential in the log");
}

void TestSettings::loadedPortIndexSignals()
{
    Settings settings(withoutWireGuard);
    QSignalSpy tcpChanged(&settings, &Settings::tcpPortIndexChanged);

    storeRaw(QStringLiteral("Settings/tcpPortIndex"), 40);
    settings.load();
    QCOMPARE(settings.tcpPortIndex(), 0);
    QCOMPARE(tcpChanged.count(), 0);

    storeRaw(QStringLiteral("Settings/tcpPortIndex"), 5);
    settings.load();
    QCOMPARE(settings.tcpPortIndex(), 5);
    QCOMPARE(tcpChanged.count(), 1);
    QCOMPARE(tcpChanged.takeFirst().at(0).toBool(), true);

    storeRaw(QStringLiteral("Settings/tcpPortIndex"), 0);
    settings.load();
    QCOMPARE(tcpChanged.count(), 1);
    QCOMPARE(tcpChanged.takeFirst().at(0).toBool(), false);
}

void TestSettings::setterSignals()
{
    Settings settings(withoutWireGuard);
    QSignalSpy killswitch(&settings, &Settings::killswitchEnabledChanged);
    settings.setKillswitchEnabled(true); // already
    QCOMPARE(killswitch.count(), 0);
    settings.setKillswitchEnabled(false);
    QCOMPARE(killswitch.count(), 1);

    QSignalSpy password(&settings, &Settings::passwordChanged);
    settings.setPassword(QStringLiteral(" a  b "));
    settings.setPassword(QStringLiteral("a b"));
    QCOMPARE(password.count(), 1);
    QCOMPARE(settings.password(), QStringLiteral("a b"));

    QSignalSpy tcp(&settings, &Settings::tcpPortIndexChanged);
    settings.setTcpPortIndex(3);
    settings.setTcpPortIndex(99); // out of the list: automatic
    QCOMPARE(settings.tcpPortIndex(), 0);
    QCOMPARE(tcp.count(), 2);
    QCOMPARE(tcp.at(0).at(0).toBool(), true);
    QCOMPARE(tcp.at(1).at(0).toBool(), false);

    settings.setUserName(QStringLiteral("   "));
    settings.setPassword(QStringLiteral("x"));
    QVERIFY(!settings.vaildCredentials());

    // Nothing reached the store.
    QVERIFY(!QFileInfo::exists(storePath())
            || !QSettings(storePath(), QSettings::IniFormat).contains("Settings/killswitchEnabled"));
}

void TestSettings::languageIndex()
{
    Settings settings(withoutWireGuard);
    QSignalSpy language(&settings, &Settings::languageChanged);
    QSignalSpy index(&settings, &Settings::languageIndexChanged);
    settings.setLanguageIndex(3);
    QCOMPARE(settings.language(), QStringLiteral("es"));
    QCOMPARE(settings.languageIndex(), 3);
    QCOMPARE(language.count(), 1);
    QCOMPARE(language.at(0).at(0).toString(), QStringLiteral("es"));
    QCOMPARE(index.count(), 1);
    settings.setLanguageIndex(12);
    settings.setLanguageIndex(-1);
    QCOMPARE(settings.language(), QStringLiteral("es"));
    QCOMPARE(language.count(), 1);
}

void TestSettings::ports_data()
{
    QTest::addColumn<int>("protocol");
    QTest::addColumn<int>("tcpIndex");
    QTest::addColumn<int>("udpIndex");
    QTest::addColumn<int>("port");
    QTest::addColumn<QString>("text");

    QTest::newRow("udp first") << 0 << 0 << 0 << 88 << "88";
    QTest::newRow("udp 1194") << 0 << 5 << 3 << 1194 << "1194";
    QTest::newRow("tcp auto") << 1 << 0 << 2 << 0 << "auto";
    QTest::newRow("tcp 8080") << 1 << 11 << 0 << 8080 << "8080";
    QTest::newRow("stealth") << 2 << 4 << 4 << 443 << "443";
    QTest::newRow("wireguard") << 3 << 4 << 4 << 55888 << "55888";
    QTest::newRow("unknown protocol") << 7 << 4 << 4 << 0 << "auto";
}

void TestSettings::ports()
{
    QFETCH(int, protocol);
    QFETCH(int, tcpIndex);
    QFETCH(int, udpIndex);
    QFETCH(int, port);
    QFETCH(QString, text);

    Settings settings(withWireGuard);
    settings.setNetworkProtocol(protocol);
    settings.setTcpPortIndex(tcpIndex);
    settings.setUdpPortIndex(udpIndex);
    QCOMPARE(int(settings.port()), port);
    QCOMPARE(settings.isAutoPort(), port == 0);
    QCOMPARE(settings.portText(), text);
    QCOMPARE(settings.candidateTcpPorts(), (QList<quint16>{20, 21, 23, 25, 110, 143, 1194, 1239, 1289, 3389, 8080}));
}

void TestSettings::favorites()
{
    {
        Settings settings(withoutWireGuard);
        settings.setFavorite(QStringLiteral("nl"), true);
        settings.setFavorite(QStringLiteral("10.0.0.1"), true);
        settings.setFavorite(QStringLiteral("nl"), true);
        QCOMPARE(settings.favorites(), (QStringList{"nl", "10.0.0.1"}));
    }
    Settings loaded(withoutWireGuard);
    QCOMPARE(loaded.favorites(), (QStringList{"nl", "10.0.0.1"}));
    loaded.setFavorite(QStringLiteral("nl"), false);
    loaded.setFavorite(QStringLiteral("de"), false);
    QCOMPARE(Settings(withoutWireGuard).favorites(), QStringList{"10.0.0.1"});
}

void TestSettings::recentServers()
{
    Settings settings(withoutWireGuard);
    const Servers five = {server("a.example.net", "10.0.0.1"),
                          server("b.example.net", "10.0.0.2"),
                          server("c.example.net", "10.0.0.3"),
                          server("d.example.net", "10.0.0.4"),
                          server("e.example.net", "10.0.0.5")};
    {
        MessageRecorder recorder;
        settings.saveRecentServers(five);
        QCOMPARE(recorder.texts(QtInfoMsg),
                 QStringList{"Settings: Save recent servers: c.example.net,d.example.net,e.example.net"});
    }
    const Servers catalogue = five + Servers{server("f.example.net", "10.0.0.6")};
    QCOMPARE(serverIps(settings.loadRecentServers(catalogue)), (QStringList{"10.0.0.3", "10.0.0.4", "10.0.0.5"}));

    // One server saved twice is kept once.
    MessageRecorder recorder;
    settings.saveRecentServers({five.at(1), five.at(1)});
    QCOMPARE(serverIps(settings.loadRecentServers(catalogue)), QStringList{"10.0.0.2"});

    // A reference that the catalogue no longer holds is dropped; the order is the stored one.
    settings.saveRecentServers({five.at(4), five.at(0), server("gone.example.net", "10.9.9.9")});
    QCOMPARE(serverIps(settings.loadRecentServers(catalogue)), (QStringList{"10.0.0.5", "10.0.0.1"}));
    QCOMPARE(settings.loadRecentServers({}), Servers());
}

void TestSettings::mtuGoesToEveryAdapter()
{
    // Indexes that name no interface: the call is seen in its warning, and no real link changes.
    Settings settings(withoutWireGuard);
    settings.setNetworkAdapters(
        {{QStringLiteral("TAP-Windows Adapter V9"), 999991}, {QStringLiteral("TAP-Windows Adapter V9 #2"), 999992}});
    QSignalSpy changed(&settings, &Settings::mtuSizeChanged);
    MessageRecorder recorder;
    settings.setMtuSize(1400);
    QCOMPARE(recorder.warnings(),
             (QStringList{"Utils: No network interface with index 999991",
                          "Utils: No network interface with index 999992"}));
    QCOMPARE(changed.count(), 1);
    settings.setMtuSize(1400);
    QCOMPARE(recorder.warnings().size(), 2);
    QCOMPARE(changed.count(), 1);
}

void TestSettings::themeEditorFolder()
{
    {
        Settings settings(withoutWireGuard);
        QSignalSpy changed(&settings, &Settings::radizidiviLastOpenedUrlChanged);
        settings.setRadizidiviLastOpenedUrl(QUrl::fromLocalFile(QStringLiteral("/tmp/themes/dark/branding.ini")));
        QCOMPARE(settings.radizidiviLastOpenedUrl(), QUrl::fromLocalFile(QStringLiteral("/tmp/themes/dark")));
        QCOMPARE(changed.count(), 1);
        settings.saveRadizidiviSettings();
    }
    QCOMPARE(Settings(withoutWireGuard).radizidiviLastOpenedUrl(),
             QUrl::fromLocalFile(QStringLiteral("/tmp/themes/dark")));
}

void TestSettings::currentServerId()
{
    Settings(withoutWireGuard).saveCurrentServerId(QStringLiteral("de"));
    QCOMPARE(Settings(withoutWireGuard).currentServerId(), QStringLiteral("de"));
}

void TestSettings::statusWritesOnlyChanges()
{
    Status status;
    QCOMPARE(status.objectName(), QStringLiteral("Status"));
    status.setDnsActivated(true);
    // Another writer turns the value back behind the record's back; an unchanged set must
    // then leave the store alone.
    QSettings store(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("VPN"), QStringLiteral("Status"));
    QCOMPARE(store.value(QStringLiteral("Protection/dnsActivated")).toBool(), true);
    QCOMPARE(store.value(QStringLiteral("Protection/killswitchActivated")).toBool(), false);
    store.setValue(QStringLiteral("Protection/dnsActivated"), false);
    store.sync();
    status.setDnsActivated(true);
    QCOMPARE(Status().dnsActivated(), false);
}

void TestSettings::statusSurvivesAndClears()
{
    {
        Status status;
        status.setKillswitchActivated(true);
        status.setDnsActivated(true);
    } // as if the process had been killed here
    Status next;
    QVERIFY(next.killswitchActivated());
    QVERIFY(next.dnsActivated());

    next.clear();
    QVERIFY(!Status().killswitchActivated());
    QVERIFY(!Status().dnsActivated());

    // After clearing, engaging again must reach the disk.
    next.setKillswitchActivated(true);
    QVERIFY(Status().killswitchActivated());
}

void TestSettings::autoStart()
{
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString entry = m_home.filePath(QStringLiteral("config/autostart/%1.desktop").arg(name));

    MessageRecorder recorder;
    QVERIFY(!isAutoStartEnabled());
    QCOMPARE(setAutoStart(false), false);
    QCOMPARE(setAutoStart(true), true);
    QVERIFY(isAutoStartEnabled());
    QCOMPARE(recorder.texts(QtInfoMsg),
             (QStringList{"AutoStart: Set enabled: 'false', status 'true'",
                          "AutoStart: Set enabled: 'true', status 'true'"}));

    QFile file(entry);
    QVERIFY(file.open(QIODevice::ReadOnly));
    const QString text = QString::fromUtf8(file.readAll());
    file.close();
    QVERIFY2(text.contains(QStringLiteral("\nExec=\"%1\"\n").arg(QCoreApplication::applicationFilePath())),
             qPrintable(text));
    // A desktop skips the entry once the program is gone, rather than failing at every login.
    QVERIFY2(text.contains(QStringLiteral("\nTryExec=%1\n").arg(QCoreApplication::applicationFilePath())),
             qPrintable(text));
    QVERIFY(text.startsWith(QLatin1String("[Desktop Entry]\n")));

    QCOMPARE(setAutoStart(false), false);
    QVERIFY(!QFileInfo::exists(entry));
    QVERIFY(!isAutoStartEnabled());

    // An entry whose path lacks the quotes is not ours.
    Platform::writeAutoStartEntry(name, QCoreApplication::applicationFilePath());
    QVERIFY(!isAutoStartEnabled());
}

void TestSettings::autoStartEntryForms_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("exec");

    QTest::newRow("plain") << "/opt/velmorix/Velmorix"
                           << "\"/opt/velmorix/Velmorix\"";
    QTest::newRow("blank") << "/opt/my apps/Velmorix"
                           << "\"/opt/my apps/Velmorix\"";
    QTest::newRow("quote and dollar") << "/opt/a\"b$c/V"
                                      << "\"/opt/a\\\\\"b\\\\$c/V\"";
    QTest::newRow("percent") << "/opt/100%/V"
                             << "\"/opt/100%%/V\"";
    QTest::newRow("backslash") << "/opt/a\\b/V"
                               << "\"/opt/a\\\\\\\\b/V\"";
    QTest::newRow("backtick and leading blank") << "/opt/ `x`/V"
                                                << "\"/opt/ \\\\`x\\\\`/V\"";
    QTest::newRow("installed") << "/usr/lib/velmorix/velmorix"
                               << "\"/usr/lib/velmorix/velmorix\"";
}

void TestSettings::autoStartEntryForms()
{
    QFETCH(QString, path);
    QFETCH(QString, exec);
    QCOMPARE(Platform::desktopExecArgument(path), exec);
    // Read back as the desktop reads it, the value starts exactly this program.
    QCOMPARE(Platform::desktopExecProgram(exec), path);

    // What the desktop reads back: the value of the main group only, switched-off entries aside.
    const QString entry = QStringLiteral("[Desktop Entry]\nExec=%1\n[Desktop Action x]\nExec=other\n").arg(exec);
    QCOMPARE(Platform::desktopEntryValue(entry, QStringLiteral("Exec")), exec);
    QCOMPARE(Platform::desktopEntryValue(QStringLiteral("[Other]\nExec=x\n"), QStringLiteral("Exec")), QString());

    // The whole entry as written passes the desktop's own validator.
    const QString validator = QStandardPaths::findExecutable(QStringLiteral("desktop-file-validate"));
    VELMORIX_REQUIRE(!validator.isEmpty(), QStringLiteral("desktop-file-validate is not installed"));
    const QString file = m_home.filePath(QStringLiteral("validate.desktop"));
    const QString text = Platform::autoStartDesktopEntry(QStringLiteral("Velmorix"), QStringLiteral("velmorix"), exec);
    QVERIFY(Utils::writeTextFile(file, text));
    QProcess validate;
    validate.setProcessChannelMode(QProcess::MergedChannels);
    validate.start(validator, {file});
    QVERIFY(validate.waitForFinished(30000));
    const QString output = QString::fromUtf8(validate.readAll());
    QVERIFY2(validate.exitCode() == 0 && output.isEmpty(), qPrintable(text + output));
}

void TestSettings::launchAppOnStartupProperty()
{
    Settings settings(withoutWireGuard);
    QSignalSpy changed(&settings, &Settings::launchAppOnStartupChanged);
    QVERIFY(!settings.launchAppOnStartup());
    settings.setLaunchAppOnStartup(true);
    QVERIFY(settings.launchAppOnStartup());
    QCOMPARE(changed.count(), 1);
    settings.setLaunchAppOnStartup(true);
    QCOMPARE(changed.count(), 1);

    // Switched off in the desktop's own start-up settings: no longer starting.
    const QString name = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    QFile entry(m_home.filePath(QStringLiteral("config/autostart/%1.desktop").arg(name)));
    QVERIFY(entry.open(QIODevice::Append));
    entry.write("Hidden=true\n");
    entry.close();
    QVERIFY(!settings.launchAppOnStartup());
}

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
