#include "application.h"
#include "debugmode.h"
#include "displayscale.h"
#include "logger.h"
#include "platform/quitsignals.h"
#include "product.h"
#include "singleapplication.h"
#include "startup.h"
#include "update.h"

#include <QCommandLineParser>

namespace {

constexpr int messageTimeoutMs = 5000;
constexpr int systemTrayWaitMs = 10000;

} // namespace

int main(int argc, char *argv[])
{
    // The client and the theme editor are this same program under two names.
    Product::setName(QStringLiteral(VELMORIX_PROGRAM_PRODUCT_NAME));

    const Startup::ToolkitVariables toolkitVariables(
        {"QT_SCALE_FACTOR", "QT_SCALE_FACTOR_ROUNDING_POLICY", "QML_DISABLE_DISK_CACHE"});
    QCoreApplication::setAttribute(Qt::AA_UseHighDpiPixmaps);
    QCoreApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    DisplayScale::apply(Application::mainWindowHeight);
    // Scenes come from the resources, which change with every build.
    qputenv("QML_DISABLE_DISK_CACHE", "1");

    SingleApplication app(Product::name(), argc, argv);
    if (app.isRunning()) {
        // The running instance shows its window; this one has nothing more to do.
        if (app.sendMessage(QString(), messageTimeoutMs))
            return 0;
        // Nobody took the message: the holder may just have quit, or the lock is not what it seems.
        Log::warning(&app, QStringLiteral("The running instance did not answer, trying the lock once more"));
        if (!app.retakeLock()) {
            Log::critical(&app,
                          QStringLiteral("'%1' is held by a program that does not answer, not starting")
                              .arg(SingleApplication::lockFilePath(Product::name())));
            return 1;
        }
    }

    if (!Startup::waitForSystemTray(systemTrayWaitMs)) {
        Startup::showNoSystemTrayMessage();
        return 1;
    }

    QApplication::setQuitOnLastWindowClosed(false);
    QCoreApplication::setApplicationName(Product::name());
    QCoreApplication::setApplicationVersion(Update::currentVersion());

    QCommandLineParser parser;
    parser.setApplicationDescription(QString());
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption debugOption({QStringLiteral("d"), QStringLiteral("debug")},
                                         QCoreApplication::translate("main", "Debug mode."));
    parser.addOption(debugOption);
    parser.process(app);
    DebugMode::setEnabled(parser.isSet(debugOption));

    Application application;
    // The toolkit has its scale, and the scene is loaded with the cache setting read.
    toolkitVariables.restore();
    if (application.init()) {
        QObject::connect(&app, &SingleApplication::messageReceived, &application, &Application::messageReceived);
        Platform::watchQuitSignals(&application, [&application] { application.quit(); });
        return app.exec();
    }
    Startup::showFailureDialog();
    return -1;
}
