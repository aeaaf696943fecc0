#include "account.h"
#include "countrynames.h"
#include "messagerecorder.h"
#include "serverlistparser.h"
#include "testsupport.h"

#include <QtTest>

namespace {

QByteArray catalogue(const QByteArray &servers)
{
    return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<vorrinserverList>\n" + servers + "</vorrinserverList>\n";
}

QByteArray serverElement(const QByteArray &country,
                         const QByteArray &city,
                         const QByteArray &ip,
                         const QByteArray &extra = "cpu=\"12.50\" capacity=\"100\"")
{
    return "<server visible=\"1\" status=\"1\" " + extra + " ip=\"" + ip + "\" name=\"" + country.toLower() + "-"
        + ip.right(1) + ".example.net\" city=\"" + city + "\" country=\"" + country + "\"/>\n";
}

// "country, city (ip)" of each server: order and content at a glance.
QStringList summary(const Servers &servers)
{
    QStringList rows;
    for (const Server &server : servers)
        rows << QStringLiteral("%1 (%2)").arg(server.locationText(), server.ip);
    return rows;
}

} // namespace

class TestCatalogue : public QObject
{
    Q_OBJECT

private slots:
    void parse_data();
    void parse();
    void parsedFields();
    void hostileCatalogue();
    void malformedDocuments_data();
    void malformedDocuments();
    void largeCatalogue();
    void countryNames();
    void serverOperations();
    void validityAndEquality();
    void searchMatches_data();
    void searchMatches();
    void favorites();
    void references_data();
    void references();
    void account();
};

void TestCatalogue::parse_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("servers");
    QTest::addColumn<QStringList>("warnings");

    const QByteArray nl1 = serverElement("NL", "NL Amsterdam", "10.0.0.1");

    QTest::newRow("grouped by country, sorted by city")
        << catalogue(serverElement("US", "US New York", "10.0.1.1") + serverElement("DE", "Frankfurt", "10.0.2.1")
                     + serverElement("US", "Chicago", "10.0.1.2") + serverElement("DE", "Berlin", "10.0.2.2"))
        << QStringList{"DE, Berlin (10.0.2.2)",
                       "DE, Frankfurt (10.0.2.1)",
                       "US, Chicago (10.0.1.2)",
                       "US, New York (10.0.1.1)"}
        << QStringList();
    QTest::newRow("two identical servers") << catalogue(nl1 + nl1) << QStringList{"NL, Amsterdam (10.0.0.1)"}
                                           << QStringList{"NetworkApi: Duplicate server detected: 'NL, Amsterdam'"};
    QTest::newRow("differs only in cpu: duplicate")
        << catalogue(nl1 + serverElement("NL", "NL Amsterdam", "10.0.0.1", "cpu=\"80.00\" capacity=\"100\""))
        << QStringList{"NL, Amsterdam (10.0.0.1)"}
        << QStringList{"NetworkApi: Duplicate server detected: 'NL, Amsterdam'"};
    QTest::newRow("differs in capacity: not a duplicate")
        << catalogue(nl1 + serverElement("NL", "NL Amsterdam", "10.0.0.1", "cpu=\"12.50\" capacity=\"200\""))
        << QStringList{"NL, Amsterdam (10.0.0.1)", "NL, Amsterdam (10.0.0.1)"} << QStringList();
    QTest::newRow("cpu 0.00 is unavailable")
        << catalogue(nl1 + serverElement("DE", "Berlin", "10.0.2.1", "cpu=\"0.00\""))
        << QStringList{"NL, Amsterdam (10.0.0.1)"}
        << QStringList{"NetworkApi: Not available servers: DE, Berlin (0.00)"};
    QTest::newRow("cpu 0, 0.0, empty and missing are available")
        << catalogue(serverElement("DE", "A", "10.0.2.1", "cpu=\"0\"")
                     + serverElement("DE", "B", "10.0.2.2", "cpu=\"0.0\"")
                     + serverElement("DE", "C", "10.0.2.3", "cpu=\"\"") + serverElement("DE", "D", "10.0.2.4", ""))
        << QStringList{"DE, A (10.0.2.1)", "DE, B (10.0.2.2)", "DE, C (10.0.2.3)", "DE, D (10.0.2.4)"} << QStringList();
    QTest::newRow("all unavailable")
        << catalogue(serverElement("DE", "Berlin", "10.0.2.1", "cpu=\"0.00\"")
                     + serverElement("NL", "NL Amsterdam", "10.0.0.1", "cpu=\"0.00\""))
        << QStringList() << QStringList{"NetworkApi: Not available servers: DE, Berlin (0.00), NL, Amsterdam (0.00)"};
    QTest::newRow("unavailable servers take no part in the duplicate test")
        << catalogue(serverElement("DE", "Berlin", "10.0.2.1", "cpu=\"0.00\"")
                     + serverElement("DE", "Berlin", "10.0.2.1", "cpu=\"0.00\""))
        << QStringList() << QStringList{"NetworkApi: Not available servers: DE, Berlin (0.00), DE, Berlin (0.00)"};
    QTest::newRow("invisible and inactive: dropped silently")
        << catalogue(nl1 + "<server visible=\"0\" status=\"0\" ip=\"10.9.9.9\" city=\"X\" country=\"DE\"/>"
                     + "<server ip=\"10.9.9.8\" city=\"Y\" country=\"DE\"/>")
        << QStringList{"NL, Amsterdam (10.0.0.1)"} << QStringList();
    QTest::newRow("visible or active is enough")
        << catalogue("<server visible=\"1\" status=\"0\" ip=\"10.0.3.1\" city=\"Oslo\" country=\"NO\"/>"
                     "<server visible=\"0\" status=\"2\" ip=\"10.0.3.2\" city=\"Bergen\" country=\"NO\"/>")
        << QStringList{"NO, Bergen (10.0.3.2)", "NO, Oslo (10.0.3.1)"} << QStringList();
    QTest::newRow("prefix only with the country's own case")
        << catalogue(serverElement("US", "US New York", "10.0.1.1") + serverElement("us", "US Boston", "10.0.1.2")
                     + serverElement("us", "New York", "10.0.1.3"))
        // Equal cities keep their document order.
        << QStringList{"US, New York (10.0.1.1)", "us, New York (10.0.1.3)", "us, US Boston (10.0.1.2)"}
        << QStringList();
    QTest::newRow("every occurrence of the prefix goes")
        << catalogue(serverElement("NL", "NL NL Amsterdam", "10.0.0.1")) << QStringList{"NL, Amsterdam (10.0.0.1)"}
        << QStringList();
    QTest::newRow("no country keeps the city's blanks")
        << catalogue("<server visible=\"1\" ip=\"10.0.4.1\" city=\"New York\"/>")
        << QStringList{", New York (10.0.4.1)"} << QStringList();
    QTest::newRow("NL and nl form one group where nl sorts")
        << catalogue(serverElement("nl", "Rotterdam", "10.0.0.2") + serverElement("DE", "Berlin", "10.0.2.1")
                     + serverElement("NL", "Amsterdam", "10.0.0.1") + serverElement("at", "Wien", "10.0.5.1"))
        << QStringList{"at, Wien (10.0.5.1)",
                       "DE, Berlin (10.0.2.1)",
                       "NL, Amsterdam (10.0.0.1)",
                       "nl, Rotterdam (10.0.0.2)"}
        << QStringList();
    QTest::newRow("unknown elements anywhere are ignored")
        << catalogue("<meta><note>x</note></meta>" + serverElement("NL", "Amsterdam", "10.0.0.1")
                     + "<group><server visible=\"1\" ip=\"10.0.0.2\" city=\"Utrecht\" country=\"NL\"/></group>")
        << QStringList{"NL, Amsterdam (10.0.0.1)", "NL, Utrecht (10.0.0.2)"} << QStringList();
    // The body is UTF-8 text: a wrongly encoded byte becomes one replacement character.
    QTest::newRow("invalid utf-8") << catalogue(serverElement("US", "Chicago", "10.0.1.2")
                                                + serverElement("DE", "K\xf6ln", "10.0.2.2"))
                                   << QStringList{QStringLiteral("DE, K\uFFFDln (10.0.2.2)"), "US, Chicago (10.0.1.2)"}
                                   << QStringList();
    QTest::newRow("byte order mark") << "\xef\xbb\xbf" + catalogue(serverElement("NL", "Amsterdam", "10.0.0.1"))
                                     << QStringList{"NL, Amsterdam (10.0.0.1)"} << QStringList();
    // Characters XML forbids cost one character each, wherever they stand.
    const QByteArray controls = catalogue(serverElement("US", QByteArray("Chi\0cago", 8), "10.0.1.2") + "\x01\x1f"
                                          + serverElement("DE", "Ber\x0blin", "10.0.2.2")
                                          + serverElement("NL", "Amsterdam\xef\xbf\xbe", "10.0.0.1"));
    QTest::newRow("control characters and nul") << controls
                                                << QStringList{QStringLiteral("DE, Ber\uFFFDlin (10.0.2.2)"),
                                                               QStringLiteral("NL, Amsterdam\uFFFD (10.0.0.1)"),
                                                               QStringLiteral("US, Chi\uFFFDcago (10.0.1.2)")}
                                                << QStringList();
    // UTF-16 marked as such, either byte order, its declaration saying so; a lone surrogate
    // is one character.
    const QString wide = QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-16\"?>\n<vorrinserverList>")
        + QString::fromUtf8(serverElement("DE", "K\xc3\xb6ln", "10.0.2.2"))
        + QStringLiteral("<server visible=\"1\" ip=\"10.0.3.1\" city=\"X") + QChar(0xd800)
        + QStringLiteral("\" country=\"FR\"/></vorrinserverList>");
    QByteArray little("\xff\xfe");
    QByteArray big("\xfe\xff");
    for (const QChar c : wide) {
        little += char(c.unicode() & 0xff);
        little += char(c.unicode() >> 8);
        big += char(c.unicode() >> 8);
        big += char(c.unicode() & 0xff);
    }
    const QStringList wideServers{QStringLiteral("DE, K\u00f6ln (10.0.2.2)"), QStringLiteral("FR, X\uFFFD (10.0.3.1)")};
    QTest::newRow("utf-16 little endian") << little << wideServers << QStringList();
    QTest::newRow("utf-16 big endian") << big << wideServers << QStringList();
    QTest::newRow("no root element needed")
        << serverElement("NL", "Amsterdam", "10.0.0.1") << QStringList{"NL, Amsterdam (10.0.0.1)"} << QStringList();
}

void TestCatalogue::parse()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, servers);
    QFETCH(QStringList, warnings);

    MessageRecorder recorder;
    QCOMPARE(summary(parseServerList(decodeServerListBody(document))), servers);
    QCOMPARE(recorder.warnings(), warnings);
    QCOMPARE(recorder.texts(QtCriticalMsg), QStringList());
}

void TestCatalogue::hostileCatalogue()
{
    MessageRecorder recorder;
    const Servers servers =
        parseServerList(QString::fromUtf8(TestSupport::readSupportFile(QStringLiteral("hostile-catalogue.xml"))));
    // Addresses that are no single IPv4 address or host name are dropped, and each drop names
    // the server; the display texts lose their control characters.
    QCOMPARE(summary(servers), (QStringList{"NL, Amsterdam%eth0 (10.0.0.7)", "NL, Rotterdam (nl8.example.net)"}));
    QCOMPARE(servers.at(0).name, QStringLiteral("nl7up /bin/sh"));
    const QStringList warnings = recorder.warnings();
    QCOMPARE(warnings.size(), 9);
    for (const char *name : {"lf", "crlf", "scope", "scope4", "blanks", "octal", "short", "option", "empty"})
        QVERIFY2(warnings.filter(QStringLiteral("Dropped server '%1'").arg(QLatin1String(name))).size() == 1, name);
    QVERIFY(
        warnings.contains(QStringLiteral("NetworkApi: Dropped server 'lf': its address '10.0.0.1\\x0ascript-security "
                                         "2\\x0aup /bin/sh' is neither an IPv4 address nor a host name")));
    for (const QString &line : warnings + recorder.texts(QtInfoMsg)) {
        for (const QChar c : line)
            QVERIFY2(c.category() != QChar::Other_Control, qPrintable(line));
    }
}

void TestCatalogue::parsedFields()
{
    const Servers servers = parseServerList(catalogue(
        "<server visible=\"1\" status=\"1\" cpu=\"12.50\" capacity=\"250\" ip=\"10.0.0.1\" name=\"nl1.example.net\" "
        "city=\"NL Amsterdam\" country=\"NL\"/>"
        "<server visible=\"1\" cpu=\"busy\" capacity=\"many\" ip=\"10.0.0.2\" name=\"nl2.example.net\" city=\"Delft\" "
        "country=\"NL\"/>"));
    QCOMPARE(servers.size(), 2);
    const Server &first = servers.at(0);
    QCOMPARE(first.city, QStringLiteral("Amsterdam"));
    QCOMPARE(first.country, QStringLiteral("NL"));
    QCOMPARE(first.ip, QStringLiteral("10.0.0.1"));
    QCOMPARE(first.id, QStringLiteral("10.0.0.1"));
    QCOMPARE(first.name, QStringLiteral("nl1.example.net"));
    QCOMPARE(first.capacity, 250);
    QCOMPARE(first.cpu, 12.5f);
    QVERIFY(!first.countryServer && !first.favorite && !first.serviceHeader);
    // Numbers that are not numbers read as 0.
    QCOMPARE(servers.at(1).cpu, 0.0f);
    QCOMPARE(servers.at(1).capacity, 0);
}

void TestCatalogue::malformedDocuments_data()
{
    QTest::addColumn<QByteArray>("document");
    QTest::addColumn<QStringList>("servers");

    const QByteArray three = serverElement("US", "Chicago", "10.0.1.2") + serverElement("DE", "Berlin", "10.0.2.2")
        + serverElement("AT", "Wien", "10.0.5.1");
    const QByteArray whole = catalogue(three);

    // Ungrouped, in document order: the cut came before the grouping.
    QTest::newRow("cut off mid-element") << whole.left(whole.indexOf("AT") + 4)
                                         << QStringList{"US, Chicago (10.0.1.2)", "DE, Berlin (10.0.2.2)"};
    QTest::newRow("cut off after the last server")
        << whole.left(whole.lastIndexOf("</vorrin"))
        << QStringList{"US, Chicago (10.0.1.2)", "DE, Berlin (10.0.2.2)", "AT, Wien (10.0.5.1)"};
    QTest::newRow("empty document") << QByteArray() << QStringList();
    QTest::newRow("not xml") << QByteArray("{\"servers\": []}") << QStringList();
    QTest::newRow("html error page") << QByteArray("<html><body><h1>502 Bad Gateway</h1><br></body></html>")
                                     << QStringList();
    QTest::newRow("mismatched tags") << catalogue(serverElement("US", "Chicago", "10.0.1.2") + "<a><b></a>"
                                                  + serverElement("DE", "Berlin", "10.0.2.2"))
                                     << QStringList{"US, Chicago (10.0.1.2)"};
    QTest::newRow("undefined entity") << catalogue(serverElement("US", "Chicago", "10.0.1.2")
                                                   + serverElement("DE", "&nowhere;", "10.0.2.2"))
                                      << QStringList{"US, Chicago (10.0.1.2)"};
    QTest::newRow("two roots") << (whole + whole)
                               << QStringList{"US, Chicago (10.0.1.2)", "DE, Berlin (10.0.2.2)", "AT, Wien (10.0.5.1)"};
}

void TestCatalogue::malformedDocuments()
{
    QFETCH(QByteArray, document);
    QFETCH(QStringList, servers);

    MessageRecorder recorder;
    QCOMPARE(summary(parseServerList(document, QStringLiteral("Test"))), servers);
    const QStringList critical = recorder.texts(QtCriticalMsg);
    QCOMPARE(critical.size(), 1);
    QVERIFY2(critical.first().startsWith(QLatin1String("Test: Cannot parse XML: ")), qPrintable(critical.first()));
    QVERIFY(critical.first().size() > QStringLiteral("Test: Cannot parse XML: ").size());
    // No grouping, no list of unavailable servers after an error.
    QCOMPARE(recorder.warnings(), QStringList());
}

void TestCatalogue::largeCatalogue()
{
    // A hundred thousand servers, deeply nested noise, a huge attribute: read in full.
    QByteArray body;
    body.reserve(12 * 1000 * 1000);
    for (int i = 0; i < 100000; ++i) {
        body += "<server visible=\"1\" status=\"1\" cpu=\"1.00\" capacity=\"1\" ip=\"10."
            + QByteArray::number(i / 65536) + "." + QByteArray::number((i / 256) % 256) + "."
            + QByteArray::number(i % 256) + "\" name=\"s" + QByteArray::number(i) + ".example.net\" city=\"City "
            + QByteArray::number(i % 997) + "\" country=\"c" + QByteArray::number(i % 150) + "\"/>\n";
    }
    body += QByteArray("<x>").repeated(5000) + QByteArray("</x>").repeated(5000);
    body += "<server visible=\"1\" ip=\"10.200.0.1\" city=\"" + QByteArray(1 << 20, 'a') + "\" country=\"zz\"/>";

    MessageRecorder recorder;
    const Servers servers = parseServerList(catalogue(body));
    QCOMPARE(servers.size(), 100001);
    QCOMPARE(servers.last().city.size(), 1 << 20);
    QVERIFY(recorder.messages().isEmpty());
    for (int i = 1; i < servers.size(); ++i) {
        const QString previous = servers.at(i - 1).country.toLower();
        const QString current = servers.at(i).country.toLower();
        QVERIFY(previous < current || (previous == current && servers.at(i - 1).city <= servers.at(i).city));
    }
}

void TestCatalogue::countryNames()
{
    QCOMPARE(CountryNames::nameForCode(QStringLiteral("us")), QStringLiteral("United States"));
    QCOMPARE(CountryNames::nameForCode(QStringLiteral("US")), QStringLiteral("United States"));
    QCOMPARE(CountryNames::nameForCode(QStringLiteral("nl")), QStringLiteral("Netherlands"));
    QCOMPARE(CountryNames::nameForCode(QStringLiteral("gb")), QStringLiteral("United Kingdom"));
    QCOMPARE(CountryNames::nameForCode(QStringLiteral("xx")), QString());
    QCOMPARE(CountryNames::nameForCode(QString()), QString());
    QVERIFY(CountryNames::isKnownCode(QStringLiteral("DE")));
    QVERIFY(!CountryNames::isKnownCode(QStringLiteral("xx")));
    QCOMPARE(CountryNames::codeForName(QStringLiteral("Germany")), QStringLiteral("de"));
    QCOMPARE(CountryNames::codeForName(QStringLiteral("germany")), QString());

    // A name that two codes share gives the smaller code.
    const QString shared = CountryNames::nameForCode(QStringLiteral("001"));
    QVERIFY(!shared.isEmpty());
    QCOMPARE(CountryNames::codeForName(shared), QStringLiteral("001"));
}

void TestCatalogue::serverOperations()
{
    const Servers servers = parseServerList(catalogue(serverElement("NL", "Amsterdam", "10.0.0.1")
                                                      + serverElement("nl", "Delft", "10.0.0.2")
                                                      + serverElement("DE", "Berlin", "10.0.2.1")));

    QCOMPARE(summary(serversOfCountry(servers, QStringLiteral("NL"))),
             (QStringList{"NL, Amsterdam (10.0.0.1)", "nl, Delft (10.0.0.2)"}));
    QCOMPARE(serverByIp(servers, QStringLiteral("10.0.2.1")).city, QStringLiteral("Berlin"));
    QVERIFY(!serverByIp(servers, QStringLiteral("10.9.9.9")).isValid());
    QCOMPARE(ipForName(servers, QStringLiteral("de-1.example.net")), QStringLiteral("10.0.2.1"));
    QCOMPARE(ipForName(servers, QStringLiteral("unknown.example.net")), QStringLiteral("unknown.example.net"));
    QCOMPARE(nameForIp(servers, QStringLiteral("10.0.2.1")), QStringLiteral("de-1.example.net"));
    QCOMPARE(nameForIp(servers, QStringLiteral("10.9.9.9")), QStringLiteral("10.9.9.9"));
    QCOMPARE(nameForIp(servers, QStringLiteral("de")), QStringLiteral("de"));
    QCOMPARE(serverIps(servers), (QStringList{"10.0.2.1", "10.0.0.1", "10.0.0.2"}));
    QCOMPARE(countryCodes(servers), (QStringList{"de", "nl"}));
    // Distinct as stored, then named: NL and nl give the name twice.
    QCOMPARE(::countryNames(servers), (QStringList{"Germany", "Netherlands", "Netherlands"}));

    const Server row = Server::createCountryRow(QStringLiteral("nl"));
    QVERIFY(row.countryServer && !row.serviceHeader);
    QCOMPARE(row.locationText(), QStringLiteral("nl"));
    QCOMPARE(row.countryDisplayName(), QStringLiteral("Netherlands"));
    QVERIFY(QRegularExpression(QStringLiteral("^\\{[0-9a-f]{8}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{4}-[0-9a-f]{12}\\}$"))
                .match(row.id)
                .hasMatch());
    QVERIFY(Server::createCountryRow(QStringLiteral("nl")).id != row.id);

    const Server header = Server::createCountryRow(QStringLiteral("*2"), QStringLiteral("Recent Servers"));
    QVERIFY(header.serviceHeader && header.countryServer);
    QCOMPARE(header.countryDisplayName(), QStringLiteral("Recent Servers"));

    QCOMPARE(locationDescription(QStringLiteral("1.2.3.4"), QStringLiteral("nl, Amsterdam"), true),
             QStringLiteral("VPN location in 'nl, Amsterdam' (1.2.3.4)"));
    QCOMPARE(locationDescription(QStringLiteral("1.2.3.4"), QStringLiteral("nl, Amsterdam"), false),
             QStringLiteral("location in 'nl, Amsterdam' (1.2.3.4)"));
}

void TestCatalogue::validityAndEquality()
{
    QVERIFY(!Server().isValid());
    Server server;
    server.capacity = 1;
    QVERIFY(server.isValid());
    Server countryRow;
    countryRow.countryServer = true;
    countryRow.capacity = 5; // not data of a country row
    QVERIFY(!countryRow.isValid());
    countryRow.country = QStringLiteral("de");
    QVERIFY(countryRow.isValid());

    Server a;
    a.ip = QStringLiteral("10.0.0.1");
    Server b = a;
    b.cpu = 50;
    QVERIFY(a == b);
    QCOMPARE(qHash(a), qHash(b));
    b.favorite = true;
    QVERIFY(a != b);
}

void TestCatalogue::searchMatches_data()
{
    QTest::addColumn<QString>("phrase");
    QTest::addColumn<bool>("matches");

    QTest::newRow("empty") << "" << true;
    QTest::newRow("country name") << "nether" << true;
    QTest::newRow("country name, other case") << "NETHERLANDS" << true;
    QTest::newRow("city") << "amster" << true;
    QTest::newRow("host name") << "nl-1.example" << true;
    QTest::newRow("country code alone") << "nl" << true; // in the host name
    QTest::newRow("no match") << "berlin" << false;
}

void TestCatalogue::searchMatches()
{
    QFETCH(QString, phrase);
    QFETCH(bool, matches);
    const Server server = parseServerList(catalogue(serverElement("NL", "Amsterdam", "10.0.0.1"))).first();
    QCOMPARE(server.matchesSearch(phrase), matches);
}

void TestCatalogue::favorites()
{
    Servers servers = parseServerList(catalogue(serverElement("DE", "Berlin", "1.2.3.4")
                                                + serverElement("DE", "Munich", "1.2.3.4", "capacity=\"7\"")
                                                + serverElement("NL", "Amsterdam", "10.0.0.1")));
    servers.prepend(Server::createCountryRow(QStringLiteral("de")));

    applyFavorites(servers, {QStringLiteral("de")});
    QCOMPARE(servers.at(0).favorite, true);
    for (int i = 1; i < servers.size(); ++i)
        QVERIFY2(!servers.at(i).favorite, qPrintable(servers.at(i).locationText()));

    applyFavorites(servers, {QStringLiteral("1.2.3.4")});
    QVERIFY(!servers.at(0).favorite);
    QVERIFY(servers.at(1).favorite && servers.at(2).favorite);
    QVERIFY(!servers.at(3).favorite);

    applyFavorites(servers, {QStringLiteral("nl-1.example.net"), QStringLiteral("{not a reference}")});
    QVERIFY(servers.at(3).favorite);
    QVERIFY(!servers.at(1).favorite && !servers.at(2).favorite);
    applyFavorites(servers, {});
    for (const Server &server : qAsConst(servers))
        QVERIFY(!server.favorite);

    setFavoriteByIp(servers, QStringLiteral("1.2.3.4"), true);
    QVERIFY(servers.at(1).favorite && servers.at(2).favorite && !servers.at(3).favorite);
    setFavoriteByIp(servers, QStringLiteral("de-4.example.net"), false); // not an address: nothing changes
    QVERIFY(servers.at(1).favorite);
    setFavoriteByIp(servers, QStringLiteral("1.2.3.4"), false);
    QVERIFY(!servers.at(1).favorite && !servers.at(2).favorite);
}

void TestCatalogue::references_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("country");
    QTest::addColumn<bool>("host");
    QTest::addColumn<bool>("uuid");

    QTest::newRow("country") << "nl" << true << false << false;
    QTest::newRow("host") << "nl1.example.net" << false << true << false;
    QTest::newRow("address") << "10.0.0.1" << false << true << false;
    QTest::newRow("uuid") << "{6f1c2a9d-7e3b-4806-9a5c-0b1d2e3f4a5b}" << false << false << true;
    QTest::newRow("null uuid") << "{00000000-0000-0000-0000-000000000000}" << false << false << false;
    QTest::newRow("blank inside") << "nl 1" << false << false << false;
    QTest::newRow("empty") << "" << false << false << false;
    QTest::newRow("one letter") << "x" << false << true << false;
}

void TestCatalogue::references()
{
    QFETCH(QString, text);
    QFETCH(bool, country);
    QFETCH(bool, host);
    QFETCH(bool, uuid);
    QCOMPARE(isCountryCode(text), country);
    QCOMPARE(isHostName(text), host);
    QCOMPARE(isUuidText(text), uuid);
}

void TestCatalogue::account()
{
    QVERIFY(!Account().isActive());
    const Account account(42,
                          QStringLiteral("ann"),
                          QStringLiteral("Active"),
                          QStringLiteral("2026-01-01"),
                          QStringLiteral("2025-01-01"),
                          QStringLiteral("10.66.0.2/32"),
                          QStringLiteral("cHJpdmF0ZQ=="),
                          QStringLiteral("forged-key-from-the-reply="));
    QVERIFY(account.isActive());
    QCOMPARE(account.wgIp, QStringLiteral("10.66.0.2/32"));
    QCOMPARE(account.wgPublicKey, Account::serverPublicKey());
    QCOMPARE(QByteArray::fromBase64(account.wgPublicKey.toLatin1()).size(), 32);

    Account disabled = account;
    disabled.status = QStringLiteral("Disabled");
    QVERIFY(!disabled.isActive());
    disabled.status = QStringLiteral("disabled"); // only the exact text disables
    QVERIFY(disabled.isActive());
    disabled.id = 0;
    QVERIFY(!disabled.isActive());
}

QTEST_GUILESS_MAIN(TestCatalogue)
#include "tst_catalogue.moc"
