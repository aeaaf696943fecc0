#include "connectionstate.h"

#include <QCoreApplication>
#include <QMetaEnum>
#include <QTranslator>
#include <QtTest>

namespace {

// Answers every text of the state context with a marked form, so the test sees which context
// the texts are looked up in.
class MarkingTranslator : public QTranslator
{
public:
    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        if (qstrcmp(context, "ConnectionState") != 0)
            return QString();
        return QStringLiteral("[%1]").arg(QLatin1String(sourceText));
    }
    bool isEmpty() const override { return false; }
};

} // namespace

class TestConnectionState : public QObject
{
    Q_OBJECT

private slots:
    void names_data();
    void names();
    void texts_data();
    void texts();
    void textsAreTranslated();
    void publishedEnumeration();
    void metaTypeUnderBothNames();
};

void TestConnectionState::names_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("name");

    const QStringList names = {
        "Disconnected", "Preparing", "Connecting", "Connected", "Disconnecting", "Reconnecting", "Error", "Unknown"};
    for (int i = 0; i < names.size(); ++i)
        QTest::addRow("%d", i) << i << names.at(i);
    QTest::newRow("8") << 8 << "Unknown";
    QTest::newRow("9") << 9 << "Unknown";
    QTest::newRow("negative") << -1 << "Unknown";
}

void TestConnectionState::names()
{
    QFETCH(int, id);
    QFETCH(QString, name);
    QCOMPARE(ConnectionState::stateName(id), name);
    QCOMPARE(ConnectionState::stateName(id, true), QStringLiteral("'%1'").arg(name));
    if (id >= 0 && id <= 7)
        QCOMPARE(ConnectionState::stateName(static_cast<ConnectionState::Id>(id)), name);
}

void TestConnectionState::texts_data()
{
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("text");

    QTest::newRow("Disconnected") << 0 << "Disconnected";
    QTest::newRow("Preparing") << 1 << "Preparing";
    QTest::newRow("Connecting") << 2 << "Connecting...";
    QTest::newRow("Connected") << 3 << "Connected";
    QTest::newRow("Disconnecting") << 4 << "Disconnecting...";
    QTest::newRow("Reconnecting") << 5 << "Reconnecting...";
    QTest::newRow("Error") << 6 << "Error!";
    QTest::newRow("Unknown") << 7 << "Unknown";
    QTest::newRow("out of range") << 42 << "Unknown";
    QTest::newRow("negative") << -3 << "Unknown";
}

void TestConnectionState::texts()
{
    QFETCH(int, id);
    QFETCH(QString, text);
    QCOMPARE(ConnectionState::stateText(id), text);
}

void TestConnectionState::textsAreTranslated()
{
    MarkingTranslator translator;
    QVERIFY(QCoreApplication::installTranslator(&translator));
    QCOMPARE(ConnectionState::stateText(ConnectionState::Id::Connecting), QStringLiteral("[Connecting...]"));
    QCOMPARE(ConnectionState::stateText(ConnectionState::Id::Error), QStringLiteral("[Error!]"));
    // Log names are never translated.
    QCOMPARE(ConnectionState::stateName(ConnectionState::Id::Error), QStringLiteral("Error"));
    QCoreApplication::removeTranslator(&translator);
}

void TestConnectionState::publishedEnumeration()
{
    // QML writes ConnectionState.Connected: the keys and values must be those of the meta-object.
    const QMetaEnum metaEnum = QMetaEnum::fromType<ConnectionState::Id>();
    QCOMPARE(metaEnum.keyCount(), 8);
    for (int i = 0; i < metaEnum.keyCount(); ++i)
        QCOMPARE(QLatin1String(metaEnum.valueToKey(i)), ConnectionState::stateName(i));
}

void TestConnectionState::metaTypeUnderBothNames()
{
    ConnectionState::registerMetaType();
    const int id = qMetaTypeId<ConnectionState::Id>();
    QCOMPARE(QMetaType::type("ConnectionState::Id"), id);
    QCOMPARE(QMetaType::type("Application::Id"), id);

    // QML and queued connections carry the state in a QVariant.
    QVariant value = QVariant::fromValue(ConnectionState::Id::Reconnecting);
    QCOMPARE(value.value<ConnectionState::Id>(), ConnectionState::Id::Reconnecting);
}

QTEST_GUILESS_MAIN(TestConnectionState)
#include "tst_connectionstate.moc"
