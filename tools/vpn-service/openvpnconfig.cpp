#include "openvpnconfig.h"

#include "utils.h"

#include <QHash>
#include <QRegularExpression>
#include <QSet>
#include <QStringList>

#include <functional>

namespace OpenVpnConfig {

namespace {

// openvpn reads its configuration in pieces of 256 bytes: the rest of a longer line would be
// read as a line of its own.
constexpr int maxLineLength = 255;

using Rule = std::function<QString(const QStringList &arguments)>;

bool matches(const QString &text, const char *pattern)
{
    return QRegularExpression(QRegularExpression::anchoredPattern(QLatin1String(pattern))).match(text).hasMatch();
}

bool isNumber(const QString &text, qint64 low, qint64 high)
{
    bool ok = false;
    const qint64 value = text.toLongLong(&ok);
    return ok && matches(text, "[0-9]{1,9}") && value >= low && value <= high;
}

Rule words(int low, int high, const char *pattern)
{
    return [=](const QStringList &arguments) {
        if (arguments.size() < low || arguments.size() > high)
            return QStringLiteral("takes %1 to %2 values").arg(low).arg(high);
        for (const QString &argument : arguments) {
            if (!matches(argument, pattern))
                return QStringLiteral("'%1' is not a value it takes").arg(argument);
        }
        return QString();
    };
}

Rule numbers(int low, int high)
{
    return [=](const QStringList &arguments) {
        if (arguments.size() < low || arguments.size() > high)
            return QStringLiteral("takes %1 to %2 numbers").arg(low).arg(high);
        for (const QString &argument : arguments) {
            if (!isNumber(argument, 0, 1000000000))
                return QStringLiteral("'%1' is not a number").arg(argument);
        }
        return QString();
    };
}

const char *protocols = "udp|tcp|tcp-client|udp4|udp6|tcp4|tcp6|tcp4-client|tcp6-client";

QString remote(const QStringList &arguments)
{
    if (arguments.isEmpty() || arguments.size() > 3)
        return QStringLiteral("takes a server, a port and a protocol");
    if (!Utils::isServerAddress(arguments.at(0)))
        return QStringLiteral("'%1' is neither an IPv4 address nor a host name").arg(arguments.at(0));
    if (arguments.size() > 1 && !isNumber(arguments.at(1), 1, 65535))
        return QStringLiteral("'%1' is not a port").arg(arguments.at(1));
    if (arguments.size() > 2 && !matches(arguments.at(2), protocols))
        return QStringLiteral("'%1' is not a protocol").arg(arguments.at(2));
    return QString();
}

QString management(const QStringList &arguments)
{
    // The client's own channel; a socket file or a password file would be another matter.
    if (arguments.size() != 2 || arguments.at(0) != QLatin1String("127.0.0.1") || !isNumber(arguments.at(1), 1, 65535))
        return QStringLiteral("only a port on 127.0.0.1 is taken");
    return QString();
}

QString scriptSecurity(const QStringList &arguments)
{
    if (arguments.size() != 1 || !isNumber(arguments.at(0), 0, 1))
        return QStringLiteral("above 1 lets openvpn run programs");
    return QString();
}

QString pullFilter(const QStringList &arguments)
{
    if (arguments.size() != 2 || !matches(arguments.at(0), "accept|ignore|reject")
        || !matches(arguments.at(1), "[A-Za-z0-9 ._:/-]{1,128}"))
        return QStringLiteral("takes accept, ignore or reject and an option's text");
    return QString();
}

const QHash<QString, Rule> &rules()
{
    static const QHash<QString, Rule> table = {
        {QStringLiteral("client"), words(0, 0, "")},
        {QStringLiteral("pull"), words(0, 0, "")},
        {QStringLiteral("tls-client"), words(0, 0, "")},
        {QStringLiteral("nobind"), words(0, 0, "")},
        {QStringLiteral("float"), words(0, 0, "")},
        {QStringLiteral("persist-key"), words(0, 0, "")},
        {QStringLiteral("persist-tun"), words(0, 0, "")},
        {QStringLiteral("auth-nocache"), words(0, 0, "")},
        // With a file name it would read that file as root.
        {QStringLiteral("auth-user-pass"), words(0, 0, "")},
        {QStringLiteral("register-dns"), words(0, 0, "")},
        {QStringLiteral("dhcp-renew"), words(0, 0, "")},
        {QStringLiteral("block-outside-dns"), words(0, 0, "")},
        {QStringLiteral("mute-replay-warnings"), words(0, 0, "")},
        {QStringLiteral("dev"), words(1, 1, "(tun|tap)[0-9]{0,3}")},
        {QStringLiteral("dev-type"), words(1, 1, "tun|tap")},
        {QStringLiteral("proto"), words(1, 1, protocols)},
        {QStringLiteral("remote"), remote},
        {QStringLiteral("remote-random"), words(0, 0, "")},
        {QStringLiteral("port"), numbers(1, 1)},
        {QStringLiteral("rport"), numbers(1, 1)},
        {QStringLiteral("resolv-retry"), words(1, 1, "infinite|[0-9]{1,9}")},
        {QStringLiteral("management"), management},
        {QStringLiteral("management-query-passwords"), words(0, 0, "")},
        {QStringLiteral("management-client"), words(0, 0, "")},
        {QStringLiteral("management-hold"), words(0, 0, "")},
        {QStringLiteral("auth"), words(1, 1, "[A-Za-z0-9-]{1,32}")},
        {QStringLiteral("cipher"), words(1, 1, "[A-Za-z0-9-]{1,32}")},
        {QStringLiteral("data-ciphers"), words(1, 1, "[A-Za-z0-9:-]{1,200}")},
        {QStringLiteral("data-ciphers-fallback"), words(1, 1, "[A-Za-z0-9-]{1,32}")},
        {QStringLiteral("tls-cipher"), words(1, 1, "[A-Za-z0-9:_+-]{1,200}")},
        {QStringLiteral("tls-ciphersuites"), words(1, 1, "[A-Za-z0-9:_+-]{1,200}")},
        {QStringLiteral("tls-version-min"), words(1, 2, "[0-9.]{1,4}|or-highest")},
        {QStringLiteral("remote-cert-eku"), words(1, 1, "[A-Za-z0-9 .-]{1,64}")},
        {QStringLiteral("remote-cert-tls"), words(1, 1, "server")},
        {QStringLiteral("verify-x509-name"), words(1, 2, "[A-Za-z0-9 .=,_-]{1,128}")},
        {QStringLiteral("key-direction"), words(1, 1, "[01]")},
        {QStringLiteral("compress"), words(0, 1, "[a-z0-9-]{1,16}")},
        {QStringLiteral("comp-lzo"), words(0, 1, "yes|no|adaptive")},
        {QStringLiteral("allow-compression"), words(1, 1, "yes|no|asym")},
        {QStringLiteral("verb"), numbers(1, 1)},
        {QStringLiteral("mute"), numbers(1, 1)},
        {QStringLiteral("replay-window"), numbers(1, 2)},
        {QStringLiteral("connect-retry"), numbers(1, 2)},
        {QStringLiteral("connect-retry-max"), numbers(1, 1)},
        {QStringLiteral("connect-timeout"), numbers(1, 1)},
        {QStringLiteral("server-poll-timeout"), numbers(1, 1)},
        {QStringLiteral("hand-window"), numbers(1, 1)},
        {QStringLiteral("reneg-sec"), numbers(1, 2)},
        {QStringLiteral("ping"), numbers(1, 1)},
        {QStringLiteral("ping-restart"), numbers(1, 1)},
        {QStringLiteral("keepalive"), numbers(2, 2)},
        {QStringLiteral("tun-mtu"), numbers(1, 1)},
        {QStringLiteral("mssfix"), numbers(0, 1)},
        {QStringLiteral("sndbuf"), numbers(1, 1)},
        {QStringLiteral("rcvbuf"), numbers(1, 1)},
        {QStringLiteral("script-security"), scriptSecurity},
        {QStringLiteral("pull-filter"), pullFilter},
        {QStringLiteral("ignore-unknown-option"), words(1, 16, "[a-z0-9-]{1,64}")},
    };
    return table;
}

// Options whose refusal deserves its own reason in the log.
QString knownDanger(const QString &option)
{
    static const QSet<QString> hooks = {QStringLiteral("up"),
                                        QStringLiteral("down"),
                                        QStringLiteral("down-pre"),
                                        QStringLiteral("route-up"),
                                        QStringLiteral("route-pre-down"),
                                        QStringLiteral("ipchange"),
                                        QStringLiteral("tls-verify"),
                                        QStringLiteral("tls-export-cert"),
                                        QStringLiteral("auth-user-pass-verify"),
                                        QStringLiteral("client-connect"),
                                        QStringLiteral("client-disconnect"),
                                        QStringLiteral("client-crresponse"),
                                        QStringLiteral("learn-address"),
                                        QStringLiteral("iproute"),
                                        QStringLiteral("dns-updown")};
    static const QSet<QString> files = {
        QStringLiteral("ca"),           QStringLiteral("cert"),       QStringLiteral("key"),
        QStringLiteral("extra-certs"),  QStringLiteral("tls-auth"),   QStringLiteral("tls-crypt"),
        QStringLiteral("tls-crypt-v2"), QStringLiteral("dh"),         QStringLiteral("secret"),
        QStringLiteral("pkcs12"),       QStringLiteral("crl-verify"), QStringLiteral("askpass"),
        QStringLiteral("config"),       QStringLiteral("log"),        QStringLiteral("log-append"),
        QStringLiteral("status"),       QStringLiteral("writepid"),   QStringLiteral("replay-persist"),
        QStringLiteral("cd"),           QStringLiteral("chroot"),     QStringLiteral("tmp-dir")};
    if (hooks.contains(option))
        return QStringLiteral("'%1' runs a program").arg(option);
    if (option == QLatin1String("plugin"))
        return QStringLiteral("'plugin' loads a plug-in");
    if (files.contains(option))
        return QStringLiteral("'%1' names a file that root would open (only inline blocks are taken)").arg(option);
    return QString();
}

const QSet<QString> &inlineBlocks()
{
    static const QSet<QString> tags = {QStringLiteral("ca"),
                                       QStringLiteral("cert"),
                                       QStringLiteral("key"),
                                       QStringLiteral("extra-certs"),
                                       QStringLiteral("tls-auth"),
                                       QStringLiteral("tls-crypt"),
                                       QStringLiteral("tls-crypt-v2")};
    return tags;
}

// Splits a line into words as openvpn does: blanks separate, single or double quotes enclose
// a word. Backslashes and quotes inside a word are refused: the client writes none.
bool splitWords(const QString &line, QStringList *words)
{
    int i = 0;
    while (i < line.size()) {
        if (line.at(i) == QLatin1Char(' ') || line.at(i) == QLatin1Char('\t')) {
            ++i;
            continue;
        }
        const QChar first = line.at(i);
        QString word;
        if (first == QLatin1Char('"') || first == QLatin1Char('\'')) {
            const int close = line.indexOf(first, i + 1);
            if (close < 0)
                return false;
            word = line.mid(i + 1, close - i - 1);
            i = close + 1;
            if (i < line.size() && line.at(i) != QLatin1Char(' ') && line.at(i) != QLatin1Char('\t'))
                return false;
        } else {
            while (i < line.size() && line.at(i) != QLatin1Char(' ') && line.at(i) != QLatin1Char('\t'))
                word += line.at(i++);
        }
        if (word.contains(QLatin1Char('"')) || word.contains(QLatin1Char('\'')) || word.contains(QLatin1Char('\\')))
            return false;
        *words << word;
    }
    return true;
}

} // namespace

QString problem(const QByteArray &text)
{
    if (text.size() > maxSize)
        return QStringLiteral("larger than %1 bytes").arg(maxSize);
    QList<QByteArray> lines = text.split('\n');
    QString block;
    int number = 0;
    for (QByteArray raw : lines) {
        ++number;
        const QString where = QStringLiteral("line %1: ").arg(number);
        if (raw.endsWith('\r'))
            raw.chop(1);
        if (raw.size() > maxLineLength)
            return where + QStringLiteral("longer than %1 bytes").arg(maxLineLength);
        for (const char c : raw) {
            if ((c < 0x20 && c != '\t') || c > 0x7e)
                return where + QStringLiteral("holds a control character or a byte beyond ASCII");
        }
        const QString line = QString::fromLatin1(raw).trimmed();
        if (!block.isEmpty()) {
            if (line == QStringLiteral("</%1>").arg(block))
                block.clear();
            else if (line.startsWith(QLatin1Char('<')))
                return where + QStringLiteral("a tag inside the block <%1>").arg(block);
            continue;
        }
        if (line.isEmpty() || line.startsWith(QLatin1Char('#')) || line.startsWith(QLatin1Char(';')))
            continue;
        if (line.startsWith(QLatin1Char('<'))) {
            const QString tag = line.mid(1, line.size() - 2);
            if (!line.endsWith(QLatin1Char('>')) || !inlineBlocks().contains(tag))
                return where + QStringLiteral("'%1' is not a block of key material").arg(line);
            block = tag;
            continue;
        }
        QStringList words;
        if (!splitWords(line, &words) || words.isEmpty())
            return where + QStringLiteral("quotes or backslashes that the client never writes");
        QString option = words.takeFirst();
        // openvpn takes "--option" in a file as well.
        if (option.startsWith(QLatin1String("--")))
            option.remove(0, 2);
        const QString danger = knownDanger(option);
        if (!danger.isEmpty())
            return where + danger;
        const auto rule = rules().constFind(option);
        if (rule == rules().constEnd())
            return where + QStringLiteral("'%1' is not an option of the client's configurations").arg(option);
        const QString why = (*rule)(words);
        if (!why.isEmpty())
            return where + QStringLiteral("'%1' %2").arg(option, why);
    }
    if (!block.isEmpty())
        return QStringLiteral("the block <%1> does not end").arg(block);
    return QString();
}

} // namespace OpenVpnConfig
