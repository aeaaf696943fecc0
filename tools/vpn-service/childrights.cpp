#include "childrights.h"

#include <cerrno>
#include <cstring>
#include <linux/capability.h>
#include <sys/prctl.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

QString systemError(const char *what)
{
    return QStringLiteral("%1: %2").arg(QLatin1String(what), QString::fromLocal8Bit(std::strerror(errno)));
}

bool inBoundingSet(int capability)
{
    return ::prctl(PR_CAPBSET_READ, capability, 0, 0, 0) == 1;
}

} // namespace

bool ChildRights::withholdInspection(QString *error)
{
    // Only root's programs take the bounding set's rights at exec.
    if (::geteuid() != 0)
        return true;
    // A root program's rights after exec are those of the bounding set (and of the inheritable
    // set): taking a right out of both leaves it in this process, and in none that it starts.
    // The bounding set changes only with CAP_SETPCAP, which goes last.
    for (const int capability : {CAP_SYS_PTRACE, CAP_SETPCAP}) {
        if (inBoundingSet(capability) && ::prctl(PR_CAPBSET_DROP, capability, 0, 0, 0) != 0) {
            *error = systemError("cannot withhold a right from the programs it starts");
            return false;
        }
    }
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    __user_cap_data_struct sets[_LINUX_CAPABILITY_U32S_3] = {};
    if (::syscall(SYS_capget, &header, sets) != 0) {
        *error = systemError("cannot read its rights");
        return false;
    }
    const auto bit = [](int capability) { return 1U << (capability % 32); };
    for (__user_cap_data_struct &set : sets)
        set.inheritable = 0;
    sets[CAP_SETPCAP / 32].permitted &= ~bit(CAP_SETPCAP);
    sets[CAP_SETPCAP / 32].effective &= ~bit(CAP_SETPCAP);
    if (::syscall(SYS_capset, &header, sets) != 0) {
        *error = systemError("cannot give up the right to change the rights of what it starts");
        return false;
    }
    if (inBoundingSet(CAP_SYS_PTRACE)) {
        *error = QStringLiteral("the programs it starts would still be able to inspect any process");
        return false;
    }
    return true;
}
