// Transfers to an independent receiver, lrzsz's rb, over a pseudo-terminal
// pair: files arrive byte for byte, and every way a transfer can go wrong
// ends with a clear status and text within a bounded time.
#include "comm/loader.h"
#include "comm/posix_transfer.h"

#include "pty_peer.h"
#include "read_whole_file.h"
#include "recording_observer.h"

#include <gtest/gtest.h>

#include <csignal>
#include <fstream>
#include <random>

using namespace formwick;
using namespace formwick::test;
namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

void write_random(const fs::path& path, std::size_t size) {
    std::mt19937 random(17);
    std::string bytes(size, '\0');
    for (char& c : bytes) c = static_cast<char>(random());
    std::ofstream(path, std::ios::binary) << bytes;
}

class RbTransfer : public ::testing::Test {
  protected:
    RbTransfer() {
        settings.timeouts.start = milliseconds(20000);
        settings.timeouts.answer = milliseconds(5000);
    }
    void SetUp() override {
        std::string why;
        if (find_ymodem_receiver().empty())
            GTEST_SKIP() << "the YMODEM receiver rb is not installed (Debian package lrzsz)";
        if (!peer.start(why)) GTEST_SKIP() << why;
    }

    void start_receiver(const std::vector<std::string>& extra = {}) {
        std::string why;
        ASSERT_TRUE(peer.start_receiver(extra, why)) << why;
    }

    // Sends `file` to the pty pair and returns the final event.
    LoaderEvent send(const fs::path& file) {
        PosixSerialPort port;
        Loader loader(port, observer, settings);
        loader.set_port(peer.sender_end());
        loader.set_path(file);
        if (loader.start(steady_now())) drive_transfer(loader, port, stop);
        return loader.last_event();
    }

    // Positions never go back, and exactly one final event ends the transfer.
    void expect_orderly_events() const {
        ASSERT_FALSE(observer.events.empty());
        for (std::size_t i = 1; i < observer.events.size(); ++i)
            EXPECT_GE(observer.events[i].position, observer.events[i - 1].position) << i;
        EXPECT_EQ(observer.finals(), 1);
        EXPECT_FALSE(is_under_way(observer.last().status));
    }

    // A file sent in full arrives as it was, and rb ends well.
    void expect_received(const fs::path& file) {
        EXPECT_EQ(peer.receiver().wait(milliseconds(15000)), 0) << peer.receiver_log();
        const fs::path got = peer.received() / file.filename();
        ASSERT_TRUE(fs::exists(got)) << peer.receiver_log();
        EXPECT_EQ(fs::file_size(got), fs::file_size(file));
        EXPECT_TRUE(read_file(got) == read_file(file)) << "the received file differs";
    }

    PtyPeer peer;
    LoaderSettings settings;
    RecordingObserver observer;
    std::atomic<bool> stop{false};
};

TEST_F(RbTransfer, OneMegabyteArrivesIdentical) {
    const fs::path file = peer.folder() / "OS1MB.HEX";
    write_random(file, 1 << 20);
    start_receiver();
    const LoaderEvent end = send(file);
    EXPECT_EQ(end, (LoaderEvent{100, LoaderStatus::Complete, "OS1MB.HEX sent: 1048576 bytes"}))
        << peer.receiver_log();
    expect_orderly_events();
    expect_received(file);
}

TEST_F(RbTransfer, BlocksTheReceiverFindsDamagedAreSentAgain) {
    // rb's --errors spoils the CRC of its input every so many bytes, so it
    // refuses those blocks and the sender must send them again.
    const fs::path file = peer.folder() / "DAMAGED.HIX";
    write_random(file, 40000);
    start_receiver({"--errors", "9000"});
    EXPECT_EQ(send(file).status, LoaderStatus::Complete) << peer.receiver_log();
    expect_received(file);
    EXPECT_NE(peer.receiver_log().find("CRC"), std::string::npos) << peer.receiver_log();
}

// rb on pipes, so that the cancel it sends as it ends is not flushed away
// with its pseudo-terminal (see pty_peer.h).
class RbOnPipes : public RbTransfer {
  protected:
    void SetUp() override {
        std::string why;
        if (find_ymodem_receiver().empty())
            GTEST_SKIP() << "the YMODEM receiver rb is not installed (Debian package lrzsz)";
        if (!peer.start_with_pipes({}, why)) GTEST_SKIP() << why;
    }
};

TEST_F(RbOnPipes, ReceiverCancellingMidWay) {
    const fs::path file = peer.folder() / "BIG.HEX";
    write_random(file, 1 << 20);
    bool signalled = false;
    observer.on_event = [&](const LoaderEvent& e) {
        if (e.position >= 10 && !signalled) {
            peer.receiver().signal(SIGINT); // rb cancels (CANs) as it ends
            signalled = true;
        }
    };
    const LoaderEvent end = send(file);
    EXPECT_EQ(end.status, LoaderStatus::CancelledByReceiver) << end.text << "\n" << peer.receiver_log();
    EXPECT_EQ(end.text, "The receiver cancelled the transfer");
    EXPECT_GE(end.position, 10);
    EXPECT_LT(end.position, 100);
    expect_orderly_events();
}

TEST_F(RbTransfer, AbortReachesTheReceiver) {
    const fs::path file = peer.folder() / "BIG.HEX";
    write_random(file, 1 << 20);
    start_receiver({"--timeout", "600"}); // rb would wait a minute for a block: only the cancel ends it sooner
    Loader* running = nullptr;
    PosixSerialPort port;
    Loader loader(port, observer, settings);
    running = &loader;
    observer.on_event = [&](const LoaderEvent& e) {
        if (e.position >= 10 && e.status == LoaderStatus::Sending) running->abort(steady_now());
    };
    loader.set_port(peer.sender_end());
    loader.set_path(file);
    ASSERT_TRUE(loader.start(steady_now()));
    drive_transfer(loader, port, stop);
    EXPECT_EQ(loader.last_event().status, LoaderStatus::Aborted);
    EXPECT_EQ(loader.last_event().text, "Transfer aborted");
    expect_orderly_events();
    const int status = peer.receiver().wait(milliseconds(10000));
    EXPECT_NE(status, -1) << "rb did not stop within 10 s\n" << peer.receiver_log();
    EXPECT_NE(status, 0) << peer.receiver_log();
    EXPECT_NE(peer.receiver_log().find("ancel"), std::string::npos) << peer.receiver_log();
}

TEST_F(RbTransfer, StopRequestAbortsLikeCancel) {
    // The command line's Ctrl-C sets the stop flag that drive_transfer watches.
    const fs::path file = peer.folder() / "BIG.HEX";
    write_random(file, 1 << 20);
    start_receiver();
    observer.on_event = [&](const LoaderEvent& e) {
        if (e.position >= 5) stop.store(true);
    };
    EXPECT_EQ(send(file).status, LoaderStatus::Aborted);
    EXPECT_NE(peer.receiver().wait(milliseconds(10000)), -1) << peer.receiver_log();
}

TEST_F(RbTransfer, ReceiverThatNeverAnswers) {
    const fs::path file = peer.folder() / "APP.HIX";
    write_random(file, 1000);
    settings.timeouts.start = milliseconds(1000);
    const auto began = std::chrono::steady_clock::now();
    const LoaderEvent end = send(file);
    EXPECT_LT(std::chrono::steady_clock::now() - began, std::chrono::seconds(10));
    EXPECT_EQ(end, (LoaderEvent{0, LoaderStatus::NoReceiver,
                                "No answer from the receiver within 1 s: is it waiting for a file?"}));
    expect_orderly_events();
}

TEST_F(RbTransfer, ReceiverFallingSilentMidWay) {
    const fs::path file = peer.folder() / "BIG.HEX";
    write_random(file, 1 << 20);
    settings.timeouts.answer = milliseconds(300);
    settings.timeouts.tries = 3;
    start_receiver();
    observer.on_event = [&](const LoaderEvent& e) {
        if (e.position >= 10) peer.receiver().signal(SIGSTOP);
    };
    const LoaderEvent end = send(file);
    EXPECT_EQ(end.status, LoaderStatus::NoAnswer) << end.text;
    EXPECT_NE(end.text.find("no answer within 300 ms each time"), std::string::npos) << end.text;
    expect_orderly_events();
}

TEST_F(RbTransfer, PortThatIsMissingBusyOrNoSerialPort) {
    const fs::path file = peer.folder() / "APP.HIX";
    write_random(file, 1000);
    PosixSerialPort holder;
    std::string error;
    ASSERT_TRUE(holder.open(peer.sender_end(), kDefaultBaud, error)) << error;

    struct Case {
        std::string device, reason;
    };
    const Case cases[] = {
        {(peer.folder() / "ttyNONE").string(), "no such device"},
        {peer.sender_end(), "in use by another program"},
        {file.string(), "not a serial port"},
    };
    for (const Case& c : cases) {
        observer.events.clear();
        PosixSerialPort port;
        Loader loader(port, observer, settings);
        loader.set_port(c.device);
        loader.set_path(file);
        EXPECT_FALSE(loader.start(steady_now())) << c.device;
        EXPECT_EQ(loader.last_event(),
                  (LoaderEvent{0, LoaderStatus::PortError, "Cannot open the serial port " + c.device + ": " + c.reason}));
        EXPECT_EQ(observer.events.size(), 1u);
    }
}

} // namespace
