#include "messagerecorder.h"
#include "servicecontroller.h"
#include "sessionprotection.h"
#include "sessionworld.h"

#include <QElapsedTimer>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QtTest>

#include <cstdio>
#include <malloc.h>

// Thousands of seeded random sequences of user actions and outside events against the real
// controller; after every step the world checks its invariants. A failing sequence is printed
// with its seed and shortened to the words that still fail it.
class TestVpnCoreSequences : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void knownFaults_data();
    void knownFaults();
    void abandonedRunKeepsToItself_data();
    void abandonedRunKeepsToItself();
    void runsWaitForTheLink();
    void leavingSendsTheLastRunOfEachProgram();
    void randomSequences();
    void replayOne();

private:
    struct Outcome
    {
        QStringList words;
        QString violation;
        int step = -1;
    };

    Outcome generate(quint32 seed, int length);
    Outcome replay(const QStringList &words);
    QStringList shorten(const QStringList &words);

    // Has the link take the commands into `m_commands`, up, for the current test.
    void recordCommands();
    QStringList killSwitchRuns() const { return m_commands.filter(QStringLiteral("/killswitch\"")); }

    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<ServiceController> m_link;
    QStringList m_commands;
};

void TestVpnCoreSequences::recordCommands()
{
    m_commands.clear();
    Status().clear();
    m_link->setCommandSinkForTesting([this](const QString &command) { m_commands << command; });
    m_link->setLinkUpForTesting(true);
}

void TestVpnCoreSequences::initTestCase()
{
    // Every server choice saves the settings, whose cipher compresses: without this the heap
    // is grown and trimmed back at each one, which costs more than the rest of a step.
    mallopt(M_TRIM_THRESHOLD, 256 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 64 * 1024 * 1024);
    // The settings store looks at its file's time at every write; with the zone fixed, the
    // C library need not read the system's zone file each time.
    qputenv("TZ", "UTC");
    // The protection record is written at every change: a folder in memory keeps that cheap.
    const QString base = QDir(QStringLiteral("/dev/shm")).exists() ? QStringLiteral("/dev/shm") : QDir::tempPath();
    m_home = std::make_unique<QTemporaryDir>(base + QStringLiteral("/velmorix-sequences-XXXXXX"));
    QVERIFY(m_home->isValid());
    qputenv("XDG_CONFIG_HOME", m_home->filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", m_home->filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", m_home->filePath(QStringLiteral("var")).toLocal8Bit());
    QVERIFY(Settings::instance()->fileName().startsWith(m_home->path()));
    m_link = std::make_unique<ServiceController>(false);
}

// Sequences that once broke the controller, with what must hold at their end besides the
// invariants.
void TestVpnCoreSequences::knownFaults_data()
{
    QTest::addColumn<QString>("words");
    QTest::addColumn<QString>("expected");

    QTest::newRow("disconnect during a reconnection's port search")
        << "pick:a proto:auto connect port:found e:connected svc:done e:crash svc:done disconnect"
        << "state=Disconnected killswitch=off event=no";
    QTest::newRow("the engine reports a crash after the user's disconnect")
        << "pick:a connect e:connected svc:done disconnect e:crash svc:done"
        << "state=Disconnected engines=1";
    QTest::newRow("a server picked during a reconnection")
        << "pick:a connect e:connected svc:done e:crash pick:b svc:done"
        << "state=Connecting engines=2 engine-server=10.99.0.2 killswitch=on";
    QTest::newRow("a reconnection without credentials")
        << "pick:a connect e:connected svc:done creds:none e:crash svc:done"
        << "state=Disconnected killswitch=on event=yes engines=1";
    QTest::newRow("a reconnection without a server")
        << "pick:a connect e:connected svc:done country:nl e:crash svc:done"
        << "state=Disconnected killswitch=on event=yes";
    QTest::newRow("a port found after the user's disconnect") << "pick:a proto:auto connect disconnect+port"
                                                              << "state=Disconnected engines=0";
    QTest::newRow("a late country search") << "country:nl pick:a ping:early"
                                           << "server=10.99.0.1";
    QTest::newRow("a late country search while connected")
        << "pick:a connect e:connected svc:done country:nl pick:c e:disconnected svc:done ping:late"
        << "state=Connecting engines=2 engine-server=10.99.0.7 server=10.99.0.7";
    QTest::newRow("connected before the engine acts on the user's disconnect")
        << "pick:a connect e:connecting disconnect e:connected svc:done"
        << "state=Connecting killswitch=off";
    QTest::newRow("quit while the user's DNS and IPv6 wait behind a run")
        << "pick:a connect e:connected svc:done disconnect e:disconnected quit"
        << "";
    QTest::newRow("quit while connected") << "pick:a connect e:connected svc:done quit"
                                          << "";
    QTest::newRow("DNS read after the run of the last session")
        << "pick:a connect e:connected svc:started e:crash connect svc:done"
        << "state=Connecting engines=2";
}

void TestVpnCoreSequences::knownFaults()
{
    QFETCH(QString, words);
    QFETCH(QString, expected);
    MessageRecorder quiet;
    SessionWorld world(m_link.get());
    for (const QString &word : words.split(QLatin1Char(' ')))
        world.play(word);
    QVERIFY2(world.violation().isEmpty(), qPrintable(world.violation()));
    VpnCore *core = world.core();
    for (const QString &fact : expected.split(QLatin1Char(' '))) {
        const QString name = fact.section(QLatin1Char('='), 0, 0);
        const QString value = fact.section(QLatin1Char('='), 1);
        QString actual;
        if (name == QLatin1String("state"))
            actual = ConnectionState::stateName(core->connectionState());
        else if (name == QLatin1String("killswitch"))
            actual = core->protection().killSwitchOn() ? QStringLiteral("on") : QStringLiteral("off");
        else if (name == QLatin1String("event"))
            actual = world.eventWaiting() ? QStringLiteral("yes") : QStringLiteral("no");
        else if (name == QLatin1String("engines"))
            actual = QString::number(world.enginesMade());
        else if (name == QLatin1String("engine-server"))
            actual = world.lastEngineServer();
        else if (name == QLatin1String("server"))
            actual = core->serverIp();
        QVERIFY2(actual == value, qPrintable(QStringLiteral("%1 is '%2'").arg(fact, actual)));
    }
}

// A kill-switch run the service is slow on (a firewall lock) is given up at the limit; its
// reports, when they come, are its own and never end the turn of the run after it: "enable"
// and "disable" at once could finish in either order.
void TestVpnCoreSequences::abandonedRunKeepsToItself_data()
{
    QTest::addColumn<QStringList>("late");
    QTest::newRow("started and finished late") << QStringList{"started:101,0,killswitch", "finished:101,1,killswitch"};
    QTest::newRow("refused late") << QStringList{"started:0,2,killswitch"};
    QTest::newRow("started in time, finished late") << QStringList{"finished:101,1,killswitch"};
}

void TestVpnCoreSequences::abandonedRunKeepsToItself()
{
    QFETCH(QStringList, late);
    MessageRecorder quiet;
    recordCommands();
    // Whatever the service still owes is lost with its link, as on a real one.
    const auto restore = qScopeGuard([this] {
        m_link->setLinkUpForTesting(false);
        m_link->setCommandSinkForTesting(nullptr);
    });
    QObject owner;
    SessionProtection protection(&owner);
    protection.setRunTimeLimitForTesting(50);
    const bool startedInTime = late.first().startsWith(QLatin1String("finished"));

    protection.armKillSwitch(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), false);
    if (startedInTime)
        emit m_link->processOutput(QStringLiteral("started:101,0,killswitch"));
    QCOMPARE(killSwitchRuns().size(), 1);
    protection.releaseKillSwitch();
    QTRY_COMPARE(killSwitchRuns().size(), 2); // past the limit, "disable" goes ahead
    protection.armKillSwitch(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), false);
    for (const QString &report : late)
        emit m_link->processOutput(report);
    emit m_link->processOutput(QStringLiteral("started:102,0,killswitch"));
    QCOMPARE(killSwitchRuns().size(), 2);
    QVERIFY(!protection.isSettled());

    emit m_link->processOutput(QStringLiteral("finished:102,1,killswitch"));
    QCOMPARE(killSwitchRuns().size(), 3);
    QVERIFY(killSwitchRuns().last().contains(QLatin1String("\"enable\"")));
}

// While the service link is down no run goes out, and no time limit runs: the commands would
// wait in the link's buffer and reach the service together once it is back.
void TestVpnCoreSequences::runsWaitForTheLink()
{
    MessageRecorder recorder;
    recordCommands();
    const auto restore = qScopeGuard([this] {
        m_link->setLinkUpForTesting(false);
        m_link->setCommandSinkForTesting(nullptr);
    });
    QObject owner;
    owner.setObjectName(QStringLiteral("VpnCore"));
    SessionProtection protection(&owner);
    protection.setRunTimeLimitForTesting(50);
    m_link->setLinkUpForTesting(false);
    protection.armKillSwitch(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), false);
    protection.releaseKillSwitch();
    QTest::qWait(150);
    QVERIFY(recorder.warnings().isEmpty());
    m_link->setLinkUpForTesting(true);
    QCOMPARE(killSwitchRuns().size(), 1);
    QVERIFY(killSwitchRuns().first().contains(QLatin1String("\"enable\"")));
    // Its time counts from now.
    QTRY_COMPARE(killSwitchRuns().size(), 2);
    QVERIFY(recorder.warnings().contains(
        QStringLiteral("VpnCore: No report on the killswitch run in time, the next run goes ahead")));
}

// The program goes while runs wait their turn: the last of each program still reaches the
// service, and the record says only what may still be in force.
void TestVpnCoreSequences::leavingSendsTheLastRunOfEachProgram()
{
    MessageRecorder quiet;
    recordCommands();
    const auto restore = qScopeGuard([this] {
        m_link->setLinkUpForTesting(false);
        m_link->setCommandSinkForTesting(nullptr);
    });
    QObject owner;
    {
        SessionProtection protection(&owner);
        protection.setLeaving();
        protection.armKillSwitch(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.1"), false);
        protection.releaseKillSwitch();
        protection.armKillSwitch(QStringLiteral("10.8.0.2"), QStringLiteral("10.99.0.2"), false);
        protection.releaseKillSwitch();
        protection.restoreIpv6();
        protection.restoreIpv6();
        QCOMPARE(m_commands.size(), 2);
    }
    QCOMPARE(killSwitchRuns().size(), 2);
    QVERIFY(killSwitchRuns().last().contains(QLatin1String("\"disable\"")));
    QCOMPARE(m_commands.filter(QStringLiteral("/network-tool\"")).size(), 2);
    // Only the network tool waited: no DNS switch is on record.
    QVERIFY(!Status().dnsActivated());
    QVERIFY(Status().killswitchActivated());
}

TestVpnCoreSequences::Outcome TestVpnCoreSequences::generate(quint32 seed, int length)
{
    QRandomGenerator random(seed);
    Outcome outcome;
    SessionWorld world(m_link.get());
    for (int step = 0; step < length; ++step) {
        QString word = world.overdue();
        if (word.isEmpty())
            word = SessionWorld::randomWord(random);
        // Every word counts as a step, the ones that changed nothing too: the invariants count
        // steps.
        world.play(word);
        outcome.words << word;
        if (!world.violation().isEmpty()) {
            outcome.violation = world.violation();
            outcome.step = step;
            break;
        }
        if (world.hasQuit())
            break;
    }
    return outcome;
}

TestVpnCoreSequences::Outcome TestVpnCoreSequences::replay(const QStringList &words)
{
    Outcome outcome;
    SessionWorld world(m_link.get());
    for (int step = 0; step < words.size(); ++step) {
        world.play(words.at(step));
        if (!world.violation().isEmpty()) {
            outcome.violation = world.violation();
            outcome.step = step;
            break;
        }
    }
    return outcome;
}

// Drops words one at a time while the sequence still breaks an invariant.
QStringList TestVpnCoreSequences::shorten(const QStringList &words)
{
    QStringList shortest = words;
    bool shrunk = true;
    while (shrunk) {
        shrunk = false;
        for (int i = shortest.size() - 1; i >= 0; --i) {
            QStringList candidate = shortest;
            candidate.removeAt(i);
            const Outcome outcome = replay(candidate);
            if (!outcome.violation.isEmpty()) {
                shortest = candidate.mid(0, outcome.step + 1);
                shrunk = true;
                break;
            }
        }
    }
    return shortest;
}

void TestVpnCoreSequences::randomSequences()
{
    const int count =
        qEnvironmentVariableIsSet("VELMORIX_SEQUENCES") ? qEnvironmentVariableIntValue("VELMORIX_SEQUENCES") : 10000;
    const quint32 firstSeed = qEnvironmentVariableIsSet("VELMORIX_SEQUENCE_SEED")
        ? quint32(qEnvironmentVariableIntValue("VELMORIX_SEQUENCE_SEED"))
        : 1;
    const int length = 40;

    // The controller logs every step: kept out of the test's output.
    MessageRecorder quiet;
    QElapsedTimer timer;
    timer.start();
    QMap<QString, int> violations;
    QStringList reports;
    int failed = 0;
    for (int i = 0; i < count; ++i) {
        const quint32 seed = firstSeed + quint32(i);
        const Outcome outcome = generate(seed, length);
        quiet.clear();
        if (outcome.violation.isEmpty())
            continue;
        ++failed;
        const QString kind = outcome.violation.section(QLatin1Char('\''), 0, 0);
        // One reproduction for each kind of violation.
        if (violations[kind]++ == 0 && reports.size() < 12) {
            const QStringList shortest = shorten(outcome.words.mid(0, outcome.step + 1));
            const Outcome again = replay(shortest);
            reports << QStringLiteral("seed %1: %2\n  reproduction: %3")
                           .arg(seed)
                           .arg(again.violation, shortest.join(QLatin1Char(' ')));
            quiet.clear();
        }
    }
    for (auto it = violations.constBegin(); it != violations.constEnd(); ++it)
        std::fprintf(stderr, "%5d  %s\n", it.value(), qPrintable(it.key()));
    std::fprintf(
        stderr, "%d sequences of %d steps in %lld ms, %d broke an invariant\n", count, length, timer.elapsed(), failed);
    QVERIFY2(failed == 0, qPrintable(reports.join(QLatin1Char('\n'))));
}

// VELMORIX_SEQUENCE_REPLAY="word word ...": one sequence, step by step, with the controller's
// log, to see how a reproduction fails.
void TestVpnCoreSequences::replayOne()
{
    const QStringList words =
        qEnvironmentVariable("VELMORIX_SEQUENCE_REPLAY").split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        QSKIP("VELMORIX_SEQUENCE_REPLAY names no sequence");
    SessionWorld world(m_link.get());
    for (const QString &word : words) {
        std::fprintf(stderr, "---- %s\n", qPrintable(word));
        world.play(word);
        std::fprintf(stderr,
                     "     shown %s, server '%s'\n",
                     qPrintable(ConnectionState::stateName(world.core()->connectionState())),
                     qPrintable(world.core()->serverIp()));
        if (!world.violation().isEmpty()) {
            std::fprintf(stderr, "**** %s\n", qPrintable(world.violation()));
            break;
        }
    }
}

QTEST_GUILESS_MAIN(TestVpnCoreSequences)
#include "tst_vpncore_sequences.moc"
