#include "providerlayout.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>
#include <QSet>
#include <QXmlStreamWriter>

namespace {

bool isIpv4(const QString &text, QHostAddress *address = nullptr)
{
    // QHostAddress also takes "1", "1.2" and IPv6; the layout means dotted quads only.
    static const QRegularExpression dotted(QStringLiteral("^(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})\\.(\\d{1,3})$"));
    const QRegularExpressionMatch match = dotted.match(text);
    if (!match.hasMatch())
        return false;
    for (int i = 1; i <= 4; ++i) {
        if (match.captured(i).toInt() > 255)
            return false;
    }
    const QHostAddress parsed(text);
    if (parsed.isNull() || parsed.toIPv4Address() == 0 || parsed.isBroadcast() || parsed.isMulticast()
        || parsed.isLoopback())
        return false;
    if (address)
        *address = parsed;
    return true;
}

bool isCountry(const QString &text)
{
    static const QRegularExpression code(QStringLiteral("^[A-Za-z]{2}$"));
    return code.match(text).hasMatch();
}

bool isHostName(const QString &text)
{
    static const QRegularExpression name(QStringLiteral("^(?=.{1,253}$)[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?"
                                                        "(?:\\.[A-Za-z0-9](?:[A-Za-z0-9-]{0,61}[A-Za-z0-9])?)*$"));
    return name.match(text).hasMatch();
}

// Printable text of one line: no control characters, at most the given length.
bool isPlainText(const QString &text, int maxLength)
{
    if (text.isEmpty() || text.size() > maxLength || text.trimmed() != text)
        return false;
    for (QChar c : text) {
        if (c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return false;
    }
    return true;
}

bool isLoginWord(const QString &text)
{
    static const QRegularExpression word(QStringLiteral("^[A-Za-z0-9._@+-]{1,64}$"));
    return word.match(text).hasMatch();
}

bool readNumber(const QString &text, int min, int max, int *value)
{
    static const QRegularExpression digits(QStringLiteral("^\\d{1,6}$"));
    if (!digits.match(text).hasMatch())
        return false;
    *value = text.toInt();
    return *value >= min && *value <= max;
}

bool readPorts(const QString &text, QList<quint16> *ports)
{
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (words.isEmpty())
        return false;
    for (const QString &word : words) {
        int port = 0;
        if (!readNumber(word, 1, 65535, &port) || ports->contains(quint16(port)))
            return false;
        ports->append(quint16(port));
    }
    return true;
}

bool isWireGuardKey(const QByteArray &key)
{
    static const QRegularExpression base64(QStringLiteral("^[A-Za-z0-9+/]{43}=$"));
    return base64.match(QString::fromLatin1(key)).hasMatch();
}

} // namespace

ProviderLayout ProviderLayout::read(const QString &path, QString *error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, file.errorString());
        return {};
    }
    ProviderLayout layout = parse(file.readAll(), QFileInfo(path).absolutePath(), error);
    if (!error->isEmpty())
        *error = QStringLiteral("%1:%2").arg(path, *error);
    return layout;
}

ProviderLayout ProviderLayout::parse(const QByteArray &text, const QString &folder, QString *error)
{
    error->clear();
    ProviderLayout layout;
    QSet<QString> addresses;
    QSet<QString> names;
    const QList<QByteArray> lines = text.split('\n');
    for (int number = 1; number <= lines.size(); ++number) {
        const QString line = QString::fromUtf8(lines.at(number - 1)).trimmed();
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')))
            continue;
        const QStringList fields = line.split(QLatin1Char('|'));
        const QString kind = fields.first();
        const auto fail = [&](const QString &what) {
            *error = QStringLiteral("%1: %2").arg(number).arg(what);
            return ProviderLayout();
        };
        const auto takeAddress = [&](const QString &field, QHostAddress *address) {
            if (!isIpv4(field, address) || addresses.contains(address->toString()))
                return false;
            addresses.insert(address->toString());
            return true;
        };
        if (kind == QLatin1String("server")) {
            if (fields.size() != 6)
                return fail(QStringLiteral("a server has 5 fields: country, city, name, address, round trip"));
            Server server;
            if (!isCountry(fields.at(1)))
                return fail(QStringLiteral("'%1' is not a two-letter country code").arg(fields.at(1)));
            server.country = fields.at(1).toLower();
            if (!isPlainText(fields.at(2), 64))
                return fail(QStringLiteral("the city must be printable text of up to 64 characters"));
            server.city = fields.at(2);
            if (!isHostName(fields.at(3)) || names.contains(fields.at(3).toLower()))
                return fail(QStringLiteral("'%1' is not a host name of its own").arg(fields.at(3)));
            names.insert(fields.at(3).toLower());
            server.name = fields.at(3);
            if (!takeAddress(fields.at(4), &server.address))
                return fail(QStringLiteral("'%1' is not an IPv4 address of its own").arg(fields.at(4)));
            if (!readNumber(fields.at(5), 0, 5000, &server.latencyMs))
                return fail(QStringLiteral("the round trip is a number of milliseconds up to 5000"));
            layout.m_servers << server;
        } else if (kind == QLatin1String("backend")) {
            int port = 0;
            if (fields.size() != 3 || !takeAddress(fields.at(1), &layout.m_backendAddress)
                || !readNumber(fields.at(2), 1, 65535, &port))
                return fail(QStringLiteral("the backend is an IPv4 address of its own and a port"));
            layout.m_backendPort = quint16(port);
        } else if (kind == QLatin1String("client")) {
            const QStringList network = fields.value(1).split(QLatin1Char('/'));
            int &prefix = layout.m_clientPrefix;
            QHostAddress &gateway = layout.m_clientGateway;
            if (fields.size() != 4 || network.size() != 2 || !takeAddress(network.at(0), &layout.m_clientAddress)
                || !readNumber(network.at(1), 8, 30, &prefix) || !takeAddress(fields.at(2), &gateway)
                || !gateway.isInSubnet(layout.m_clientAddress, prefix) || !isCountry(fields.at(3)))
                return fail(QStringLiteral(
                    "the client is an IPv4 address with its prefix, a gateway in its network and a country"));
            layout.m_clientCountry = fields.at(3).toLower();
        } else if (kind == QLatin1String("tunnel-only")) {
            if (fields.size() != 2 || !takeAddress(fields.at(1), &layout.m_tunnelOnlyAddress))
                return fail(QStringLiteral("the tunnel-only host is an IPv4 address of its own"));
        } else if (kind == QLatin1String("account")) {
            if (fields.size() != 5)
                return fail(QStringLiteral(
                    "an account has 4 fields: user, password, WireGuard address, WireGuard private key file"));
            Account account;
            account.user = fields.at(1);
            account.password = fields.at(2);
            if (!isLoginWord(account.user) || !isLoginWord(account.password))
                return fail(QStringLiteral("user and password are letters, digits and ._@+- only"));
            QHostAddress wgAddress;
            if (!isIpv4(fields.at(3), &wgAddress))
                return fail(QStringLiteral("'%1' is not an IPv4 address").arg(fields.at(3)));
            account.wgAddress = wgAddress.toString();
            QFile key(QDir(folder).filePath(fields.at(4)));
            if (!key.open(QIODevice::ReadOnly))
                return fail(QStringLiteral("cannot read the key file '%1'").arg(fields.at(4)));
            const QByteArray keyText = key.read(256).trimmed();
            if (!isWireGuardKey(keyText))
                return fail(QStringLiteral("'%1' holds no WireGuard key").arg(fields.at(4)));
            account.wgPrivateKey = QString::fromLatin1(keyText);
            layout.m_accounts << account;
        } else if (kind == QLatin1String("tcp-ports") || kind == QLatin1String("udp-ports")) {
            QList<quint16> &ports = kind == QLatin1String("tcp-ports") ? layout.m_tcpPorts : layout.m_udpPorts;
            if (fields.size() != 2 || !ports.isEmpty() || !readPorts(fields.at(1), &ports))
                return fail(QStringLiteral("ports are numbers from 1 to 65535, each once"));
        } else if (kind == QLatin1String("margin")) {
            if (fields.size() != 2 || !readNumber(fields.at(1), 0, 1000, &layout.m_marginMs))
                return fail(QStringLiteral("the margin is a number of milliseconds up to 1000"));
        } else {
            return fail(QStringLiteral("unknown record '%1'").arg(kind.left(32)));
        }
    }
    if (layout.m_servers.isEmpty() || layout.m_backendAddress.isNull() || layout.m_clientAddress.isNull()) {
        *error = QStringLiteral("0: a layout needs a backend, a client and at least one server");
        return {};
    }
    return layout;
}

QByteArray ProviderLayout::catalogue() const
{
    QByteArray xml;
    QXmlStreamWriter writer(&xml);
    writer.setAutoFormatting(true);
    writer.writeStartDocument();
    writer.writeStartElement(QStringLiteral("vorrinserverList"));
    for (int i = 0; i < m_servers.size(); ++i) {
        const Server &server = m_servers.at(i);
        const QString code = server.country.toUpper();
        writer.writeEmptyElement(QStringLiteral("server"));
        writer.writeAttribute(QStringLiteral("visible"), QStringLiteral("1"));
        writer.writeAttribute(QStringLiteral("status"), QStringLiteral("1"));
        // A plausible load that differs between servers; never "0.00", which means unavailable.
        writer.writeAttribute(QStringLiteral("cpu"), QString::number(5 + (17 * (i + 1)) % 70, 'f', 2));
        writer.writeAttribute(QStringLiteral("capacity"), QStringLiteral("100"));
        writer.writeAttribute(QStringLiteral("ip"), server.address.toString());
        writer.writeAttribute(QStringLiteral("name"), server.name);
        writer.writeAttribute(QStringLiteral("city"), code + QLatin1Char(' ') + server.city);
        writer.writeAttribute(QStringLiteral("country"), code);
    }
    writer.writeEndElement();
    writer.writeEndDocument();
    return xml;
}

QHash<QString, QString> ProviderLayout::countryOfAddress() const
{
    QHash<QString, QString> countries;
    for (const Server &server : m_servers)
        countries.insert(server.address.toString(), server.country);
    countries.insert(m_clientAddress.toString(), m_clientCountry);
    return countries;
}

QByteArray ProviderLayout::describe() const
{
    const auto words = [](const QList<quint16> &ports) {
        QStringList texts;
        for (quint16 port : ports)
            texts << QString::number(port);
        return texts.join(QLatin1Char(' '));
    };
    QStringList lines;
    lines << QStringLiteral("backend %1 %2").arg(m_backendAddress.toString()).arg(m_backendPort);
    lines << QStringLiteral("client %1 %2 %3 %4")
                 .arg(m_clientAddress.toString())
                 .arg(m_clientPrefix)
                 .arg(m_clientGateway.toString(), m_clientCountry);
    if (!m_tunnelOnlyAddress.isNull())
        lines << QStringLiteral("tunnel-only %1").arg(m_tunnelOnlyAddress.toString());
    if (!m_tcpPorts.isEmpty())
        lines << QStringLiteral("tcp-ports %1").arg(words(m_tcpPorts));
    if (!m_udpPorts.isEmpty())
        lines << QStringLiteral("udp-ports %1").arg(words(m_udpPorts));
    for (const Account &account : m_accounts)
        lines << QStringLiteral("account %1 %2 %3").arg(account.user, account.password, account.wgAddress);
    for (const Server &server : m_servers)
        lines << QStringLiteral("server %1 %2 %3").arg(server.country, server.address.toString()).arg(server.latencyMs);
    return (lines.join(QLatin1Char('\n')) + QLatin1Char('\n')).toUtf8();
}
