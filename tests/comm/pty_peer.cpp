#include "pty_peer.h"

#include "read_whole_file.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <thread>

#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace formwick::test {

namespace {

constexpr milliseconds kStartLimit{5000}; // for socat to make its links

} // namespace

std::string find_program(const std::string& name) {
    const char* path = std::getenv("PATH");
    std::stringstream dirs(path ? path : "/usr/bin:/bin");
    std::string dir;
    while (std::getline(dirs, dir, ':')) {
        const fs::path candidate = fs::path(dir.empty() ? "." : dir) / name;
        if (::access(candidate.c_str(), X_OK) == 0) return candidate.string();
    }
    return "";
}

std::string find_ymodem_receiver() {
    for (const char* name : {"rb", "lrb"}) {
        const std::string found = find_program(name);
        if (!found.empty()) return found;
    }
    return "";
}

Child::~Child() { stop(); }

bool Child::spawn(const std::vector<std::string>& argv, const fs::path& folder, const ChildStdio& io,
                  const fs::path& log, std::string& why) {
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    if (!io.tty.empty()) {
        posix_spawn_file_actions_addopen(&actions, 0, io.tty.c_str(), O_RDWR | O_NOCTTY, 0);
        posix_spawn_file_actions_adddup2(&actions, 0, 1);
    }
    if (io.in >= 0) posix_spawn_file_actions_adddup2(&actions, io.in, 0);
    if (io.out >= 0) posix_spawn_file_actions_adddup2(&actions, io.out, 1);
    posix_spawn_file_actions_addopen(&actions, 2, log.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (!folder.empty()) posix_spawn_file_actions_addchdir_np(&actions, folder.c_str());
    std::vector<char*> args;
    for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
    args.push_back(nullptr);
    const int err = ::posix_spawn(&pid_, args[0], &actions, nullptr, args.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    if (err != 0) {
        pid_ = -1;
        why = "cannot start " + argv[0] + ": " + std::strerror(err);
        return false;
    }
    status_ = -1;
    return true;
}

int Child::wait(milliseconds limit) {
    if (pid_ < 0) return status_;
    const auto until = std::chrono::steady_clock::now() + limit;
    for (;;) {
        int raw = 0;
        const pid_t r = ::waitpid(pid_, &raw, WNOHANG);
        if (r == pid_) {
            pid_ = -1;
            status_ = WIFEXITED(raw) ? WEXITSTATUS(raw) : 128 + WTERMSIG(raw);
            return status_;
        }
        if (r < 0 || std::chrono::steady_clock::now() >= until) return -1;
        std::this_thread::sleep_for(milliseconds(10));
    }
}

bool Child::running() { return wait(milliseconds(0)) == -1 && pid_ > 0; }

void Child::signal(int sig) {
    if (pid_ > 0) ::kill(pid_, sig);
}

void Child::stop() {
    if (pid_ <= 0) return;
    ::kill(pid_, SIGCONT); // a stopped child would not act on SIGTERM
    ::kill(pid_, SIGTERM);
    if (wait(milliseconds(2000)) != -1) return;
    ::kill(pid_, SIGKILL);
    wait(milliseconds(2000));
}

PtyPeer::PtyPeer() {
    char name[] = "/tmp/formwick-pty-XXXXXX";
    if (const char* made = ::mkdtemp(name)) {
        dir_ = made;
        fs::create_directory(received());
    }
}

PtyPeer::~PtyPeer() {
    receiver_.stop();
    socat_.stop();
    std::error_code ec;
    if (!dir_.empty()) fs::remove_all(dir_, ec);
    if (held_ >= 0) ::close(held_);
    if (heldSender_ >= 0) ::close(heldSender_);
}

bool PtyPeer::hold_sender_end(std::string& why) {
    heldSender_ = ::open(sender_end().c_str(), O_RDWR | O_NOCTTY | O_CLOEXEC);
    if (heldSender_ < 0) why = "cannot open " + sender_end() + ": " + std::strerror(errno);
    return heldSender_ >= 0;
}

bool PtyPeer::start(std::string& why) { return start_socat("pty,raw,echo=0,link=" + receiver_end(), {}, why); }

bool PtyPeer::start_socat(const std::string& far_end, const ChildStdio& io, std::string& why) {
    if (dir_.empty()) {
        why = std::string("cannot make a folder in /tmp: ") + std::strerror(errno);
        return false;
    }
    const std::string socat = find_program("socat");
    if (socat.empty()) {
        why = "socat is not installed (Debian package socat), so there is no pseudo-terminal pair";
        return false;
    }
    const std::vector<std::string> argv = {socat, "-d", "-d", "pty,raw,echo=0,link=" + sender_end(), far_end};
    if (!socat_.spawn(argv, dir_, io, dir_ / "socat.log", why)) return false;
    const bool two_ptys = io.in < 0;
    const auto until = std::chrono::steady_clock::now() + kStartLimit;
    while (!(fs::exists(sender_end()) && (!two_ptys || fs::exists(receiver_end())))) {
        if (!socat_.running() || std::chrono::steady_clock::now() >= until) {
            why = "socat made no pseudo-terminal pair (see " + (dir_ / "socat.log").string() + ")";
            return false;
        }
        std::this_thread::sleep_for(milliseconds(10));
    }
    return true;
}

bool PtyPeer::start_receiver(const std::vector<std::string>& extra, std::string& why) {
    return spawn_receiver(extra, {receiver_end(), -1, -1}, why);
}

bool PtyPeer::start_with_pipes(const std::vector<std::string>& extra, std::string& why) {
    int to_rb[2], from_rb[2];
    if (::pipe2(to_rb, O_CLOEXEC) != 0) {
        why = std::string("cannot make a pipe: ") + std::strerror(errno);
        return false;
    }
    if (::pipe2(from_rb, O_CLOEXEC) != 0) {
        why = std::string("cannot make a pipe: ") + std::strerror(errno);
        ::close(to_rb[0]);
        ::close(to_rb[1]);
        return false;
    }
    const bool ok = spawn_receiver(extra, {"", to_rb[0], from_rb[1]}, why) &&
                    start_socat("STDIO,ignoreeof", {"", from_rb[0], to_rb[1]}, why);
    // Held open so that socat's writes to an ended rb do not fail (and end
    // socat) before it has relayed rb's last bytes.
    held_ = to_rb[0];
    for (int fd : {to_rb[1], from_rb[0], from_rb[1]}) ::close(fd);
    return ok;
}

bool PtyPeer::spawn_receiver(const std::vector<std::string>& extra, const ChildStdio& io, std::string& why) {
    const std::string rb = find_ymodem_receiver();
    if (rb.empty()) {
        why = "the YMODEM receiver rb is not installed (Debian package lrzsz)";
        return false;
    }
    // -u keeps the name's case, -y replaces a file of the same name.
    std::vector<std::string> argv = {rb, "-u", "-y"};
    argv.insert(argv.end(), extra.begin(), extra.end());
    return receiver_.spawn(argv, received(), io, dir_ / "rb.log", why);
}

std::string PtyPeer::receiver_log() const {
    std::string text = read_file(dir_ / "rb.log");
    std::replace(text.begin(), text.end(), '\r', '\n');
    return text;
}

} // namespace formwick::test
