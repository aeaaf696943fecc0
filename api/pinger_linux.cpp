#include "pinger.h"

#include "senderobject.h"

#include <QDebug>
#include <QElapsedTimer>
#include <QHostAddress>
#include <QSocketNotifier>
#include <QTimer>

#include <atomic>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <ctime>
#include <netinet/in.h>
#include <netinet/ip.h>
#include <netinet/ip_icmp.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/uio.h>
#include <unistd.h>

#include <QtEndian>

namespace {

// The payload of the Windows probe, so that both systems send the same packet.
const char payload[12] = "Data Buffer";

std::atomic<quint16> nextSequence{1};

// A batch over a large catalogue holds one socket per probe at once: more than the usual soft
// limit of 1024 open files allows. Raised to the hard limit once.
void raiseFileLimit()
{
    static const bool raised = [] {
        rlimit limit = {};
        if (::getrlimit(RLIMIT_NOFILE, &limit) != 0 || limit.rlim_cur >= limit.rlim_max)
            return false;
        limit.rlim_cur = limit.rlim_max;
        return ::setrlimit(RLIMIT_NOFILE, &limit) == 0;
    }();
    Q_UNUSED(raised)
}

quint16 checksum(const unsigned char *data, int length)
{
    quint32 sum = 0;
    for (int i = 0; i + 1 < length; i += 2)
        sum += quint32(data[i] << 8 | data[i + 1]);
    if (length % 2)
        sum += quint32(data[length - 1] << 8);
    while (sum >> 16)
        sum = (sum & 0xFFFF) + (sum >> 16);
    return quint16(~sum);
}

} // namespace

struct Pinger::Request
{
    ~Request()
    {
        notifier.reset();
        if (fd >= 0)
            ::close(fd);
    }

    int fd = -1;
    bool raw = false;
    quint16 identifier = 0;
    quint16 sequence = 0;
    quint32 target = 0;
    QElapsedTimer clock;
    timespec sent = {}; // CLOCK_REALTIME, the clock of the kernel's receive stamps
    QTimer timeout;
    std::unique_ptr<QSocketNotifier> notifier;
    std::unique_ptr<SenderObject> relay;
};

Pinger::Pinger()
{
    setObjectName(QStringLiteral("Pinger"));
}

// Here, where the request's type is complete.
Pinger::~Pinger() = default;

void Pinger::ping(const QString &address, int timeoutMs)
{
    m_request = std::make_unique<Request>();
    Request &request = *m_request;
    request.relay = std::make_unique<SenderObject>();
    connect(request.relay.get(), &SenderObject::finished, this, &Pinger::callBackFinished);

    QHostAddress host;
    if (!host.setAddress(address) || host.protocol() != QAbstractSocket::IPv4Protocol) {
        qInfo().noquote() << objectName() + QStringLiteral(": Not an IPv4 address: ") + address;
        m_request.reset(); // the relay reports the failure
        return;
    }
    request.target = host.toIPv4Address();

    raiseFileLimit();
    // An unprivileged ICMP socket where the system allows it, a raw one with the rights for it.
    request.fd = ::socket(AF_INET, SOCK_DGRAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
    if (request.fd < 0) {
        request.fd = ::socket(AF_INET, SOCK_RAW | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_ICMP);
        request.raw = true;
    }
    if (request.fd < 0) {
        qCritical().noquote() << objectName()
                + QStringLiteral(": Unable to open ICMP socket, last error: %1").arg(errno);
        m_request.reset();
        return;
    }
    request.sequence = nextSequence++;
    request.identifier = request.raw ? quint16(::getpid() ^ quintptr(this)) : 0;

    unsigned char packet[8 + sizeof payload] = {};
    packet[0] = ICMP_ECHO;
    qToBigEndian<quint16>(request.identifier, packet + 4);
    qToBigEndian<quint16>(request.sequence, packet + 6);
    std::memcpy(packet + 8, payload, sizeof payload);
    qToBigEndian<quint16>(checksum(packet, sizeof packet), packet + 2);

    sockaddr_in to = {};
    to.sin_family = AF_INET;
    to.sin_addr.s_addr = htonl(request.target);
    // The answer's time is the kernel's stamp of its arrival: an event loop busy with painting
    // would otherwise add its own delay to every probe that came in meanwhile, and a near server
    // could rank behind a far one.
    const int stamp = 1;
    ::setsockopt(request.fd, SOL_SOCKET, SO_TIMESTAMPNS, &stamp, sizeof stamp);
    ::clock_gettime(CLOCK_REALTIME, &request.sent);
    request.clock.start();
    if (::sendto(request.fd, packet, sizeof packet, 0, reinterpret_cast<sockaddr *>(&to), sizeof to) < 0) {
        qCritical().noquote() << objectName()
                + QStringLiteral(": Unable to send the echo request, last error: %1").arg(errno);
        m_request.reset();
        return;
    }
    if (!request.raw) {
        // The kernel chose the identifier of an unprivileged socket: its local "port".
        sockaddr_in local = {};
        socklen_t length = sizeof local;
        if (::getsockname(request.fd, reinterpret_cast<sockaddr *>(&local), &length) == 0)
            request.identifier = ntohs(local.sin_port);
    }

    request.timeout.setSingleShot(true);
    connect(&request.timeout, &QTimer::timeout, this, [this] {
        m_request->relay->deliver(false, 0);
        m_request->notifier.reset();
    });
    request.timeout.start(timeoutMs);

    request.notifier = std::make_unique<QSocketNotifier>(request.fd, QSocketNotifier::Read);
    connect(request.notifier.get(), &QSocketNotifier::activated, this, [this] {
        Request &r = *m_request;
        unsigned char buffer[1500];
        alignas(cmsghdr) unsigned char control[CMSG_SPACE(sizeof(timespec))];
        sockaddr_in from = {};
        for (;;) {
            iovec part = {buffer, sizeof buffer};
            msghdr message = {};
            message.msg_name = &from;
            message.msg_namelen = sizeof from;
            message.msg_iov = &part;
            message.msg_iovlen = 1;
            message.msg_control = control;
            message.msg_controllen = sizeof control;
            const ssize_t size = ::recvmsg(r.fd, &message, 0);
            if (size < 0)
                return;
            int offset = 0;
            if (r.raw) {
                if (size < 20)
                    continue;
                offset = (buffer[0] & 0x0F) * 4; // the IP header comes along on a raw socket
            }
            if (size < offset + 8 || buffer[offset] != ICMP_ECHOREPLY || ntohl(from.sin_addr.s_addr) != r.target)
                continue;
            if (qFromBigEndian<quint16>(buffer + offset + 4) != r.identifier
                || qFromBigEndian<quint16>(buffer + offset + 6) != r.sequence)
                continue;
            qint64 nanoseconds = r.clock.nsecsElapsed();
            for (cmsghdr *c = CMSG_FIRSTHDR(&message); c; c = CMSG_NXTHDR(&message, c)) {
                if (c->cmsg_level != SOL_SOCKET || c->cmsg_type != SCM_TIMESTAMPNS)
                    continue;
                timespec arrived = {};
                std::memcpy(&arrived, CMSG_DATA(c), sizeof arrived);
                const qint64 stamped = (qint64(arrived.tv_sec) - qint64(r.sent.tv_sec)) * 1000000000
                    + (qint64(arrived.tv_nsec) - qint64(r.sent.tv_nsec));
                // A wall clock set meanwhile makes the stamp meaningless; the monotonic time
                // since sending is then the better figure.
                if (stamped >= 0 && stamped <= nanoseconds)
                    nanoseconds = stamped;
            }
            // Whole milliseconds, rounded up: an answer within the first millisecond is an answer.
            const uint elapsed = uint(std::ceil(double(nanoseconds) / 1e6));
            r.timeout.stop();
            r.notifier.reset();
            r.relay->deliver(true, qMax(1u, elapsed));
            return;
        }
    });
}
