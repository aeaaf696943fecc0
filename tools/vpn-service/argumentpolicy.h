#pragma once

#include <QString>
#include <QStringList>

// What the service starts: each program of the application directory with exactly the command
// lines that the client produces, and nothing else. A refused command line runs nothing.
//
//   openvpn/bin/openvpn  --config FILE --management 127.0.0.1 61973
//                        --management-query-passwords --management-client [--log-append FILE]
//   wireguard/bin/wireguard-service  --add FOLDER/wg-NAME.conf --port 61976
//                                    --remove FOLDER/wg-NAME.conf
//   killswitch           enable all ADDRESS local|""  /  disable all
//   network-tool         --ipv6 enable|disable
//   dns                  reset  /  vpn|user ID@ADDRESS[,ADDRESS...]...
//
// The files named are the client's; the service opens and checks them itself before a program
// sees them (see VpnService). The policy is a pure function of the command line.
class ArgumentPolicy final
{
public:
    enum class Program {
        None,
        OpenVpn,
        WireGuard,
        KillSwitch,
        NetworkTool,
        Dns,
    };

    struct Decision
    {
        Program program = Program::None;
        QString name; // the name the reports carry: the program's base name
        QString refusal; // empty when the command line may run
        QString executable; // the program to run, as the application directory spells it
        // For openvpn: the positions of the configuration and of the log in the arguments
        // (after the program), which the service replaces with what it checked; -1 without.
        int configArgument = -1;
        int logArgument = -1;
        // For wireguard-service: its configuration, and whether it is to be read ("--add").
        int tunnelArgument = -1;
        bool tunnelIsRead = false;

        bool allowed() const { return refusal.isEmpty(); }
    };

    static constexpr quint16 managementPort = 61973;
    static constexpr quint16 wireGuardStatePort = 61976;
    static constexpr int maxArgumentLength = 4096;
    static constexpr int maxDnsEntries = 64;

    explicit ArgumentPolicy(const QString &applicationDirectory);

    QString applicationDirectory() const { return m_applicationDirectory; }
    Decision check(const QStringList &programAndArguments) const;

    // "ID@ADDRESS,ADDRESS": an interface id and its DNS servers, plain addresses or empty.
    static bool isDnsEntry(const QString &entry);
    // A file of the client's: an absolute, clean path whose name is a plain file name.
    static bool isClientFilePath(const QString &path);

private:
    QString m_applicationDirectory;
};
