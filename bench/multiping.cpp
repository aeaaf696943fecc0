// One batch of 1,000 probes, from sendRequest to lastRequestFinished, next to fping over the
// same list with the same 1000 ms limit. Half the addresses answer (loopback), half are routed
// onto a link where nobody answers (inside the namespace of tests/support/netns-run), so the
// batch's time shows whether the probes run in parallel: about one limit, whatever their number.
#include "multiping.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QString link = qEnvironmentVariable("VELMORIX_NETNS_LINK");
    if (link.isEmpty()) {
        std::printf("multiping: run inside tests/support/netns-run (root); nothing measured\n");
        return 0;
    }
    QProcess::execute(
        QStringLiteral("ip"),
        {QStringLiteral("route"), QStringLiteral("add"), QStringLiteral("198.18.0.0/15"), QStringLiteral("dev"), link});
    QStringList addresses;
    for (int i = 0; i < 500; ++i)
        addresses << QStringLiteral("127.0.%1.%2").arg(i / 250).arg(i % 250 + 1);
    for (int i = 0; i < 500; ++i)
        addresses << QStringLiteral("198.18.%1.%2").arg(i / 250).arg(i % 250 + 1);

    MultiPing ping;
    QElapsedTimer timer;
    qint64 batch = 0;
    int answered = 0;
    QObject::connect(&ping, &MultiPing::lastRequestFinished, &app, [&](const QStringList &results) {
        batch = timer.elapsed();
        for (const QString &entry : results)
            answered += entry.endsWith(QLatin1String(":100000")) ? 0 : 1;
        app.quit();
    });
    timer.start();
    ping.sendRequest(addresses);
    app.exec();

    QTemporaryDir dir;
    QFile list(dir.filePath(QStringLiteral("targets")));
    list.open(QIODevice::WriteOnly);
    list.write(addresses.join(QLatin1Char('\n')).toLatin1() + '\n');
    list.close();
    QProcess fping;
    fping.setProcessChannelMode(QProcess::MergedChannels);
    QElapsedTimer fpingTimer;
    fpingTimer.start();
    fping.start(QStringLiteral("fping"),
                {QStringLiteral("-q"),
                 QStringLiteral("-r"),
                 QStringLiteral("0"),
                 QStringLiteral("-t"),
                 QStringLiteral("1000"),
                 QStringLiteral("-i"),
                 QStringLiteral("1"),
                 QStringLiteral("-f"),
                 list.fileName()});
    fping.waitForFinished(120000);
    const qint64 fpingTime = fpingTimer.elapsed();

    std::printf("multiping: %d addresses (%d answered), limit 1000 ms\n", int(addresses.size()), answered);
    std::printf("MultiPing batch:            %6lld ms\n", batch);
    std::printf("fping, same list and limit: %6lld ms\n", fpingTime);
    std::printf("ratio: %.2f\n", double(batch) / double(fpingTime));
    return 0;
}
