// demo-delayline: the demo provider's long-distance links. Each link is a pair of TAP devices;
// every Ethernet frame that enters one end leaves the other end half the link's round-trip time
// later, so a server behind the link answers a ping after the full time. The provider uses it
// where the kernel has no netem queueing discipline.
//
//   demo-delayline NEAR:FAR:MILLISECONDS [...]
//
// The devices exist while the program runs; it prints "ready" once all of them do and ends on
// SIGTERM or SIGINT, which removes them.
//
// Every frame gets its release time when it arrives (arrival plus the one-way delay) and leaves
// on an absolute CLOCK_MONOTONIC deadline, so a late wake-up delays that frame alone and never
// adds up over the queue. The program asks for real-time scheduling: on a loaded machine an
// ordinary process wakes tens of milliseconds late, which would swamp the gaps between the
// links' round trips; with it the error stays at the scheduler's latency.

#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <poll.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/timerfd.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;

// A queue longer than this is a flood, not traffic: frames beyond it are dropped, as a router
// with a full buffer would.
constexpr std::size_t maxQueuedFrames = 4096;
constexpr std::size_t maxFrame = 65536;

struct Frame
{
    Clock::time_point due;
    std::vector<unsigned char> bytes;
};

struct Direction
{
    int from = -1;
    int to = -1;
    Clock::duration delay{};
    std::deque<Frame> queue; // the delay is constant, so arrival order is departure order
    unsigned long dropped = 0;
};

volatile std::sig_atomic_t stopRequested = 0;

void onSignal(int)
{
    stopRequested = 1;
}

bool validName(const std::string &name)
{
    if (name.empty() || name.size() >= IFNAMSIZ)
        return false;
    for (char c : name) {
        const bool ok = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-'
            || c == '_' || c == '.';
        if (!ok)
            return false;
    }
    return true;
}

int openTap(const std::string &name)
{
    const int fd = open("/dev/net/tun", O_RDWR | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        std::fprintf(stderr, "demo-delayline: cannot open /dev/net/tun: %s\n", std::strerror(errno));
        return -1;
    }
    ifreq request{};
    request.ifr_flags = IFF_TAP | IFF_NO_PI;
    std::strncpy(request.ifr_name, name.c_str(), IFNAMSIZ - 1);
    if (ioctl(fd, TUNSETIFF, &request) < 0) {
        std::fprintf(stderr, "demo-delayline: cannot create %s: %s\n", name.c_str(), std::strerror(errno));
        close(fd);
        return -1;
    }
    return fd;
}

// "near:far:milliseconds", names of interfaces and a round trip of 0 to 10000 ms.
bool parseLink(const std::string &text, std::string &nearName, std::string &farName, long &milliseconds)
{
    const std::size_t first = text.find(':');
    const std::size_t second = first == std::string::npos ? first : text.find(':', first + 1);
    if (second == std::string::npos)
        return false;
    nearName = text.substr(0, first);
    farName = text.substr(first + 1, second - first - 1);
    const std::string number = text.substr(second + 1);
    if (number.empty() || number.size() > 5 || number.find_first_not_of("0123456789") != std::string::npos)
        return false;
    milliseconds = std::stol(number);
    return validName(nearName) && validName(farName) && nearName != farName && milliseconds <= 10000;
}

} // namespace

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: demo-delayline NEAR:FAR:MILLISECONDS [...]\n");
        return 2;
    }
    std::vector<Direction> directions;
    std::vector<int> descriptors;
    for (int i = 1; i < argc; ++i) {
        std::string nearName, farName;
        long milliseconds = 0;
        if (!parseLink(argv[i], nearName, farName, milliseconds)) {
            std::fprintf(stderr, "demo-delayline: not a link: %s\n", argv[i]);
            return 2;
        }
        const int nearFd = openTap(nearName);
        const int farFd = nearFd < 0 ? -1 : openTap(farName);
        if (farFd < 0)
            return 1;
        descriptors.push_back(nearFd);
        descriptors.push_back(farFd);
        // Half of the round trip each way.
        const auto oneWay = std::chrono::microseconds(milliseconds * 500);
        Direction outward, back;
        outward.from = nearFd;
        outward.to = farFd;
        outward.delay = oneWay;
        back.from = farFd;
        back.to = nearFd;
        back.delay = oneWay;
        directions.push_back(std::move(outward));
        directions.push_back(std::move(back));
    }

    struct sigaction action
    {
    };
    action.sa_handler = onSignal;
    sigaction(SIGTERM, &action, nullptr);
    sigaction(SIGINT, &action, nullptr);
    std::signal(SIGPIPE, SIG_IGN);

    std::printf("ready\n");
    std::fflush(stdout);

    // Best effort: without the right to it the links still work, with the load's jitter.
    sched_param priority{};
    priority.sched_priority = 10;
    if (sched_setscheduler(0, SCHED_FIFO, &priority) != 0)
        std::fprintf(stderr,
                     "demo-delayline: no real-time scheduling (%s); delays will vary under load\n",
                     std::strerror(errno));

    const int timer = timerfd_create(CLOCK_MONOTONIC, TFD_NONBLOCK | TFD_CLOEXEC);
    if (timer < 0) {
        std::fprintf(stderr, "demo-delayline: timerfd: %s\n", std::strerror(errno));
        return 1;
    }

    std::vector<pollfd> polled(directions.size() + 1);
    std::vector<unsigned char> buffer(maxFrame);
    while (!stopRequested) {
        const Clock::time_point now = Clock::now();
        // Send what is due, then sleep until the earliest release time or a frame arrives.
        bool waiting = false;
        Clock::time_point next{};
        for (Direction &direction : directions) {
            while (!direction.queue.empty() && direction.queue.front().due <= now) {
                const Frame &frame = direction.queue.front();
                if (write(direction.to, frame.bytes.data(), frame.bytes.size()) < 0 && errno != EAGAIN)
                    ++direction.dropped;
                direction.queue.pop_front();
            }
            if (!direction.queue.empty() && (!waiting || direction.queue.front().due < next)) {
                next = direction.queue.front().due;
                waiting = true;
            }
        }
        // steady_clock is CLOCK_MONOTONIC here, so its time points are the timer's deadlines.
        itimerspec deadline{};
        if (waiting) {
            const auto since = std::chrono::duration_cast<std::chrono::nanoseconds>(next.time_since_epoch()).count();
            deadline.it_value.tv_sec = static_cast<time_t>(since / 1000000000);
            deadline.it_value.tv_nsec = static_cast<long>(since % 1000000000);
            if (deadline.it_value.tv_sec == 0 && deadline.it_value.tv_nsec == 0)
                deadline.it_value.tv_nsec = 1; // zero would disarm the timer
        }
        if (timerfd_settime(timer, TFD_TIMER_ABSTIME, &deadline, nullptr) != 0) {
            std::fprintf(stderr, "demo-delayline: timerfd_settime: %s\n", std::strerror(errno));
            return 1;
        }
        for (std::size_t i = 0; i < directions.size(); ++i)
            polled[i] = {directions[i].from, POLLIN, 0};
        polled[directions.size()] = {timer, POLLIN, 0};
        // The timeout only bounds how long a stop request can go unnoticed.
        const int ready = poll(polled.data(), polled.size(), 1000);
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "demo-delayline: poll: %s\n", std::strerror(errno));
            return 1;
        }
        if (polled[directions.size()].revents & POLLIN) {
            std::uint64_t expirations = 0;
            if (read(timer, &expirations, sizeof expirations) < 0 && errno != EAGAIN) {
                std::fprintf(stderr, "demo-delayline: timerfd: %s\n", std::strerror(errno));
                return 1;
            }
        }
        const Clock::time_point arrived = Clock::now();
        for (std::size_t i = 0; i < directions.size(); ++i) {
            if (!(polled[i].revents & POLLIN))
                continue;
            Direction &direction = directions[i];
            // Drain what is there, so that a burst is not spread over many wake-ups.
            for (;;) {
                const ssize_t size = read(direction.from, buffer.data(), buffer.size());
                if (size <= 0)
                    break;
                if (direction.queue.size() >= maxQueuedFrames) {
                    ++direction.dropped;
                    continue;
                }
                direction.queue.push_back(
                    {arrived + direction.delay, std::vector<unsigned char>(buffer.begin(), buffer.begin() + size)});
            }
        }
    }
    close(timer);
    for (int fd : descriptors)
        close(fd);
    return 0;
}
