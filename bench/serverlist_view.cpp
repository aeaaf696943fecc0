// How the server list's window copes with a large provider, inside the program's own scene:
// opening the "All" tab, opening every country, and a new search phrase, each timed until the
// frame that shows it, beside the floor of the same model calls without QML.
#include "application.h"
#include "countrynames.h"
#include "serverlistmodel.h"
#include "testbackend.h"
#include "timing.h"

#include <QApplication>
#include <QEventLoop>
#include <QQuickItem>
#include <QQuickWindow>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

namespace {

constexpr int serverCount = 10000;
constexpr int countryCount = 150;
constexpr int rounds = 11;

// Every server on a loopback address: the latency probes of the start reach only this machine.
QByteArray catalogueXml()
{
    QStringList codes;
    for (char a = 'a'; a <= 'z' && codes.size() < countryCount; ++a) {
        for (char b = 'a'; b <= 'z' && codes.size() < countryCount; ++b) {
            const QString code = QString(QLatin1Char(a)) + QLatin1Char(b);
            if (!CountryNames::nameForCode(code).isEmpty())
                codes << code;
        }
    }
    QByteArray xml = "<vorrinserverList>";
    for (int i = 0; i < serverCount; ++i) {
        const QString code = codes.at(i % codes.size());
        xml += QStringLiteral("<server visible=\"1\" ip=\"127.%1.%2.%3\" name=\"%4-%5.example.net\" city=\"City %6\" "
                              "country=\"%7\"/>")
                   .arg(1 + i / 65536)
                   .arg((i / 256) % 256)
                   .arg(i % 256)
                   .arg(code)
                   .arg(i)
                   .arg((i * 31) % 97)
                   .arg(code.toUpper())
                   .toUtf8();
    }
    return xml + "</vorrinserverList>";
}

// From the action to the end of the frame that shows its result.
double untilFrame(QQuickWindow *window, const std::function<void()> &action)
{
    QEventLoop loop;
    QObject::connect(window, &QQuickWindow::frameSwapped, &loop, &QEventLoop::quit);
    QElapsedTimer timer;
    timer.start();
    action();
    window->update();
    loop.exec();
    return timer.nsecsElapsed() / 1e6;
}

double median(std::vector<double> times)
{
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

bool waitFor(const std::function<bool()> &condition, int timeoutMs)
{
    QElapsedTimer timer;
    timer.start();
    while (!condition()) {
        if (timer.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    return true;
}

QObject *findNamed(QQuickItem *root, const QString &name, const std::function<bool(QObject *)> &accept)
{
    for (QObject *child : root->findChildren<QObject *>(name)) {
        if (accept(child))
            return child;
    }
    for (QQuickItem *item : root->childItems()) {
        if (QObject *found = findNamed(item, name, accept))
            return found;
    }
    return nullptr;
}

} // namespace

int main(int argc, char **argv)
{
    QTemporaryDir home;
    qputenv("XDG_CONFIG_HOME", home.filePath(QStringLiteral("config")).toLocal8Bit());
    qputenv("XDG_DATA_HOME", home.filePath(QStringLiteral("data")).toLocal8Bit());
    qputenv("XDG_RUNTIME_DIR", home.path().toLocal8Bit());
    qputenv("VELMORIX_DATA_DIR", home.filePath(QStringLiteral("var")).toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qputenv("QT_QUICK_BACKEND", "software");
    qputenv("QT_LOGGING_RULES", "*.info=false;*.debug=false");
    QApplication application(argc, argv);
    application.setQuitOnLastWindowClosed(false);

    TestBackend backend;
    backend.catalogue = catalogueXml();
    backend.geoIp = "{\"data\":{\"ip\":\"198.51.100.23\",\"iso_code\":\"de\"}}";
    qputenv("VELMORIX_API_BASE", backend.base().toLocal8Bit());

    Application app;
    if (!app.init()) {
        std::fprintf(stderr, "the application did not start\n");
        return 1;
    }
    auto *model = app.findChild<ServerListModel *>(QStringLiteral("ServerListModel"));
    QQuickWindow *window = nullptr;
    for (QWindow *candidate : QGuiApplication::topLevelWindows()) {
        if (candidate->objectName() == QLatin1String("mainWindow"))
            window = qobject_cast<QQuickWindow *>(candidate);
    }
    if (!model || !window || !waitFor([&] { return model->rowCount() >= countryCount; }, 120000)) {
        std::fprintf(stderr, "the catalogue did not arrive in the scene\n");
        return 1;
    }
    window->show();
    waitFor([&] { return window->isExposed(); }, 10000);

    auto *list = window->property("serverList").value<QObject *>();
    QObject *view = findNamed(window->contentItem(), QStringLiteral("serverListView"), [&](QObject *candidate) {
        return candidate->property("listModel").value<QObject *>() == model;
    });
    QObject *search =
        findNamed(window->contentItem(), QStringLiteral("serverSearchField"), [](QObject *) { return true; });
    if (!list || !view || !search) {
        std::fprintf(stderr, "the server list is not in the scene\n");
        return 1;
    }
    QMetaObject::invokeMethod(list, "selectTab", Q_ARG(QVariant, 1));

    // Opening the window on the "All" tab, closed again between rounds.
    std::vector<double> open;
    for (int i = 0; i < rounds; ++i) {
        model->collapseAll();
        untilFrame(window, [&] { list->setProperty("visible", false); });
        open.push_back(untilFrame(window, [&] { QMetaObject::invokeMethod(list, "open"); }));
    }
    const int rows = model->rowCount();
    const int shown = view->property("count").toInt();

    // Every country opened at once, from all closed.
    std::vector<double> expand;
    for (int i = 0; i < rounds; ++i) {
        untilFrame(window, [&] { model->collapseAll(); });
        expand.push_back(untilFrame(window, [&] { QMetaObject::invokeMethod(view, "refresh"); }));
    }

    // A phrase of its own each round, as typing gives.
    const QString phrase = QStringLiteral("city 4");
    std::vector<double> searching;
    int matched = 0;
    for (int i = 0; i < rounds; ++i) {
        const QString typed = i % 2 ? phrase : phrase.toUpper();
        searching.push_back(untilFrame(window, [&] { search->setProperty("text", typed); }));
        matched = view->property("count").toInt();
    }
    untilFrame(window, [&] { search->setProperty("text", QString()); });

    // The floor: the same calls of the model, without a scene.
    std::vector<double> expandFloor;
    for (int i = 0; i < rounds; ++i) {
        model->collapseAll();
        QElapsedTimer timer;
        timer.start();
        model->expandAll();
        expandFloor.push_back(timer.nsecsElapsed() / 1e6);
    }
    model->expandAll();
    int visible = 0;
    int round = 0;
    const double searchFloor = medianMilliseconds(rounds, [&] {
        const QString typed = ++round % 2 ? phrase : phrase.toUpper();
        visible = 0;
        for (int i = 0; i < model->rowCount(); ++i)
            visible += model->attrVisible(i, typed) ? 1 : 0;
    });

    std::printf("catalogue: %d servers in %d countries, %d rows open\n", serverCount, countryCount, rows);
    std::printf("open the \"All\" tab:          %8.2f ms to the frame (%d rows in the view)\n", median(open), shown);
    std::printf("open every country:          %8.2f ms to the frame\n", median(expand));
    std::printf("  floor: expandAll           %8.2f ms\n", median(expandFloor));
    std::printf("new search phrase:           %8.2f ms to the frame (%d rows shown)\n", median(searching), matched);
    std::printf("  floor: attrVisible per row %8.2f ms (%d visible)\n", searchFloor, visible);
    std::printf("goal: every step under 50 ms\n");
    return matched == visible && shown == rows ? 0 : 1;
}
