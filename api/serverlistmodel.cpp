#include "serverlistmodel.h"

#include "logger.h"

#include "countrynames.h"
#include "settings.h"
#include "utils.h"

#include <QDebug>

#include <algorithm>

const QString ServerListModel::searchMarker = QStringLiteral("<search>");
const QString ServerListModel::favoritesMarker = QStringLiteral("*1");
const QString ServerListModel::recentMarker = QStringLiteral("*2");

namespace {

// What the location properties last told the views, once for the whole process: the three
// models feed the same screen, and a value one of them announced need not be announced again.
struct Announced
{
    QString locationText;
    QString locationImageSource;
    QString serverIp;
};

Announced &lastAnnounced()
{
    static Announced announced;
    return announced;
}

} // namespace

void ServerListModel::forgetAnnouncementsForTesting()
{
    lastAnnounced() = Announced();
}

namespace {

QString objectNameForKind(ServerListModel::Kind kind)
{
    switch (kind) {
    case ServerListModel::Recommended: return QStringLiteral("RecomendedServersModel");
    case ServerListModel::Catalogue: return QStringLiteral("ServerListModel");
    case ServerListModel::FavoritesAndRecent: return QStringLiteral("RecentServersModel");
    }
    return QStringLiteral("ServerListModel");
}

bool sameCountry(const QString &a, const QString &b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isDigitsOnly(const QString &text)
{
    return !text.isEmpty() && std::all_of(text.cbegin(), text.cend(), [](QChar c) { return c.isDigit(); });
}

} // namespace

ServerListModel::ServerListModel(Kind kind, QObject *parent)
    : QAbstractListModel(parent)
    , m_kind(kind)
{
    setObjectName(objectNameForKind(kind));
}

int ServerListModel::rowCount(const QModelIndex &parent) const
{
    return parent.isValid() ? 0 : m_rows.size();
}

QVariant ServerListModel::data(const QModelIndex &index, int role) const
{
    if (index.row() < 0)
        return QStringLiteral("0");
    if (index.row() >= m_rows.size())
        return QVariant();

    const Server &row = m_rows.at(index.row());
    switch (role) {
    case IdRole: return row.id;
    case CountryServerRole: return m_allCountryRows || row.countryServer;
    case CountryRole: return row.country.toLower();
    case CountryNameRole: return row.countryDisplayName();
    case CityRole: return row.city;
    case NameRole: return row.name;
    case FavoriteRole: return row.favorite;
    case ServiceHeaderRole: return row.serviceHeader;
    case ServiceItemRole: return m_kind == FavoritesAndRecent && !row.serviceHeader;
    case CountryFlagSourceRole: return Utils::flagSource(row.country);
    case SearchFieldRole:
        return QStringLiteral("%1:%2:%3:%4").arg(row.countryDisplayName(), row.city, row.name, row.ip).toLower();
    default: return QVariant();
    }
}

QHash<int, QByteArray> ServerListModel::roleNames() const
{
    return {
        {IdRole, "Id"},
        {CountryServerRole, "CountryServer"},
        {CountryRole, "Country"},
        {CountryNameRole, "CountryName"},
        {CityRole, "City"},
        {NameRole, "Name"},
        {FavoriteRole, "Favorite"},
        {ServiceHeaderRole, "ServiceHeader"},
        {ServiceItemRole, "ServiceItem"},
        {CountryFlagSourceRole, "CountryFlagSource"},
        {SearchFieldRole, "SearchField"},
    };
}

bool ServerListModel::removeRows(int first, int count, const QModelIndex &parent)
{
    if (parent.isValid() || m_rows.isEmpty() || count < 1 || first < 0 || first >= m_rows.size())
        return false;
    removeRowsAt(first, std::min(count, m_rows.size() - first));
    return true;
}

QString ServerListModel::sectionTitle(const QString &marker)
{
    return marker == favoritesMarker ? tr("Favorite Servers") : tr("Recent Servers");
}

void ServerListModel::retranslate()
{
    if (m_kind != FavoritesAndRecent)
        return;
    for (Server &row : m_topLevelRows) {
        if (row.serviceHeader)
            row.name = sectionTitle(row.country);
    }
    for (int i = 0; i < m_rows.size(); ++i) {
        Server &row = m_rows[i];
        if (!row.serviceHeader)
            continue;
        row.name = sectionTitle(row.country);
        emit dataChanged(index(i), index(i));
    }
}

Server ServerListModel::currentServer() const
{
    if (m_currentServerId.isEmpty())
        return Server();
    for (const Server &row : m_rows) {
        if (row.id == m_currentServerId)
            return row;
    }
    for (const Server &server : m_allServers) {
        if (server.id == m_currentServerId || server.name == m_currentServerId)
            return server;
    }
    return Server();
}

QString ServerListModel::locationImageSource() const
{
    const Server server = currentServer();
    return server.isValid() ? Utils::flagSource(server.country) : QString();
}

QString ServerListModel::locationText() const
{
    if (m_currentServerId == searchMarker)
        return tr("Search");
    const Server server = currentServer();
    return server.isValid() ? server.locationText() : tr("Not selected");
}

QString ServerListModel::serverIp() const
{
    return currentServer().ip;
}

void ServerListModel::appendRecentServer(Server server)
{
    if (m_kind != FavoritesAndRecent)
        return;
    Settings *settings = Settings::instance();
    Servers recent = settings->loadRecentServers(m_allServers);
    // The server moves to the end: the list keeps the first of equal entries, so an old entry
    // would hold the server at its old place and it would be the next one dropped.
    recent.erase(
        std::remove_if(recent.begin(), recent.end(), [&server](const Server &entry) { return entry.ip == server.ip; }),
        recent.end());
    recent << server;
    settings->saveRecentServers(recent);
    rebuildRecentSection(m_recentExpanded);
}

void ServerListModel::createRecentServerList(Servers serverList)
{
    if (m_kind != FavoritesAndRecent)
        return;
    serverList.erase(
        std::remove_if(serverList.begin(), serverList.end(), [](const Server &server) { return server.countryServer; }),
        serverList.end());
    createServerList(serverList, true);
}

void ServerListModel::createServerList(Servers serverList, bool notyfy)
{
    Settings *settings = Settings::instance();
    applyFavorites(serverList, settings->favorites());
    m_allServers = serverList;
    m_catalogueByCountryValid = false;

    Servers rows = buildRows(m_allServers);
    if (m_kind != Recommended)
        applyFavorites(rows, settings->favorites());
    replaceRows(rows);
    // The rebuilt list shows its top-level rows only: every section is closed.
    m_recentExpanded = false;
    m_favoritesExpanded = false;

    const QString storedId = settings->currentServerId();
    updateCurrentServer(storedId, notyfy);
    emit isEmptyChanged(isEmpty());

    if (m_kind == Catalogue && !m_serverIpAnnounced && !storedId.isEmpty() && !CountryNames::isKnownCode(storedId)) {
        Log::info(this, QStringLiteral("Force emit notification: %1").arg(storedId));
        emit serverIpChanged(storedId);
    }
    m_topLevelRows = m_rows;
}

void ServerListModel::setServerList(Servers serverList)
{
    m_allCountryRows = true;
    replaceRows(Servers());
    createServerList(serverList, true);
}

Servers ServerListModel::buildRows(const Servers &servers) const
{
    switch (m_kind) {
    case Recommended: return servers;
    case FavoritesAndRecent:
        return {Server::createCountryRow(favoritesMarker, sectionTitle(favoritesMarker)),
                Server::createCountryRow(recentMarker, sectionTitle(recentMarker))};
    case Catalogue: break;
    }

    // One row per country, in the order of the country names. A code the name table does not
    // know keeps its own row (its servers would otherwise be unreachable), and a code written
    // in two cases is one country.
    struct Country
    {
        QString name;
        QString code;
    };
    QVector<Country> countries;
    QSet<QString> seen;
    for (const Server &server : servers) {
        const QString code = server.country.toLower();
        if (seen.contains(code))
            continue;
        seen.insert(code);
        const QString name = CountryNames::nameForCode(code);
        const QString known = name.isEmpty() ? QString() : CountryNames::codeForName(name);
        countries.push_back({name, known.isEmpty() ? code : known});
    }
    std::stable_sort(countries.begin(), countries.end(), [](const Country &a, const Country &b) {
        return a.name < b.name || (a.name == b.name && a.code < b.code);
    });

    Servers rows;
    rows.reserve(countries.size());
    for (const Country &country : countries)
        rows << Server::createCountryRow(country.code);
    return rows;
}

void ServerListModel::replaceRows(const Servers &rows)
{
    if (!m_rows.isEmpty()) {
        beginRemoveRows(QModelIndex(), 0, m_rows.size() - 1);
        m_rows.clear();
        m_rowsPerCountry.clear();
        m_matchesValid = false;
        endRemoveRows();
    }
    insertRowsAt(0, rows);
}

void ServerListModel::countRows(const Servers &rows, int sign)
{
    for (const Server &row : rows) {
        int &count = m_rowsPerCountry[row.country.toLower()];
        count += sign;
    }
}

void ServerListModel::insertRowsAt(int position, const Servers &servers)
{
    if (servers.isEmpty())
        return;
    beginInsertRows(QModelIndex(), position, position + servers.size() - 1);
    // In place: the list holds pointers, so each insertion moves only the pointers on the
    // shorter side, and the rows already there are neither copied nor reallocated.
    m_rows.reserve(m_rows.size() + servers.size());
    for (int i = 0; i < servers.size(); ++i)
        m_rows.insert(position + i, servers.at(i));
    countRows(servers, 1);
    m_matchesValid = false;
    endInsertRows();
}

void ServerListModel::removeRowsAt(int position, int count)
{
    if (count < 1)
        return;
    beginRemoveRows(QModelIndex(), position, position + count - 1);
    countRows(m_rows.mid(position, count), -1);
    m_rows.erase(m_rows.begin() + position, m_rows.begin() + position + count);
    m_matchesValid = false;
    endRemoveRows();
}

void ServerListModel::announceDataChange()
{
    if (!m_rows.isEmpty())
        emit dataChanged(index(0), index(m_rows.size() - 1));
}

void ServerListModel::rebuildRecentSection(bool open)
{
    m_recentExpanded = open;
    const Servers recent = Settings::instance()->loadRecentServers(m_allServers);
    const int header = lastHeaderRow(recentMarker);
    if (header < 0) {
        Log::info(this, QStringLiteral("Can't find parent item!"));
        return;
    }
    if (open) {
        removeRowsAt(header + 1, m_rows.size() - header - 1);
        insertRowsAt(header + 1, recent);
    }
    announceDataChange();
}

int ServerListModel::rowOfId(const QString &id, int from) const
{
    for (int i = from; i < m_rows.size(); ++i) {
        if (m_rows.at(i).id == id)
            return i;
    }
    // Only then before `from`: the callers that start later look for a country's or a
    // section's id, a fresh UUID that no other row has.
    for (int i = 0; i < std::min(from, m_rows.size()); ++i) {
        if (m_rows.at(i).id == id)
            return i;
    }
    return -1;
}

Servers ServerListModel::serversOfCountryInCatalogue(const QString &country) const
{
    if (!m_catalogueByCountryValid) {
        m_catalogueByCountry.clear();
        for (int i = 0; i < m_allServers.size(); ++i)
            m_catalogueByCountry[m_allServers.at(i).country.toLower()].push_back(i);
        m_catalogueByCountryValid = true;
    }
    Servers servers;
    const QVector<int> indexes = m_catalogueByCountry.value(country.toLower());
    servers.reserve(indexes.size());
    for (int i : indexes)
        servers << m_allServers.at(i);
    return servers;
}

int ServerListModel::lastHeaderRow(const QString &marker) const
{
    for (int i = m_rows.size() - 1; i >= 0; --i) {
        const Server &row = m_rows.at(i);
        if (row.countryServer && row.country == marker)
            return i;
    }
    return -1;
}

int ServerListModel::openRowsAfter(int row) const
{
    const Server &top = m_rows.at(row);
    int count = 0;
    for (int i = row + 1; i < m_rows.size(); ++i) {
        const Server &next = m_rows.at(i);
        if (next.countryServer || (m_kind == Catalogue && !sameCountry(next.country, top.country)))
            break;
        ++count;
    }
    return count;
}

void ServerListModel::expandCurrentItem(QString serverId, bool expand)
{
    if (m_kind != Catalogue && m_kind != FavoritesAndRecent) {
        Log::warning(this, QStringLiteral("This model can't be expanded!"));
        return;
    }
    expandRow(rowOfId(serverId), serverId, expand);
}

void ServerListModel::expandRow(int u, const QString &serverId, bool expand)
{
    if (u < 0) {
        Log::warning(this,
                     QStringLiteral("Can't find server '%1' for expandable operation: %2")
                         .arg(serverId, QString::number(int(expand))));
        return;
    }
    const Server row = m_rows.at(u);
    // Only a country or a section opens: under a server it would show its country's servers a
    // second time, and closing it would take rows of its neighbours.
    if (!row.countryServer) {
        Log::warning(this, QStringLiteral("Server '%1' can't be expanded").arg(serverId));
        return;
    }

    const bool isFavoritesHeader = m_kind == FavoritesAndRecent && row.country == favoritesMarker;
    const bool isRecentHeader = m_kind == FavoritesAndRecent && row.country == recentMarker;
    if ((isFavoritesHeader && expand == m_favoritesExpanded) || (isRecentHeader && expand == m_recentExpanded))
        return;

    if (m_kind == Catalogue) {
        const int collected = m_rowsPerCountry.value(row.country.toLower());
        if ((expand && collected >= 2) || (!expand && collected == 1))
            return;
    }

    Servers servers;
    if (isFavoritesHeader) {
        for (const Server &server : qAsConst(m_allServers)) {
            if (server.favorite)
                servers << server;
        }
    } else if (isRecentHeader) {
        servers = Settings::instance()->loadRecentServers(m_allServers);
    } else {
        servers = serversOfCountryInCatalogue(row.country);
    }
    // A section with nothing to show stays closed: marked open, it would take the next
    // server added as shown and ignore the click that opens it.
    if (!servers.isEmpty() || !expand) {
        if (isFavoritesHeader)
            m_favoritesExpanded = expand;
        else if (isRecentHeader)
            m_recentExpanded = expand;
    }
    if (servers.isEmpty()) {
        Log::info(
            this,
            QStringLiteral("Can't find servers for expandable operation, list is empty for server '%1'").arg(serverId));
        return;
    }

    if (expand)
        insertRowsAt(u + 1, servers);
    else
        // No more than the rows the section shows: the list may have changed since it opened.
        removeRowsAt(u + 1, std::min(servers.size(), openRowsAfter(u)));

    announceDataChange();
    emit expandableStateChanged(serverId, expand);
}

void ServerListModel::expandAll()
{
    if (!expandableModel())
        return;
    // The top-level rows keep their order among the rows, so each is found after the last one
    // and its servers: one pass over the rows instead of one search from the start per country.
    int from = 0;
    for (const Server &row : Servers(m_topLevelRows)) {
        const int u = rowOfId(row.id, from);
        expandRow(u, row.id, true);
        if (u >= 0)
            from = u + 1;
    }
}

void ServerListModel::collapseAll()
{
    if (!expandableModel())
        return;
    int from = 0;
    for (const Server &row : Servers(m_topLevelRows)) {
        const int u = rowOfId(row.id, from);
        expandRow(u, row.id, false);
        if (u >= 0)
            from = u + 1;
    }
}

bool ServerListModel::expandableModel() const
{
    return m_kind == Catalogue || m_kind == FavoritesAndRecent;
}

QString ServerListModel::attrBasicLabelText(int i) const
{
    const QModelIndex at = index(i);
    if (m_kind != Recommended && at.data(CountryServerRole).toBool())
        return at.data(CountryNameRole).toString();
    return at.data(CityRole).toString();
}

QString ServerListModel::attrCountryFlagSource(int i) const
{
    const QModelIndex at = index(i);
    if (at.data(ServiceItemRole).toBool() || m_kind == Recommended)
        return at.data(CountryFlagSourceRole).toString();
    return at.data(CountryServerRole).toBool() ? at.data(CountryFlagSourceRole).toString() : QString();
}

bool ServerListModel::attrExpandable(int i) const
{
    if (index(i).data(ServiceItemRole).toBool())
        return false;
    return m_kind != Recommended;
}

bool ServerListModel::attrFavoriteIconVisible(int i) const
{
    return m_kind == Recommended || !index(i).data(CountryServerRole).toBool();
}

bool ServerListModel::attrVisible(int i, QString searchPhrase) const
{
    const QString phrase = searchPhrase.simplified();
    if (phrase.isEmpty())
        return true;
    if (i < 0 || i >= m_rows.size()) {
        Log::warning(this, QStringLiteral("Attr, out of index: %1").arg(i));
        return true;
    }
    const Server &row = m_rows.at(i);
    if (row.serviceHeader && (m_kind == Recommended || m_kind == FavoritesAndRecent))
        return true;
    if (m_kind == Catalogue) {
        // The view asks row by row for one phrase: one pass answers every row of it, and each
        // server is matched once, not once for its country and once for itself.
        if (!m_matchesValid || m_matchedPhrase != phrase) {
            m_matchedCountries.clear();
            m_rowMatches.resize(m_rows.size());
            for (int r = 0; r < m_rows.size(); ++r) {
                m_rowMatches[r] = isSearchMatch(r, phrase);
                if (m_rowMatches[r])
                    m_matchedCountries.insert(m_rows.at(r).country.toLower());
            }
            m_matchedPhrase = phrase;
            m_matchesValid = true;
        }
        // The country row's own match is among the matched countries.
        if (row.countryServer)
            return m_matchedCountries.contains(row.country.toLower());
        return m_rowMatches.at(i);
    }
    return isSearchMatch(i, phrase);
}

bool ServerListModel::isSearchMatch(int row, const QString &phrase) const
{
    return m_rows.at(row).matchesSearch(phrase);
}

void ServerListModel::setFavorite(QString serverId, bool set)
{
    setFavoriteByIp(m_allServers, serverId, set);
    setFavoriteByIp(m_rows, serverId, set);
    announceDataChange();

    if (m_kind != FavoritesAndRecent || !m_favoritesExpanded)
        return;
    int recentHeader = lastHeaderRow(recentMarker);
    if (recentHeader < 0)
        recentHeader = m_rows.size();

    if (!set) {
        // Every row of the open section with this address goes, not only the first: the
        // section must not go on showing a server that is no longer a favourite.
        for (int d = recentHeader - 1; d > 0; --d) {
            if (m_rows.at(d).ip == serverId && !m_rows.at(d).countryServer)
                removeRowsAt(d, 1);
        }
        return;
    }

    const Server server = serverByIp(m_allServers, serverId);
    if (!server.isValid()) {
        Log::info(this, QStringLiteral("Can't find server with IP '%1'").arg(serverId));
        return;
    }
    for (int d = 1; d < recentHeader; ++d) {
        if (m_rows.at(d).ip == serverId)
            return; // shown already: a second row would outlive the section's closing
    }
    insertRowsAt(1, {server});
}

void ServerListModel::updateCurrentServer(QString serverId, bool notify)
{
    if (serverId.isEmpty())
        return;
    if (Utils::isIpv4Address(serverId))
        serverId = nameForIp(m_rows, serverId);

    if (isUuidText(serverId) || isCountryCode(serverId)) {
        QString country;
        const int row = rowOfId(serverId);
        if (row >= 0) {
            country = m_rows.at(row).country;
        } else if (isCountryCode(serverId)) {
            for (const Server &other : qAsConst(m_rows)) {
                if (sameCountry(other.country, serverId)) {
                    country = other.country;
                    break;
                }
            }
        }
        if (country.isEmpty())
            return;
        m_currentServerId = searchMarker;
        emit searchCountry(country, Utils::flagSource(country));
        return;
    }

    if (isDigitsOnly(serverId)) {
        bool ok = false;
        const qulonglong at = serverId.toULongLong(&ok);
        if (ok && at < qulonglong(m_allServers.size()))
            serverId = m_allServers.at(int(at)).ip;
    }
    if (Utils::isIpv4Address(serverId)) {
        m_currentServerId = serverId;
    } else {
        if (m_rows.isEmpty())
            return;
        m_currentServerId = isHostName(serverId) ? ipForName(m_rows, serverId) : m_rows.first().id;
    }
    if (serverIp().isEmpty())
        return;
    if (notify)
        announceChanges();
}

void ServerListModel::announceChanges()
{
    Announced &last = lastAnnounced();
    const QString text = locationText();
    if (text != last.locationText) {
        last.locationText = text;
        emit locationTextChanged(text);
    }
    const QString image = locationImageSource();
    if (image != last.locationImageSource) {
        last.locationImageSource = image;
        emit locationImageSourceChanged(image);
    }
    const QString ip = serverIp();
    if (ip != last.serverIp) {
        last.serverIp = ip;
        m_serverIpAnnounced = true;
        emit serverIpChanged(ip);
    }
}
