#include "comm/posix_serial_port.h"

#include <cerrno>
#include <cstring>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <sys/file.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace formwick {

namespace {

using std::chrono::milliseconds;
using std::chrono::steady_clock;

// A write that makes no progress for this long means the port is stuck.
constexpr milliseconds kWriteStall{5000};
// close() waits at most this long for written bytes to leave.
constexpr milliseconds kDrainLimit{3000};

struct BaudRate {
    int baud;
    speed_t speed;
};

constexpr BaudRate kRates[] = {
    {1200, B1200},       {2400, B2400},       {4800, B4800},       {9600, B9600},       {19200, B19200},
    {38400, B38400},     {57600, B57600},     {115200, B115200},   {230400, B230400},   {460800, B460800},
    {500000, B500000},   {576000, B576000},   {921600, B921600},   {1000000, B1000000}, {1152000, B1152000},
    {1500000, B1500000}, {2000000, B2000000}, {3000000, B3000000}, {4000000, B4000000},
};

bool speed_of(int baud, speed_t& speed) {
    for (const BaudRate& r : kRates) {
        if (r.baud != baud) continue;
        speed = r.speed;
        return true;
    }
    return false;
}

std::string open_error(int err) {
    switch (err) {
    case ENOENT:
        return "no such device";
    case EACCES:
        return "permission denied (is the user in the dialout group?)";
    case EBUSY:
        return "in use by another program";
    default:
        return std::strerror(err);
    }
}

} // namespace

bool is_supported_baud(int baud) {
    speed_t ignored;
    return speed_of(baud, ignored);
}

PosixSerialPort::~PosixSerialPort() { close(); }

bool PosixSerialPort::open(const std::string& device, int baud, std::string& error) {
    close();
    speed_t speed;
    if (!speed_of(baud, speed)) {
        error = "unsupported baud rate " + std::to_string(baud);
        return false;
    }
    const int fd = ::open(device.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        error = open_error(errno);
        return false;
    }
    auto fail = [&](std::string why) {
        ::close(fd);
        error = std::move(why);
        return false;
    };
    if (!::isatty(fd)) return fail("not a serial port");
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0)
        return fail(errno == EWOULDBLOCK ? "in use by another program" : std::strerror(errno));
    ::ioctl(fd, TIOCEXCL); // other opens fail too, for programs that do not lock

    termios tio{};
    if (::tcgetattr(fd, &tio) != 0) return fail(std::strerror(errno));
    ::cfmakeraw(&tio);
    tio.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS);
    tio.c_cflag |= CS8 | CREAD | CLOCAL;
    tio.c_iflag &= ~(IXON | IXOFF | IXANY);
    tio.c_cc[VMIN] = 0;
    tio.c_cc[VTIME] = 0;
    if (::cfsetispeed(&tio, speed) != 0 || ::cfsetospeed(&tio, speed) != 0 || ::tcsetattr(fd, TCSANOW, &tio) != 0)
        return fail("cannot set " + std::to_string(baud) + " baud 8N1: " + std::strerror(errno));
    fd_ = fd;
    return true;
}

bool PosixSerialPort::write(std::span<const std::uint8_t> bytes, std::string& error) {
    if (fd_ < 0) {
        error = "the port is not open";
        return false;
    }
    std::size_t done = 0;
    auto last_progress = steady_clock::now();
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd_, bytes.data() + done, bytes.size() - done);
        if (n > 0) {
            done += static_cast<std::size_t>(n);
            last_progress = steady_clock::now();
            continue;
        }
        if (n < 0 && errno == EINTR) continue;
        if (n < 0 && errno != EAGAIN) {
            error = std::strerror(errno);
            return false;
        }
        const auto waited = std::chrono::duration_cast<milliseconds>(steady_clock::now() - last_progress);
        if (waited >= kWriteStall) {
            error = "the port takes no more data";
            return false;
        }
        pollfd p{fd_, POLLOUT, 0};
        ::poll(&p, 1, static_cast<int>((kWriteStall - waited).count()));
        if (p.revents & (POLLERR | POLLHUP | POLLNVAL)) {
            error = "the port was closed at the other end";
            return false;
        }
    }
    return true;
}

long PosixSerialPort::read(std::uint8_t* buffer, std::size_t capacity, milliseconds timeout, std::string& error) {
    if (fd_ < 0) {
        error = "the port is not open";
        return -1;
    }
    pollfd p{fd_, POLLIN, 0};
    const int ready = ::poll(&p, 1, static_cast<int>(timeout.count() < 0 ? 0 : timeout.count()));
    if (ready < 0) return errno == EINTR ? 0 : (error = std::strerror(errno), -1);
    if (ready == 0) return 0;
    const ssize_t n = ::read(fd_, buffer, capacity);
    if (n > 0) return n;
    const bool hung_up = (p.revents & (POLLHUP | POLLERR)) != 0 || (n < 0 && errno == EIO);
    if (!hung_up && (n == 0 || errno == EAGAIN || errno == EINTR)) return 0;
    error = hung_up ? std::string("the port was closed at the other end") : std::strerror(errno);
    return -1;
}

void PosixSerialPort::close() {
    if (fd_ < 0) return;
    // Let the written bytes leave (the CANs of an abort, the last block), but
    // never wait without bound: what a held-up line still holds after the
    // limit is dropped, so that close() itself does not wait for it.
    const auto until = steady_clock::now() + kDrainLimit;
    int queued = 0;
    while (::ioctl(fd_, TIOCOUTQ, &queued) == 0 && queued > 0 && steady_clock::now() < until)
        std::this_thread::sleep_for(milliseconds(5));
    if (queued > 0) ::tcflush(fd_, TCOFLUSH);
    ::close(fd_);
    fd_ = -1;
}

} // namespace formwick
