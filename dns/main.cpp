// dns: switches the DNS servers of every network interface between the VPN's and the user's.
// Started by the privileged service:  dns vpn|user ENTRY...  or  dns reset
#include "dns.h"
#include "logger.h"
#include "utils.h"

#include <QCoreApplication>
#include <QFileInfo>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The log is "<program>.log" in the data folder itself.
    Logger::Options options;
    options.baseDirectory = Utils::logDataDirectory();
    options.folderName = QStringLiteral("./");
    options.fileName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".log");
    Logger::setOptions(options);
    Logger::instance();

    Dns dns(argc, argv);
    return dns.run() ? 0 : -1;
}
