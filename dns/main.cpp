// dns: switches the DNS servers of every network interface between the VPN's and the user's.
// Started by the privileged service:  dns vpn|user ENTRY...  or  dns reset
#include "dns.h"
#include "logger.h"
#include "platform/statefolder.h"
#include "utils.h"

#include <QCoreApplication>
#include <QFileInfo>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    // The log is "<program>.log" in the data folder itself, beside the record of the user's
    // servers: a folder that others may write could steer both, so nothing is done without it.
    Logger::Options options;
    options.baseDirectory = Utils::logDataDirectory();
    options.folderName = QStringLiteral("./");
    options.fileName = QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName() + QStringLiteral(".log");
    if (!options.baseDirectory.isEmpty()) {
        const QString refused =
            Platform::prepareStateFolder(options.baseDirectory, Dns::stateFiles() << options.fileName);
        if (!refused.isEmpty()) {
            std::fprintf(stderr,
                         "dns: refusing the data folder %s: %s; DNS servers left as they are\n",
                         qPrintable(options.baseDirectory),
                         qPrintable(refused));
            return -1;
        }
    }
    Logger::setOptions(options);
    Logger::instance();

    Dns dns(argc, argv);
    return dns.run() ? 0 : -1;
}
