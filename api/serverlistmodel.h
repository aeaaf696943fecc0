#pragma once

#include "server.h"

#include <QAbstractListModel>
#include <QHash>
#include <QSet>

// The rows behind the location screens. One class serves three lists, told apart by the kind
// fixed at construction: the recommended servers (flat), the catalogue by country (a country
// opens to show its servers) and the favourites-and-recent list (two sections that open). It
// also tracks the current server and publishes its location, flag and address.
class ServerListModel final : public QAbstractListModel
{
    Q_OBJECT

    Q_PROPERTY(QString locationImageSource READ locationImageSource NOTIFY locationImageSourceChanged)
    Q_PROPERTY(QString locationText READ locationText NOTIFY locationTextChanged)
    Q_PROPERTY(QString serverIp READ serverIp NOTIFY serverIpChanged)
    // True when the model holds rows: the views are shown while it is.
    Q_PROPERTY(bool isEmpty READ isEmpty NOTIFY isEmptyChanged)

public:
    enum Kind {
        Recommended = 1,
        Catalogue = 2,
        FavoritesAndRecent = 3,
    };

    enum Role {
        IdRole = 256,
        CountryServerRole,
        CountryRole,
        CountryNameRole,
        CityRole,
        NameRole,
        FavoriteRole,
        ServiceHeaderRole,
        ServiceItemRole,
        CountryFlagSourceRole,
        SearchFieldRole,
    };

    static const QString searchMarker;
    static const QString favoritesMarker;
    static const QString recentMarker;

    explicit ServerListModel(Kind kind, QObject *parent = nullptr);

    Kind kind() const { return m_kind; }

    // For tests that make the models again in one process: what the location properties last
    // announced is kept once per process, as the program has one set of models.
    static void forgetAnnouncementsForTesting();

    int rowCount(const QModelIndex &parent = QModelIndex()) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QHash<int, QByteArray> roleNames() const override;
    // Refuses an empty model, a count below 1 and a first row past the last one.
    bool removeRows(int first, int count, const QModelIndex &parent = QModelIndex()) override;
    // The section titles are our own texts: they follow a language switch.
    void retranslate();

    QString locationImageSource() const;
    QString locationText() const;
    QString serverIp() const;
    bool isEmpty() const { return !m_rows.isEmpty(); }

    QString currentServerId() const { return m_currentServerId; }
    const Servers &rows() const { return m_rows; }
    const Servers &allServers() const { return m_allServers; }

signals:
    void expandableStateChanged(QString srvId, bool expand);
    void isEmptyChanged(bool empty);
    void locationImageSourceChanged(QString locationImageSource);
    void locationTextChanged(QString locationText);
    void searchCountry(QString countryCode, QString locationImageSource);
    void serverIpChanged(QString ip);

public slots:
    void appendRecentServer(Server server);
    void createRecentServerList(Servers serverList);
    void createServerList(Servers serverList, bool notyfy = true);
    void setServerList(Servers serverList);

public:
    Q_INVOKABLE QString attrBasicLabelText(int indexOfThisDelegate) const;
    Q_INVOKABLE QString attrCountryFlagSource(int indexOfThisDelegate) const;
    Q_INVOKABLE bool attrExpandable(int indexOfThisDelegate) const;
    Q_INVOKABLE bool attrFavoriteIconVisible(int indexOfThisDelegate) const;
    Q_INVOKABLE bool attrVisible(int indexOfThisDelegate, QString searchPhrase) const;
    Q_INVOKABLE bool expandableModel() const;
    Q_INVOKABLE void collapseAll();
    Q_INVOKABLE void expandAll();
    Q_INVOKABLE void expandCurrentItem(QString serverId, bool expand);
    Q_INVOKABLE void setFavorite(QString serverId, bool set = true);
    Q_INVOKABLE void updateCurrentServer(QString serverId, bool notify = true);

    void rebuildRecentSection(bool open);

private:
    Servers buildRows(const Servers &servers) const;
    void replaceRows(const Servers &rows);
    void insertRowsAt(int position, const Servers &servers);
    void removeRowsAt(int position, int count);
    void announceDataChange();
    void announceChanges();
    Server currentServer() const;
    int rowOfId(const QString &id, int from = 0) const;
    void expandRow(int u, const QString &serverId, bool expand);
    Servers serversOfCountryInCatalogue(const QString &country) const;
    void countRows(const Servers &rows, int sign);
    int lastHeaderRow(const QString &marker) const;
    static QString sectionTitle(const QString &marker);
    // The rows shown under the top-level row `row` (its section or its country's servers).
    int openRowsAfter(int row) const;
    bool isSearchMatch(int row, const QString &phrase) const;

    const Kind m_kind;
    QString m_currentServerId;
    Servers m_rows;
    Servers m_allServers;
    Servers m_topLevelRows;
    bool m_allCountryRows = false;
    bool m_recentExpanded = false;
    bool m_favoritesExpanded = false;
    bool m_serverIpAnnounced = false;

    // Opening every country asks for each country's servers and whether it is open: the servers
    // of each country (lower case) as indexes into m_allServers in their order, built once per
    // catalogue, and the number of rows each country has now, kept with every row change.
    mutable QHash<QString, QVector<int>> m_catalogueByCountry;
    mutable bool m_catalogueByCountryValid = false;
    QHash<QString, int> m_rowsPerCountry;

    // Which countries of the rows match the last search phrase: a search asks for every row,
    // and each country row would otherwise scan all rows again.
    mutable QString m_matchedPhrase;
    mutable QSet<QString> m_matchedCountries;
    mutable QVector<bool> m_rowMatches;
    mutable bool m_matchesValid = false;
};
