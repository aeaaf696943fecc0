// demo-delayline: the demo provider's long-distance links. Each link is a pair of TAP devices;
// every Ethernet frame that enters one end leaves the other end half the link's round-trip time
// later, so a server behind the link answers a ping after the full time. The provider uses it
// where the kernel has no netem queueing discipline.
//
//   demo-delayline NEAR:FAR:MILLISECONDS [...]
//
// The devices exist while the program runs; it prints "ready" once all of them do and ends on
// SIGTERM or SIGINT, which removes them.

#include <fcntl.h>
#include <linux/if.h>
#include <linux/if_tun.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
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

    std::vector<pollfd> polled(directions.size());
    std::vector<unsigned char> buffer(maxFrame);
    while (!stopRequested) {
        const Clock::time_point now = Clock::now();
        // Send what is due, then sleep until the next frame is due or a frame arrives.
        long waitMs = 1000;
        for (Direction &direction : directions) {
            while (!direction.queue.empty() && direction.queue.front().due <= now) {
                const Frame &frame = direction.queue.front();
                if (write(direction.to, frame.bytes.data(), frame.bytes.size()) < 0 && errno != EAGAIN)
                    ++direction.dropped;
                direction.queue.pop_front();
            }
            if (!direction.queue.empty()) {
                const auto left =
                    std::chrono::duration_cast<std::chrono::microseconds>(direction.queue.front().due - now);
                // Round up, so that a frame is never sent before its time.
                waitMs = std::min(waitMs, static_cast<long>((left.count() + 999) / 1000));
            }
        }
        for (std::size_t i = 0; i < directions.size(); ++i)
            polled[i] = {directions[i].from, POLLIN, 0};
        const int ready = poll(polled.data(), polled.size(), static_cast<int>(waitMs));
        if (ready < 0) {
            if (errno == EINTR)
                continue;
            std::fprintf(stderr, "demo-delayline: poll: %s\n", std::strerror(errno));
            return 1;
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
    for (int fd : descriptors)
        close(fd);
    return 0;
}
