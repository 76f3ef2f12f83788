// The independent receiver of the transfer tests: lrzsz's rb on one end of a
// pseudo-terminal pair made by socat, the sender on the other end.
//
//   sender -- DIR/A ==socat== DIR/B -- rb (stdin and stdout), in DIR/received
//
// or, with start_with_pipes(), rb on pipes to socat's own stdin and stdout:
//
//   sender -- DIR/A ==socat== pipes -- rb
//
// rb flushes its terminal as it exits; on a pseudo-terminal that also drops
// what it wrote just before and socat has not read yet, such as its cancel.
// On pipes nothing is dropped, so the tests of rb's cancel use them. socat
// then ignores the end of rb's output, and rb's input pipe stays open here,
// so that socat neither stops nor fails when rb ends and relays rb's last
// bytes to the sender.
//
// Every wait is bounded, and whatever was started is ended by its process id.
#pragma once

#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include <sys/types.h>

namespace formwick::test {

// The full path of an executable found on PATH, or "" when there is none.
std::string find_program(const std::string& name);

// The lrzsz YMODEM receiver under whichever name this system gives it.
std::string find_ymodem_receiver();

// What a child gets as stdin and stdout: a terminal device opened for both,
// or two descriptors of the parent; nothing when neither is given.
struct ChildStdio {
    std::string tty;
    int in = -1, out = -1;
};

// A child process started with posix_spawn.
class Child {
  public:
    Child() = default;
    ~Child();
    Child(const Child&) = delete;
    Child& operator=(const Child&) = delete;

    // Starts argv[0] (a full path) in `folder`; stderr goes to `log`.
    bool spawn(const std::vector<std::string>& argv, const std::filesystem::path& folder, const ChildStdio& io,
               const std::filesystem::path& log, std::string& why);
    // Waits at most `limit` for the child to end: its exit status, 128 +
    // the signal that ended it, or -1 when it is still running.
    int wait(std::chrono::milliseconds limit);
    bool running();
    void signal(int sig);
    // Ends the child (SIGTERM, then SIGKILL) and reaps it.
    void stop();
    pid_t pid() const { return pid_; }

  private:
    pid_t pid_ = -1;
    int status_ = -1;
};

// A pty pair and, on demand, the receiver on its far end.
class PtyPeer {
  public:
    PtyPeer();
    ~PtyPeer();

    // Starts socat; false with the reason when the harness cannot run.
    bool start(std::string& why);
    // Starts rb with `extra` options on the far end; false with the reason.
    bool start_receiver(const std::vector<std::string>& extra, std::string& why);
    // Starts rb on pipes and socat between them and the sender's end.
    bool start_with_pipes(const std::vector<std::string>& extra, std::string& why);

    // Keeps the sender's end open in this process too, for a sender that is
    // another program: when it exits, socat sees no hang-up and so does not
    // hang up rb's end while rb still has the last block to read (a tty
    // hang-up throws away input not yet read). A cable keeps the line too.
    bool hold_sender_end(std::string& why);

    std::string sender_end() const { return (dir_ / "A").string(); }
    std::string receiver_end() const { return (dir_ / "B").string(); }
    const std::filesystem::path& folder() const { return dir_; }
    std::filesystem::path received() const { return dir_ / "received"; }
    Child& receiver() { return receiver_; }
    // rb's messages, with its carriage returns turned into line ends.
    std::string receiver_log() const;

  private:
    bool start_socat(const std::string& far_end, const ChildStdio& io, std::string& why);
    bool spawn_receiver(const std::vector<std::string>& extra, const ChildStdio& io, std::string& why);

    std::filesystem::path dir_;
    Child socat_;
    Child receiver_;
    int held_ = -1;       // the read end of rb's input pipe, in pipe wiring
    int heldSender_ = -1; // see hold_sender_end()
};

} // namespace formwick::test
