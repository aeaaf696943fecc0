// familyfilter FAMILY... -- PROGRAM [ARGUMENTS...]: runs the program with socket(2) refused
// (EAFNOSUPPORT) for every address family but the ones named (unix, inet, inet6, netlink,
// packet), as systemd's RestrictAddressFamilies= does, so that a test sees whether a program
// lives with the families its unit allows.
#include <cerrno>
#include <cstddef>
#include <cstdio>
#include <cstring>
#include <vector>

#include <linux/audit.h>
#include <linux/filter.h>
#include <linux/seccomp.h>
#include <sys/prctl.h>
#include <sys/socket.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

struct Family
{
    const char *name;
    int value;
};
constexpr Family families[] = {
    {"unix", AF_UNIX},
    {"inet", AF_INET},
    {"inet6", AF_INET6},
    {"netlink", AF_NETLINK},
    {"packet", AF_PACKET},
};

int usage()
{
    std::fprintf(stderr, "usage: familyfilter FAMILY... -- PROGRAM [ARGUMENTS...]\n");
    return 2;
}

} // namespace

int main(int argc, char **argv)
{
    std::vector<int> allowed;
    int i = 1;
    for (; i < argc && std::strcmp(argv[i], "--") != 0; ++i) {
        bool known = false;
        for (const Family &family : families) {
            if (std::strcmp(argv[i], family.name) == 0) {
                allowed.push_back(family.value);
                known = true;
            }
        }
        if (!known) {
            std::fprintf(stderr, "familyfilter: unknown family '%s'\n", argv[i]);
            return 2;
        }
    }
    if (i + 1 >= argc)
        return usage();

    // A program of another architecture would reach the kernel by other numbers: refused.
    std::vector<sock_filter> program = {
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, arch)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, AUDIT_ARCH_X86_64, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_KILL_PROCESS),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, nr)),
        BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, SYS_socket, 1, 0),
        BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW),
        BPF_STMT(BPF_LD | BPF_W | BPF_ABS, offsetof(seccomp_data, args[0])),
    };
    for (std::size_t k = 0; k < allowed.size(); ++k) {
        const auto skip = static_cast<unsigned char>(allowed.size() - k);
        program.push_back(BPF_JUMP(BPF_JMP | BPF_JEQ | BPF_K, static_cast<unsigned>(allowed[k]), skip, 0));
    }
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ERRNO | (EAFNOSUPPORT & SECCOMP_RET_DATA)));
    program.push_back(BPF_STMT(BPF_RET | BPF_K, SECCOMP_RET_ALLOW));

    sock_fprog filter = {};
    filter.len = static_cast<unsigned short>(program.size());
    filter.filter = program.data();
    // Root may install the filter as it is; anyone else only without new privileges, which
    // is then the price of the test.
    if (::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &filter) != 0
        && (errno != EACCES || ::prctl(PR_SET_NO_NEW_PRIVS, 1, 0, 0, 0) != 0
            || ::syscall(SYS_seccomp, SECCOMP_SET_MODE_FILTER, 0, &filter) != 0)) {
        std::perror("familyfilter: seccomp");
        return 1;
    }
    ::execvp(argv[i + 1], argv + i + 1);
    std::perror("familyfilter: exec");
    return 127;
}
