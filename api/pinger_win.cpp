#include "pinger.h"

#include "senderobject.h"

#include <QDebug>

#include <new>

#include <winsock2.h>
// After winsock2.h:
#include <windows.h>
// The completion routine's type and its status block; icmpapi.h takes a routine of that type
// only when told that it is declared, and needs the IP helper's types before it.
#include <winternl.h>
#define PIO_APC_ROUTINE_DEFINED
#include <iphlpapi.h>
// After iphlpapi.h:
#include <icmpapi.h>

namespace {

char payload[12] = "Data Buffer";
// Room for one reply record, the payload it echoes, the 8 bytes of an ICMP error message and
// the status block of the asynchronous call, as the IP helper asks. The record holds pointers:
// a fixed size that fits a 32-bit program is too small for a 64-bit one, and every probe would
// then fail for want of room.
constexpr DWORD replySize = sizeof(ICMP_ECHO_REPLY) + sizeof payload + 8 + sizeof(IO_STATUS_BLOCK);

// The record the size rests on, in both data models (the Windows check compiles both): 28 bytes
// in a 32-bit program, 40 in a 64-bit one. A fixed size, or the 32-bit record in a 64-bit
// program, stops the build here instead of every probe at run time.
constexpr DWORD echoReplyRecord = sizeof(void *) == 8 ? 40 : 28;
static_assert(sizeof(ICMP_ECHO_REPLY) == echoReplyRecord, "the reply record is not the one the reply size expects");
static_assert(replySize >= echoReplyRecord + sizeof payload + 8 + sizeof(IO_STATUS_BLOCK),
              "the reply buffer holds no reply record with its payload, an ICMP error and the status block");

} // namespace

// One pending echo request; owned by the system call until its completion routine runs.
struct IcmpRequest
{
    ~IcmpRequest()
    {
        if (handle != INVALID_HANDLE_VALUE)
            IcmpCloseHandle(handle);
        delete[] reply;
    }

    DWORD size = replySize;
    unsigned char *reply = nullptr;
    HANDLE handle = INVALID_HANDLE_VALUE;
    QString address;
    SenderObject relay;
};

struct Pinger::Request
{
};

namespace {

void NTAPI completion(PVOID context, PIO_STATUS_BLOCK, ULONG)
{
    auto *request = static_cast<IcmpRequest *>(context);
    if (IcmpParseReplies(request->reply, request->size) == 0) {
        request->relay.deliver(false, 0);
    } else {
        const auto *echo = reinterpret_cast<const ICMP_ECHO_REPLY *>(request->reply);
        if (echo->Options.OptionsSize == 0) {
            uint result = 0;
            if (echo->Status == IP_SUCCESS) {
                result = echo->RoundTripTime;
            } else {
                switch (echo->Status) {
                case 11002:
                case 11003:
                case 11004:
                case 11009:
                case 11013:
                case 11014:
                case 11016:
                    qInfo().noquote() << QStringLiteral("Pinger: IcmpCallbackData, reply status %1").arg(echo->Status);
                    break;
                default: break;
                }
            }
            request->relay.deliver(result > 0, result > 0 ? result : 0);
        }
    }
    delete request;
}

} // namespace

Pinger::Pinger()
{
    setObjectName(QStringLiteral("Pinger"));
}

// Here, where the request's type is complete.
Pinger::~Pinger() = default;

void Pinger::ping(const QString &address, int timeoutMs)
{
    const IPAddr target = inet_addr(address.toLatin1().constData());
    auto *request = new IcmpRequest;
    request->address = address;
    connect(&request->relay, &SenderObject::finished, this, &Pinger::callBackFinished);
    request->handle = IcmpCreateFile();
    if (request->handle == INVALID_HANDLE_VALUE) {
        qCritical().noquote() << objectName()
                + QStringLiteral("Unable to open ICPM handle, last error: %1").arg(GetLastError());
        delete request;
        return;
    }
    request->reply = new (std::nothrow) unsigned char[replySize];
    if (!request->reply) {
        qCritical().noquote() << objectName() + QStringLiteral("Unable to allocate memory for ICMP reply buffer");
        delete request;
        return;
    }
    const DWORD sent = IcmpSendEcho2(request->handle,
                                     nullptr,
                                     completion,
                                     request,
                                     target,
                                     payload,
                                     sizeof payload,
                                     nullptr,
                                     request->reply,
                                     replySize,
                                     DWORD(timeoutMs));
    if (sent == 0 && GetLastError() == ERROR_IO_PENDING)
        return;
    if (sent == 0)
        qCritical().noquote() << objectName() + QStringLiteral("IcmpSendEcho2: error %1\n").arg(GetLastError());
    delete request;
}
