#include "servicecontroller.h"

#include "logger.h"

#include "utils.h"

#include <QDebug>
#include <QTimer>
#include <QUrl>
#include <QWebSocket>

namespace {

ServiceController *currentController = nullptr;

} // namespace

ServiceController::ServiceController(bool connectNow, QObject *parent, quint16 port)
    : QObject(parent)
    , m_port(port)
{
    setObjectName(QStringLiteral("ServiceController"));
    currentController = this;
    if (!connectNow)
        return;
    m_reconnectTimer = new QTimer(this);
    connect(m_reconnectTimer, &QTimer::timeout, this, &ServiceController::checkConnectionTimer);
    initialize();
    m_reconnectTimer->start(reconnectIntervalMs);
}

ServiceController::~ServiceController()
{
    if (currentController == this)
        currentController = nullptr;
}

ServiceController *ServiceController::instance()
{
    return currentController;
}

void ServiceController::initialize()
{
    m_connected = false;
    m_socket = new QWebSocket(QString(), QWebSocketProtocol::Version13, this);
    connect(m_socket, &QWebSocket::connected, this, &ServiceController::onConnected, Qt::DirectConnection);
    connect(m_socket, &QWebSocket::connected, this, &ServiceController::connected, Qt::DirectConnection);
    connect(m_socket,
            QOverload<QAbstractSocket::SocketError>::of(&QWebSocket::error),
            this,
            &ServiceController::onWebSocketError,
            Qt::DirectConnection);
    connect(m_socket, &QWebSocket::disconnected, this, &ServiceController::onConnectionLost, Qt::DirectConnection);
    QTimer::singleShot(reconnectIntervalMs, this, &ServiceController::sendInitialConnectionStatus);
    open();
}

void ServiceController::open()
{
    m_socket->open(QUrl(QStringLiteral("ws://%1:%2").arg(QStringLiteral("127.0.0.1")).arg(m_port)));
}

void ServiceController::onConnected()
{
    Log::info(this, QStringLiteral("Connected to vpn-service"));
    m_connected = true;

    // The socket is reused for every reconnection, so one receiver hears every report once.
    // It is attached on the first connection, whenever that comes: the service may start
    // after the client has already reported the initial status.
    if (!m_receiverAttached) {
        connect(m_socket,
                &QWebSocket::textMessageReceived,
                this,
                &ServiceController::onTextMessageReceived,
                Qt::DirectConnection);
        m_receiverAttached = true;
    }

    if (!m_initCommandSent) {
        sendDirectly(QStringLiteral("init: connection"));
        m_initCommandSent = true;
    }

    while (!m_outgoing.isEmpty()) {
        const QString message = m_outgoing.takeFirst();
        Log::info(this, QStringLiteral("Save data in buffer: ") + message);
        sendDirectly(message);
    }

    sendInitialConnectionStatus();
}

void ServiceController::onTextMessageReceived(const QString &message)
{
    const QString report = message.left(message.size() - 1); // the service's terminator
    Log::info(this, QStringLiteral("Received data: [") + report.simplified() + QLatin1Char(']'));
    if (!report.isEmpty())
        emit processOutput(report);
}

void ServiceController::sendCommand(const QString &message)
{
    if (m_sink) {
        if (m_connected)
            m_sink(message);
        else
            m_outgoing << message;
        return;
    }
    if (!m_socket)
        return;
    if (message.isEmpty()) {
        Log::info(this, QStringLiteral("Invalid command"));
        return;
    }
    if (m_connected && m_socket->isValid()) {
        sendDirectly(message);
        return;
    }
    m_outgoing << message;
    Log::warning(this,
                 QStringLiteral("Socket status: '%1', last error: '%2', data will be buffered: %3")
                     .arg(Utils::boolText(m_socket->isValid()), m_socket->errorString(), message));
}

void ServiceController::setCommandSinkForTesting(std::function<void(const QString &)> sink)
{
    // A new sink is a new link: nothing of the last one's buffer goes to it.
    m_sink = std::move(sink);
    m_outgoing.clear();
}

void ServiceController::setLinkUpForTesting(bool up)
{
    if (up == m_connected)
        return;
    m_connected = up;
    if (!up) {
        emit disconnected();
        return;
    }
    while (!m_outgoing.isEmpty() && m_sink)
        m_sink(m_outgoing.takeFirst());
    emit connected();
}

void ServiceController::sendInitCommand()
{
    sendDirectly(QStringLiteral("init: connection"));
}

void ServiceController::onWebSocketError(QAbstractSocket::SocketError error)
{
    Q_UNUSED(error)
    Log::info(this, QStringLiteral("Socket error: '%1'").arg(m_socket->errorString()));
    sendInitialConnectionStatus();
}

void ServiceController::sendInitialConnectionStatus()
{
    if (!m_reconnectTimer || !m_reconnectTimer->isActive() || m_initialStatusReported)
        return;
    m_initialStatusReported = true;
    emit initialConnectionStatusChanged();
}

void ServiceController::onConnectionLost()
{
    if (!m_connected)
        return;
    qCritical().noquote() << objectName() + QStringLiteral(": Connection lost");
    abortConnection();
    emit disconnected();
}

void ServiceController::abortConnection()
{
    if (!m_connected)
        return;
    m_connected = false;
    if (m_socket && !m_socket->isValid())
        m_socket->abort();
}

void ServiceController::forceQuit()
{
    Log::info(this, QStringLiteral("Force quit"));
    if (m_socket)
        m_socket->disconnect();
    if (m_reconnectTimer)
        m_reconnectTimer->stop();
    abortConnection();
}

void ServiceController::checkConnectionTimer()
{
    if (!m_reconnectTimer->isActive() || m_connected)
        return;
    Log::warning(this, QStringLiteral("Reopen connection"));
    m_socket->abort();
    open();
}

void ServiceController::sendDirectly(const QString &message)
{
    if (!m_socket)
        return;
    // A start command names programs by their full paths: only the file names reach the log.
    const QString logged = message.startsWith(QLatin1String("start")) ? Utils::commandLineForLog(message) : message;
    Log::info(this, QStringLiteral("Send data: [") + logged + QLatin1Char(']'));
    m_socket->sendTextMessage(message);
}
