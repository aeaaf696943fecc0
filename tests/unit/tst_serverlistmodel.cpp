#include "comboboxlistmodel.h"
#include "messagerecorder.h"
#include "serverlistmodel.h"
#include "settings.h"
#include "utils.h"

#include <QAbstractItemModelTester>
#include <QMetaEnum>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>

#include <memory>

// Every model runs under the item-model tester, which fails the test at the first row change
// that is announced wrongly.
class TestServerListModel : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void init();

    void countriesOpenOnceAndCloseOnce();
    void expandAllAndCollapseAll();
    void randomOpeningKeepsCountriesWhole();
    void rolesAndDelegateAttributes();
    void flatModelAfterSetServerList();
    void unknownCountryKeepsItsRow();
    void emptyFavoritesSection();
    void favoritesSectionFollowsFavorites();
    void rebuildClosesSections();
    void recentSectionHoldsThreeLatest();
    void currentServerReferences();
    void countryCodeStartsSearch();
    void announcementsAreSharedByModels();
    void forcedNotificationForUnknownServer();
    void searchVisibility();
    void removeRowsRefusals();
    void portLists();

private:
    std::unique_ptr<ServerListModel> model(ServerListModel::Kind kind);

    QTemporaryDir m_home;
    std::vector<std::unique_ptr<QAbstractItemModelTester>> m_testers;
};

namespace {

Server server(const QString &country, const QString &city, const QString &name, const QString &ip)
{
    Server s;
    s.country = country;
    s.city = city;
    s.name = name;
    s.ip = ip;
    s.id = ip;
    return s;
}

// Three countries; sorted by name: Germany, Netherlands, United States.
Servers catalogue()
{
    return {
        server("NL", "Amsterdam", "nl-1.example.net", "10.0.0.1"),
        server("NL", "Amsterdam", "nl-2.example.net", "10.0.0.2"),
        server("DE", "Berlin", "de-1.example.net", "10.0.1.1"),
        server("NL", "Rotterdam", "nl-3.example.net", "10.0.0.3"),
        server("US", "New York", "us-1.example.net", "10.0.2.1"),
        server("DE", "Frankfurt", "de-2.example.net", "10.0.1.2"),
    };
}

QString rowId(const ServerListModel &model, int row)
{
    return model.index(row).data(ServerListModel::IdRole).toString();
}

QStringList column(const ServerListModel &model, int role)
{
    QStringList values;
    for (int i = 0; i < model.rowCount(); ++i)
        values << model.index(i).data(role).toString();
    return values;
}

} // namespace

void TestServerListModel::initTestCase()
{
    QVERIFY(m_home.isValid());
    // Before the settings object exists: its store's location is fixed then.
    qputenv("XDG_CONFIG_HOME", m_home.filePath(QStringLiteral("config")).toLocal8Bit());
    QVERIFY(Settings::instance()->fileName().startsWith(m_home.path()));
}

void TestServerListModel::init()
{
    Settings *settings = Settings::instance();
    for (const QString &favorite : settings->favorites())
        settings->setFavorite(favorite, false);
    settings->saveRecentServers({});
    settings->saveCurrentServerId(QString());
    m_testers.clear();
}

std::unique_ptr<ServerListModel> TestServerListModel::model(ServerListModel::Kind kind)
{
    auto created = std::make_unique<ServerListModel>(kind);
    m_testers.push_back(std::make_unique<QAbstractItemModelTester>(
        created.get(), QAbstractItemModelTester::FailureReportingMode::Fatal));
    return created;
}

void TestServerListModel::countriesOpenOnceAndCloseOnce()
{
    auto list = model(ServerListModel::Catalogue);
    QCOMPARE(list->objectName(), QStringLiteral("ServerListModel"));
    list->createServerList(catalogue());
    QCOMPARE(column(*list, ServerListModel::CountryRole), QStringList({"de", "nl", "us"}));

    QSignalSpy inserted(list.get(), &QAbstractItemModel::rowsInserted);
    QSignalSpy removed(list.get(), &QAbstractItemModel::rowsRemoved);
    QSignalSpy state(list.get(), &ServerListModel::expandableStateChanged);
    const QString netherlands = rowId(*list, 1);

    list->expandCurrentItem(netherlands, true);
    list->expandCurrentItem(netherlands, true);
    QCOMPARE(inserted.count(), 1);
    QCOMPARE(column(*list, ServerListModel::CityRole),
             QStringList({"", "", "Amsterdam", "Amsterdam", "Rotterdam", ""}));
    QCOMPARE(state.count(), 1);
    QCOMPARE(state.first(), QVariantList({netherlands, true}));

    list->expandCurrentItem(netherlands, false);
    list->expandCurrentItem(netherlands, false);
    list->expandCurrentItem(rowId(*list, 0), false);
    QCOMPARE(removed.count(), 1);
    QCOMPARE(list->rowCount(), 3);

    // A server row does not open: it would show its country a second time.
    list->expandCurrentItem(netherlands, true);
    MessageRecorder recorder;
    list->expandCurrentItem(QStringLiteral("10.0.0.3"), false);
    list->expandCurrentItem(QStringLiteral("nowhere"), true);
    QCOMPARE(list->rowCount(), 6);
    QCOMPARE(recorder.warnings(),
             QStringList({"ServerListModel: Server '10.0.0.3' can't be expanded",
                          "ServerListModel: Can't find server 'nowhere' for expandable operation: 1"}));
}

void TestServerListModel::expandAllAndCollapseAll()
{
    auto list = model(ServerListModel::Catalogue);
    list->createServerList(catalogue());
    list->expandCurrentItem(rowId(*list, 2), true);
    list->expandAll();
    QCOMPARE(list->rowCount(), 9);
    QCOMPARE(column(*list, ServerListModel::NameRole),
             QStringList({"",
                          "de-1.example.net",
                          "de-2.example.net",
                          "",
                          "nl-1.example.net",
                          "nl-2.example.net",
                          "nl-3.example.net",
                          "",
                          "us-1.example.net"}));
    list->collapseAll();
    QCOMPARE(list->rowCount(), 3);

    auto recent = model(ServerListModel::FavoritesAndRecent);
    Settings::instance()->setFavorite(QStringLiteral("10.0.1.1"), true);
    recent->createRecentServerList(catalogue());
    recent->appendRecentServer(catalogue().at(4));
    recent->expandAll();
    QCOMPARE(column(*recent, ServerListModel::NameRole),
             QStringList({"Favorite Servers", "de-1.example.net", "Recent Servers", "us-1.example.net"}));
    recent->collapseAll();
    QCOMPARE(recent->rowCount(), 2);
}

void TestServerListModel::randomOpeningKeepsCountriesWhole()
{
    // A code in two cases is one country: the rows of "nl" and "NL" must open and close together.
    Servers servers = catalogue();
    servers << server("nl", "Utrecht", "nl-4.example.net", "10.0.0.4")
            << server("de", "Munich", "de-3.example.net", "10.0.1.3");
    auto list = model(ServerListModel::Catalogue);
    list->createServerList(servers);
    const Servers countries = list->rows();

    QRandomGenerator random(16);
    for (int step = 0; step < 400; ++step) {
        const int action = random.bounded(10);
        const QString id = action < 7 ? countries.at(random.bounded(countries.size())).id
                                      : rowId(*list, random.bounded(list->rowCount()));
        if (action == 8)
            list->expandAll();
        else if (action == 9)
            list->collapseAll();
        else
            list->expandCurrentItem(id, random.bounded(2) == 0);

        // Each country row is followed by nothing or by exactly its servers, in catalogue order.
        int row = 0;
        for (const Server &country : countries) {
            QCOMPARE(rowId(*list, row), country.id);
            ++row;
            const Servers own = serversOfCountry(servers, country.country);
            if (row < list->rowCount() && !list->index(row).data(ServerListModel::CountryServerRole).toBool()) {
                for (const Server &expected : own)
                    QCOMPARE(rowId(*list, row++), expected.id);
            }
        }
        QCOMPARE(row, list->rowCount());
    }
}

void TestServerListModel::rolesAndDelegateAttributes()
{
    auto list = model(ServerListModel::Catalogue);
    QHash<int, QByteArray> names = list->roleNames();
    QCOMPARE(names.size(), 11);
    QCOMPARE(names.value(256), QByteArray("Id"));
    QCOMPARE(names.value(263), QByteArray("ServiceHeader"));
    QCOMPARE(names.value(266), QByteArray("SearchField"));

    Settings::instance()->setFavorite(QStringLiteral("nl"), true);
    list->createServerList(catalogue());
    list->expandCurrentItem(rowId(*list, 1), true);
    const QModelIndex country = list->index(1);
    const QModelIndex rotterdam = list->index(4);
    QCOMPARE(country.data(ServerListModel::CountryServerRole).toBool(), true);
    QCOMPARE(country.data(ServerListModel::FavoriteRole).toBool(), true);
    QCOMPARE(country.data(ServerListModel::CountryNameRole).toString(), QStringLiteral("Netherlands"));
    QCOMPARE(rotterdam.data(ServerListModel::CountryRole).toString(), QStringLiteral("nl"));
    QCOMPARE(rotterdam.data(ServerListModel::CountryServerRole).toBool(), false);
    QCOMPARE(rotterdam.data(ServerListModel::ServiceItemRole).toBool(), false);
    QCOMPARE(rotterdam.data(ServerListModel::SearchFieldRole).toString(),
             QStringLiteral("netherlands:rotterdam:nl-3.example.net:10.0.0.3"));
    QCOMPARE(rotterdam.data(ServerListModel::CountryFlagSourceRole).toString(), Utils::flagSource("nl"));
    QVERIFY(!rotterdam.data(Qt::DisplayRole).isValid());
    QCOMPARE(list->data(QModelIndex(), ServerListModel::IdRole), QVariant(QStringLiteral("0")));

    QCOMPARE(list->attrBasicLabelText(1), QStringLiteral("Netherlands"));
    QCOMPARE(list->attrBasicLabelText(4), QStringLiteral("Rotterdam"));
    QCOMPARE(list->attrCountryFlagSource(1), Utils::flagSource("nl"));
    QCOMPARE(list->attrCountryFlagSource(4), QString());
    QCOMPARE(list->attrExpandable(4), true);
    QCOMPARE(list->attrFavoriteIconVisible(1), false);
    QCOMPARE(list->attrFavoriteIconVisible(4), true);
    QCOMPARE(list->expandableModel(), true);

    auto recent = model(ServerListModel::FavoritesAndRecent);
    recent->createRecentServerList(catalogue());
    recent->appendRecentServer(catalogue().at(3));
    recent->expandCurrentItem(rowId(*recent, 1), true);
    QCOMPARE(recent->index(2).data(ServerListModel::ServiceItemRole).toBool(), true);
    QCOMPARE(recent->index(1).data(ServerListModel::ServiceItemRole).toBool(), false);
    QCOMPARE(recent->attrBasicLabelText(1), QStringLiteral("Recent Servers"));
    QCOMPARE(recent->attrCountryFlagSource(2), Utils::flagSource("nl"));
    QCOMPARE(recent->attrExpandable(2), false);
    QCOMPARE(recent->attrExpandable(0), true);
}

void TestServerListModel::flatModelAfterSetServerList()
{
    auto flat = model(ServerListModel::Recommended);
    QCOMPARE(flat->objectName(), QStringLiteral("RecomendedServersModel"));
    QCOMPARE(flat->isEmpty(), false);
    QSignalSpy emptiness(flat.get(), &ServerListModel::isEmptyChanged);
    flat->setServerList(catalogue().mid(0, 3));
    QCOMPARE(flat->isEmpty(), true);
    QCOMPARE(emptiness.count(), 1);
    QCOMPARE(emptiness.first().first().toBool(), true);
    QCOMPARE(column(*flat, ServerListModel::CountryServerRole), QStringList({"true", "true", "true"}));
    QCOMPARE(flat->attrBasicLabelText(2), QStringLiteral("Berlin"));
    QCOMPARE(flat->attrCountryFlagSource(2), Utils::flagSource("de"));
    QCOMPARE(flat->attrExpandable(2), false);
    QCOMPARE(flat->attrFavoriteIconVisible(2), true);
    QCOMPARE(flat->expandableModel(), false);

    MessageRecorder recorder;
    flat->expandCurrentItem(QStringLiteral("10.0.0.1"), true);
    flat->expandAll();
    QCOMPARE(recorder.warnings(), QStringList({"RecomendedServersModel: This model can't be expanded!"}));
    QCOMPARE(flat->rowCount(), 3);

    flat->setServerList({});
    QCOMPARE(flat->isEmpty(), false);
}

void TestServerListModel::unknownCountryKeepsItsRow()
{
    auto list = model(ServerListModel::Catalogue);
    Servers servers = catalogue();
    servers << server("xq", "Nowhere", "xq-1.example.net", "10.0.9.1") << server("nl", "Utrecht", "nl-4", "10.0.0.4");
    list->createServerList(servers);
    // The unknown code has no name and sorts first; "nl" and "NL" are one country.
    QCOMPARE(column(*list, ServerListModel::CountryRole), QStringList({"xq", "de", "nl", "us"}));
    list->expandCurrentItem(rowId(*list, 0), true);
    QCOMPARE(list->index(1).data(ServerListModel::CityRole).toString(), QStringLiteral("Nowhere"));
    list->expandCurrentItem(rowId(*list, 3), true);
    QCOMPARE(list->rowCount(), 4 + 1 + 4);
}

void TestServerListModel::emptyFavoritesSection()
{
    auto recent = model(ServerListModel::FavoritesAndRecent);
    QCOMPARE(recent->objectName(), QStringLiteral("RecentServersModel"));
    recent->createRecentServerList(catalogue());
    QCOMPARE(column(*recent, ServerListModel::CountryRole), QStringList({"*1", "*2"}));
    QCOMPARE(column(*recent, ServerListModel::ServiceHeaderRole), QStringList({"true", "true"}));

    MessageRecorder recorder;
    const QString header = rowId(*recent, 0);
    recent->expandCurrentItem(header, true);
    QCOMPARE(recorder.texts(QtInfoMsg),
             QStringList({"RecentServersModel: Can't find servers for expandable operation, list is empty for server '"
                          + header + "'"}));
    QCOMPARE(recent->rowCount(), 2);
}

void TestServerListModel::favoritesSectionFollowsFavorites()
{
    Settings *settings = Settings::instance();
    settings->setFavorite(QStringLiteral("10.0.0.2"), true);
    settings->setFavorite(QStringLiteral("10.0.2.1"), true);
    // Two catalogue names for one address: both are favourites through it.
    Servers servers = catalogue();
    servers << server("US", "New York", "us-1b.example.net", "10.0.2.1");

    auto recent = model(ServerListModel::FavoritesAndRecent);
    recent->createRecentServerList(servers);
    recent->expandCurrentItem(rowId(*recent, 0), true);
    QCOMPARE(column(*recent, ServerListModel::NameRole),
             QStringList(
                 {"Favorite Servers", "nl-2.example.net", "us-1.example.net", "us-1b.example.net", "Recent Servers"}));

    recent->setFavorite(QStringLiteral("10.0.1.2"), true);
    recent->setFavorite(QStringLiteral("10.0.1.2"), true);
    QCOMPARE(recent->index(1).data(ServerListModel::NameRole).toString(), QStringLiteral("de-2.example.net"));
    QCOMPARE(recent->index(1).data(ServerListModel::FavoriteRole).toBool(), true);
    QCOMPARE(recent->rowCount(), 6);

    recent->setFavorite(QStringLiteral("10.0.2.1"), false);
    QCOMPARE(column(*recent, ServerListModel::NameRole),
             QStringList({"Favorite Servers", "de-2.example.net", "nl-2.example.net", "Recent Servers"}));

    MessageRecorder recorder;
    recent->setFavorite(QStringLiteral("10.9.9.9"), true);
    QCOMPARE(recorder.texts(QtInfoMsg), QStringList({"RecentServersModel: Can't find server with IP '10.9.9.9'"}));

    recent->expandCurrentItem(rowId(*recent, 0), false);
    QCOMPARE(recent->rowCount(), 2);

    // With the section closed the rows stay; only the flags follow.
    recent->setFavorite(QStringLiteral("10.0.0.2"), false);
    QCOMPARE(recent->rowCount(), 2);
    recent->expandCurrentItem(rowId(*recent, 0), true);
    QCOMPARE(column(*recent, ServerListModel::NameRole),
             QStringList({"Favorite Servers", "de-2.example.net", "Recent Servers"}));
}

void TestServerListModel::rebuildClosesSections()
{
    Settings::instance()->setFavorite(QStringLiteral("10.0.0.1"), true);
    auto recent = model(ServerListModel::FavoritesAndRecent);
    recent->createRecentServerList(catalogue());
    recent->expandCurrentItem(rowId(*recent, 0), true);
    recent->createRecentServerList(catalogue());
    // After the rebuild the section is closed and opens again with one click.
    recent->expandCurrentItem(rowId(*recent, 0), true);
    QCOMPARE(recent->rowCount(), 3);
    recent->expandCurrentItem(rowId(*recent, 0), false);
    QCOMPARE(column(*recent, ServerListModel::CountryRole), QStringList({"*1", "*2"}));
}

void TestServerListModel::recentSectionHoldsThreeLatest()
{
    auto recent = model(ServerListModel::FavoritesAndRecent);
    const Servers servers = catalogue();
    recent->createRecentServerList(servers);
    recent->expandCurrentItem(rowId(*recent, 1), true); // empty: stays closed
    recent->appendRecentServer(servers.at(0));
    QCOMPARE(recent->rowCount(), 2);
    recent->expandCurrentItem(rowId(*recent, 1), true);
    QCOMPARE(recent->rowCount(), 3);

    for (int i = 1; i < 5; ++i)
        recent->appendRecentServer(servers.at(i));
    QCOMPARE(column(*recent, ServerListModel::NameRole).mid(2),
             QStringList({"de-1.example.net", "nl-3.example.net", "us-1.example.net"}));

    // A server used again moves to the end instead of being the next one dropped.
    recent->appendRecentServer(servers.at(2));
    recent->appendRecentServer(servers.at(5));
    QCOMPARE(column(*recent, ServerListModel::NameRole).mid(2),
             QStringList({"us-1.example.net", "de-1.example.net", "de-2.example.net"}));

    auto catalogueModel = model(ServerListModel::Catalogue);
    catalogueModel->appendRecentServer(servers.at(0)); // not its list
    QCOMPARE(Settings::instance()->loadRecentServers(servers).size(), 3);
}

void TestServerListModel::currentServerReferences()
{
    auto list = model(ServerListModel::Catalogue);
    QSignalSpy texts(list.get(), &ServerListModel::locationTextChanged);
    list->createServerList(catalogue());
    QCOMPARE(list->locationText(), QStringLiteral("Not selected"));
    QCOMPARE(list->serverIp(), QString());
    QCOMPARE(list->locationImageSource(), QString());

    list->updateCurrentServer(QStringLiteral("3"));
    QCOMPARE(list->serverIp(), QStringLiteral("10.0.0.3"));
    QCOMPARE(list->locationText(), QStringLiteral("NL, Rotterdam"));
    QCOMPARE(list->locationImageSource(), Utils::flagSource("nl"));
    QCOMPARE(texts.count(), 1);

    list->updateCurrentServer(QStringLiteral("de-2.example.net"));
    QCOMPARE(list->serverIp(), QStringLiteral("10.0.1.2"));
    list->updateCurrentServer(QStringLiteral("10.0.2.1"));
    QCOMPARE(list->currentServerId(), QStringLiteral("10.0.2.1"));
    QCOMPARE(list->locationText(), QStringLiteral("US, New York"));

    // Two characters are a country code even when they are digits; no row has it.
    list->updateCurrentServer(QStringLiteral("12"));
    QCOMPARE(list->currentServerId(), QStringLiteral("10.0.2.1"));
    list->updateCurrentServer(QString());
    QCOMPARE(list->currentServerId(), QStringLiteral("10.0.2.1"));

    // An index past the list is no server; without notification nothing is announced.
    list->updateCurrentServer(QStringLiteral("420"));
    QCOMPARE(list->serverIp(), QString());
    const int announced = texts.count();
    list->updateCurrentServer(QStringLiteral("10.0.0.1"), false);
    QCOMPARE(list->serverIp(), QStringLiteral("10.0.0.1"));
    QCOMPARE(texts.count(), announced);
}

void TestServerListModel::countryCodeStartsSearch()
{
    auto list = model(ServerListModel::Catalogue);
    list->createServerList(catalogue());
    QSignalSpy search(list.get(), &ServerListModel::searchCountry);
    list->updateCurrentServer(QStringLiteral("nl"));
    QCOMPARE(list->currentServerId(), ServerListModel::searchMarker);
    QCOMPARE(list->locationText(), QStringLiteral("Search"));
    QCOMPARE(search.count(), 1);
    QCOMPARE(search.first(), QVariantList({"nl", Utils::flagSource("nl")}));

    // A country row's id (a UUID) names its country too.
    list->updateCurrentServer(rowId(*list, 0));
    QCOMPARE(search.count(), 2);
    QCOMPARE(search.last().first().toString(), QStringLiteral("de"));

    list->updateCurrentServer(QStringLiteral("fr"));
    QCOMPARE(search.count(), 2);
}

void TestServerListModel::announcementsAreSharedByModels()
{
    auto first = model(ServerListModel::Catalogue);
    auto second = model(ServerListModel::Recommended);
    first->createServerList(catalogue());
    second->setServerList(catalogue());
    QSignalSpy firstIp(first.get(), &ServerListModel::serverIpChanged);
    QSignalSpy secondIp(second.get(), &ServerListModel::serverIpChanged);
    first->updateCurrentServer(QStringLiteral("10.0.1.1"));
    second->updateCurrentServer(QStringLiteral("10.0.1.1"));
    QCOMPARE(firstIp.count(), 1);
    QCOMPARE(secondIp.count(), 0);
    second->updateCurrentServer(QStringLiteral("10.0.0.2"));
    QCOMPARE(secondIp.count(), 1);
    QCOMPARE(secondIp.first().first().toString(), QStringLiteral("10.0.0.2"));
}

void TestServerListModel::forcedNotificationForUnknownServer()
{
    Settings::instance()->saveCurrentServerId(QStringLiteral("gone.example.net"));
    MessageRecorder recorder;
    auto list = model(ServerListModel::Catalogue);
    QSignalSpy ip(list.get(), &ServerListModel::serverIpChanged);
    list->createServerList(catalogue());
    QCOMPARE(recorder.texts(QtInfoMsg), QStringList({"ServerListModel: Force emit notification: gone.example.net"}));
    QCOMPARE(ip.count(), 1);
    QCOMPARE(ip.first().first().toString(), QStringLiteral("gone.example.net"));

    // A stored country code is a search, not a server to announce.
    Settings::instance()->saveCurrentServerId(QStringLiteral("de"));
    auto other = model(ServerListModel::Catalogue);
    QSignalSpy search(other.get(), &ServerListModel::searchCountry);
    QSignalSpy otherIp(other.get(), &ServerListModel::serverIpChanged);
    other->createServerList(catalogue());
    QCOMPARE(search.count(), 1);
    QCOMPARE(otherIp.count(), 0);
}

void TestServerListModel::searchVisibility()
{
    auto list = model(ServerListModel::Catalogue);
    list->createServerList(catalogue());
    list->expandCurrentItem(rowId(*list, 1), true);
    QStringList visible;
    for (int i = 0; i < list->rowCount(); ++i)
        visible << QString::number(list->attrVisible(i, QStringLiteral("  ROTTER ")));
    QCOMPARE(visible, QStringList({"0", "1", "0", "0", "1", "0"}));
    for (int i = 0; i < list->rowCount(); ++i)
        QVERIFY(list->attrVisible(i, QStringLiteral(" \t  ")));
    // A closed country is found by its own name; the answers follow the rows as they change.
    QVERIFY(list->attrVisible(0, QStringLiteral("germ")));
    QVERIFY(!list->attrVisible(0, QStringLiteral("frank")));
    list->expandCurrentItem(rowId(*list, 0), true);
    QVERIFY(list->attrVisible(0, QStringLiteral("frank")));
    // Answers of one phrase are kept for the rows they were given for: once the rows move, no
    // server row is answered from the rows that were there before (asked last row first).
    const auto shownServers = [&](const QString &phrase) {
        int shown = 0;
        for (int i = list->rowCount() - 1; i >= 0; --i)
            shown += list->attrVisible(i, phrase) && !list->index(i).data(ServerListModel::CountryServerRole).toBool();
        return shown;
    };
    QCOMPARE(shownServers(QStringLiteral("frank")), 1);
    list->expandCurrentItem(rowId(*list, 0), false);
    QCOMPARE(shownServers(QStringLiteral("frank")), 0);
    QCOMPARE(shownServers(QStringLiteral("rotter")), 1);

    MessageRecorder recorder;
    QVERIFY(list->attrVisible(99, QStringLiteral("x")));
    QCOMPARE(recorder.warnings(), QStringList({"ServerListModel: Attr, out of index: 99"}));

    auto recent = model(ServerListModel::FavoritesAndRecent);
    recent->createRecentServerList(catalogue());
    QVERIFY(recent->attrVisible(0, QStringLiteral("zzz")));
}

void TestServerListModel::removeRowsRefusals()
{
    auto flat = model(ServerListModel::Recommended);
    QVERIFY(!flat->removeRows(0, 1));
    flat->setServerList(catalogue());
    QVERIFY(!flat->removeRows(0, 0));
    QVERIFY(!flat->removeRows(6, 1));
    QVERIFY(!flat->removeRows(-1, 1));
    QVERIFY(flat->removeRows(4, 10));
    QCOMPARE(flat->rowCount(), 4);
    QVERIFY(flat->removeRows(0, 1));
    QCOMPARE(rowId(*flat, 0), QStringLiteral("10.0.0.2"));
}

void TestServerListModel::portLists()
{
    ComboBoxListModel tcp(true);
    ComboBoxListModel udp(false);
    QAbstractItemModelTester tcpTester(&tcp, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QAbstractItemModelTester udpTester(&udp, QAbstractItemModelTester::FailureReportingMode::Fatal);
    QCOMPARE(tcp.objectName(), QStringLiteral("ComboBoxListModel"));
    QCOMPARE(tcp.rowCount(), Settings::tcpPorts().size());
    QCOMPARE(udp.rowCount(), Settings::udpPorts().size());
    QCOMPARE(tcp.rowCount(tcp.index(0)), 0);

    QCOMPARE(tcp.index(0).data(ComboBoxListModel::TextRole).toString(), QStringLiteral("Auto"));
    QCOMPARE(tcp.index(0).data(ComboBoxListModel::ValueRole).toInt(), 0);
    const int last = tcp.rowCount() - 1;
    QCOMPARE(tcp.index(last).data(ComboBoxListModel::Id).toInt(), last);
    QCOMPARE(tcp.index(last).data(ComboBoxListModel::TextRole).toString(),
             QString::number(Settings::tcpPorts().at(last)));
    QCOMPARE(udp.index(1).data(ComboBoxListModel::ValueRole).toInt(), int(Settings::udpPorts().at(1)));
    QCOMPARE(tcp.index(0).data(Qt::DisplayRole).toString(), QStringLiteral("Undefined"));
    QCOMPARE(tcp.data(QModelIndex(), ComboBoxListModel::TextRole).toString(), QStringLiteral("Undefined"));

    QCOMPARE(tcp.roleNames().value(258), QByteArray("text"));
    const QMetaEnum roles = QMetaEnum::fromType<ComboBoxListModel::ProxyRoles>();
    QCOMPARE(roles.keyToValue("Id"), 257);
    QCOMPARE(roles.keyToValue("TextRole"), 258);
    QCOMPARE(roles.keyToValue("ValueRole"), 259);
}

QTEST_GUILESS_MAIN(TestServerListModel)
#include "tst_serverlistmodel.moc"
