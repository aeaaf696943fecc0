// How the catalogue list copes with a large provider: the rebuild, opening every country and
// a search over every row, each against the floor of a bare pass over the same servers.
#include "countrynames.h"
#include "serverlistmodel.h"
#include "settings.h"
#include "timing.h"

#include <QCoreApplication>
#include <QTemporaryDir>

#include <cstdio>

namespace {

Servers generatedServers(int count, int countries)
{
    // Real codes, so that every country has a name and a row of its own.
    static const QStringList pool = [] {
        QStringList codes;
        for (char a = 'a'; a <= 'z'; ++a) {
            for (char b = 'a'; b <= 'z'; ++b) {
                const QString code = QString(QLatin1Char(a)) + QLatin1Char(b);
                if (!CountryNames::nameForCode(code).isEmpty())
                    codes << code;
            }
        }
        return codes;
    }();
    Servers servers;
    for (int i = 0; i < count; ++i) {
        Server server;
        server.country = pool.at((i % countries) % pool.size()).toUpper();
        server.city = QStringLiteral("City %1").arg((i * 31) % 97);
        server.ip = QStringLiteral("10.%1.%2.%3").arg(i / 65536).arg((i / 256) % 256).arg(i % 256);
        server.name = QStringLiteral("%1-%2.example.net").arg(server.country.toLower()).arg(i);
        server.id = server.ip;
        servers << server;
    }
    return servers;
}

} // namespace

int main(int argc, char **argv)
{
    // The model reads favourites and the current server from the settings: a store of its own.
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
    QCoreApplication application(argc, argv);
    qputenv("QT_LOGGING_RULES", "*.info=false");

    constexpr int count = 10000;
    constexpr int countries = 150;
    constexpr int rounds = 15;
    const Servers servers = generatedServers(count, countries);
    const QString phrase = QStringLiteral("city 4");

    ServerListModel model(ServerListModel::Catalogue);
    const double create = medianMilliseconds(rounds, [&] { model.createServerList(servers); });
    const int countryRows = model.rowCount();

    const double expand = medianMilliseconds(rounds,
                                             [&] {
                                                 model.createServerList(servers);
                                                 model.expandAll();
                                             })
        - create;
    const int allRows = model.rowCount();

    // A phrase of its own each round, as typing gives: nothing is left from the last round.
    int visible = 0;
    int round = 0;
    const double search = medianMilliseconds(rounds, [&] {
        const QString typed = ++round % 2 ? phrase : phrase.toUpper();
        visible = 0;
        for (int i = 0; i < model.rowCount(); ++i)
            visible += model.attrVisible(i, typed) ? 1 : 0;
    });

    int matched = 0;
    const double floor = medianMilliseconds(rounds, [&] {
        matched = 0;
        for (const Server &server : servers)
            matched += server.matchesSearch(phrase) ? 1 : 0;
    });

    std::printf("catalogue: %d servers in %d countries\n", count, countryRows);
    std::printf("createServerList:          %8.2f ms (%d country rows)\n", create, countryRows);
    std::printf("expandAll:                 %8.2f ms (%d rows)\n", expand, allRows);
    std::printf("attrVisible over all rows: %8.2f ms (%d visible)\n", search, visible);
    std::printf("matchesSearch per server:  %8.2f ms (%d matched, the floor of a search)\n", floor, matched);
    std::printf("search ratio: %.2f\n", search / floor);
    return allRows == count + countryRows ? 0 : 1;
}
