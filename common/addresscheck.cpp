#include "addresscheck.h"

#include <QHostAddress>

namespace AddressCheck {

namespace {

Verdict refused(const QString &why, bool hostile)
{
    Verdict verdict;
    verdict.refusal = why;
    verdict.hostile = hostile;
    return verdict;
}

bool isControl(const QChar c)
{
    return c.category() == QChar::Other_Control || c.category() == QChar::Other_Format
        || c.category() == QChar::Separator_Line || c.category() == QChar::Separator_Paragraph;
}

// Control characters, blanks and scope ids are refused whatever else the text holds.
Verdict screen(const QString &text)
{
    const QString refusal = nameRefusal(text);
    if (!refusal.isEmpty())
        return refused(refusal, true);
    if (text.contains(QLatin1Char('%')))
        return refused(QStringLiteral("carries a scope id"), true);
    return {};
}

// The name of an encrypted-DNS server as resolvectl prints it: labels of letters, digits,
// hyphens and underscores ("dns_1.example"), none empty or longer than 63, no hyphen at either
// end of a label, a final dot allowed.
bool isHostName(const QString &name)
{
    QString text = name;
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    if (text.isEmpty() || text.size() > 253)
        return false;
    for (const QString &label : text.split(QLatin1Char('.'))) {
        if (label.isEmpty() || label.size() > 63 || label.startsWith(QLatin1Char('-'))
            || label.endsWith(QLatin1Char('-')))
            return false;
        for (const QChar c : label) {
            const ushort u = c.unicode();
            const bool allowed =
                (u >= 'a' && u <= 'z') || (u >= 'A' && u <= 'Z') || (u >= '0' && u <= '9') || u == '-' || u == '_';
            if (!allowed)
                return false;
        }
    }
    return true;
}

bool isPort(const QString &text)
{
    if (text.isEmpty() || text.size() > 5 || text.startsWith(QLatin1Char('0')))
        return false;
    for (const QChar c : text) {
        if (c < QLatin1Char('0') || c > QLatin1Char('9'))
            return false;
    }
    return text.toInt() <= 65535;
}

} // namespace

Verdict plainAddress(const QString &text)
{
    const Verdict screened = screen(text);
    if (!screened.refusal.isEmpty())
        return screened;
    for (const QChar c : text) {
        const ushort u = c.unicode();
        const bool allowed =
            (u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F') || u == '.' || u == ':';
        if (!allowed)
            return refused(QStringLiteral("is not an IP address"), false);
    }
    QHostAddress address;
    if (text.isEmpty() || !address.setAddress(text))
        return refused(QStringLiteral("is not an IP address"), false);
    Verdict verdict;
    if (address.protocol() == QAbstractSocket::IPv4Protocol) {
        // Only the dotted quad: other forms ("127.1", "010.1.1.1") read differently elsewhere.
        if (address.toString() != text)
            return refused(QStringLiteral("is not a dotted-quad IPv4 address"), false);
        verdict.family = Family::Ipv4;
    } else if (address.protocol() == QAbstractSocket::IPv6Protocol) {
        verdict.family = Family::Ipv6;
    } else {
        return refused(QStringLiteral("is not an IP address"), false);
    }
    return verdict;
}

QString dnsServerAddress(const QString &text)
{
    QString address = text.section(QLatin1Char('#'), 0, 0);
    if (address.startsWith(QLatin1Char('['))) {
        const int close = address.indexOf(QLatin1Char(']'));
        return close < 0 ? address : address.mid(1, close - 1);
    }
    // One colon: an IPv4 address and its port; more: an IPv6 address without one.
    if (address.count(QLatin1Char(':')) == 1)
        address = address.section(QLatin1Char(':'), 0, 0);
    return address;
}

Verdict dnsServer(const QString &text)
{
    const Verdict screened = screen(text);
    if (!screened.refusal.isEmpty())
        return screened;
    QString rest = text;
    const int hash = rest.indexOf(QLatin1Char('#'));
    if (hash >= 0) {
        if (!isHostName(rest.mid(hash + 1)))
            return refused(QStringLiteral("has an invalid server name"), false);
        rest = rest.left(hash);
    }
    QString address = rest;
    QString port;
    if (rest.startsWith(QLatin1Char('['))) {
        const int close = rest.indexOf(QLatin1Char(']'));
        if (close < 0 || rest.mid(close + 1, 1) != QLatin1String(":"))
            return refused(QStringLiteral("is not an IP address"), false);
        address = rest.mid(1, close - 1);
        port = rest.mid(close + 2);
        if (plainAddress(address).family != Family::Ipv6)
            return refused(QStringLiteral("is not an IP address"), false);
    } else if (rest.count(QLatin1Char(':')) == 1) {
        address = rest.section(QLatin1Char(':'), 0, 0);
        port = rest.section(QLatin1Char(':'), 1);
        if (plainAddress(address).family != Family::Ipv4)
            return refused(QStringLiteral("is not an IP address"), false);
    }
    if (address != rest && !isPort(port))
        return refused(QStringLiteral("has an invalid port"), false);
    return plainAddress(address);
}

QString nameRefusal(const QString &text)
{
    for (const QChar c : text) {
        if (isControl(c))
            return QStringLiteral("contains a control character");
        if (c.isSpace())
            return QStringLiteral("contains a blank");
    }
    return QString();
}

QString forLog(const QString &text)
{
    QString result;
    for (const QChar c : text) {
        if (isControl(c))
            result += QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
        else
            result += c;
    }
    return result;
}

} // namespace AddressCheck
