#include "connectionstate.h"

#include <QCoreApplication>

namespace {

constexpr int stateCount = 8;

const char *const names[stateCount] = {
    "Disconnected",
    "Preparing",
    "Connecting",
    "Connected",
    "Disconnecting",
    "Reconnecting",
    "Error",
    "Unknown",
};

const char *const texts[stateCount] = {
    QT_TRANSLATE_NOOP("ConnectionState", "Disconnected"),
    QT_TRANSLATE_NOOP("ConnectionState", "Preparing"),
    QT_TRANSLATE_NOOP("ConnectionState", "Connecting..."),
    QT_TRANSLATE_NOOP("ConnectionState", "Connected"),
    QT_TRANSLATE_NOOP("ConnectionState", "Disconnecting..."),
    QT_TRANSLATE_NOOP("ConnectionState", "Reconnecting..."),
    QT_TRANSLATE_NOOP("ConnectionState", "Error!"),
    QT_TRANSLATE_NOOP("ConnectionState", "Unknown"),
};

bool isKnown(int id)
{
    return id >= 0 && id < stateCount;
}

} // namespace

QString ConnectionState::stateName(Id id, bool quoted)
{
    return stateName(static_cast<int>(id), quoted);
}

QString ConnectionState::stateName(int id, bool quoted)
{
    const QString name = QLatin1String(names[isKnown(id) ? id : static_cast<int>(Id::Unknown)]);
    return quoted ? QStringLiteral("'%1'").arg(name) : name;
}

QString ConnectionState::stateText(Id id)
{
    return stateText(static_cast<int>(id));
}

QString ConnectionState::stateText(int id)
{
    return QCoreApplication::translate("ConnectionState", texts[isKnown(id) ? id : static_cast<int>(Id::Unknown)]);
}

void ConnectionState::registerMetaType()
{
    qRegisterMetaType<ConnectionState::Id>("ConnectionState::Id");
    qRegisterMetaType<ConnectionState::Id>("Application::Id");
}
