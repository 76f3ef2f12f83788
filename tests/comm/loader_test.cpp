// The loader over a scripted port: what it reads, opens and writes, and the
// events a progress window gets, from the start to every kind of end.
#include "comm/loader.h"

#include "recording_observer.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <unistd.h>

using namespace formwick;
using namespace formwick::ymodem;
using formwick::test::RecordingObserver;
namespace fs = std::filesystem;

namespace {

class FakeLink final : public SerialLink {
  public:
    bool open(const std::string& d, int b, std::string& error) override {
        device = d;
        baud = b;
        if (!open_error.empty()) error = open_error;
        is_open = open_error.empty();
        return is_open;
    }
    bool write(std::span<const std::uint8_t> bytes, std::string& error) override {
        if (!write_error.empty()) {
            error = write_error;
            return false;
        }
        written.insert(written.end(), bytes.begin(), bytes.end());
        return true;
    }
    void close() override {
        if (is_open) ++closes;
        is_open = false;
    }

    std::string device, open_error, write_error;
    int baud = 0, closes = 0;
    bool is_open = false;
    Bytes written;
};

class LoaderTest : public ::testing::Test {
  protected:
    LoaderTest() {
        char name[] = "/tmp/formwick-loader-XXXXXX";
        dir = mkdtemp(name);
        file = dir / "APP.HIX";
        std::ofstream(file, std::ios::binary) << std::string(1500, 'x');
        loader.set_port("/dev/ttyTEST");
        loader.set_path(file);
    }
    ~LoaderTest() override { fs::remove_all(dir); }

    static LoaderSettings settings() {
        LoaderSettings s;
        s.timeouts.start = Millis(3000);
        s.timeouts.answer = Millis(1000);
        s.timeouts.tries = 2;
        return s;
    }
    void answer(Bytes bytes) { loader.receive(bytes, now); }

    fs::path dir, file;
    Millis now{0};
    FakeLink link;
    RecordingObserver observer;
    Loader loader{link, observer, settings()};
};

TEST_F(LoaderTest, EventsOfAWholeTransfer) {
    ASSERT_TRUE(loader.start(now));
    EXPECT_TRUE(loader.running());
    EXPECT_EQ(link.device, "/dev/ttyTEST");
    EXPECT_EQ(link.baud, 115200);
    EXPECT_EQ(observer.last(),
              (LoaderEvent{0, LoaderStatus::Waiting, "Waiting for the receiver on /dev/ttyTEST (115200 baud)"}));
    answer({kCrcRequest});
    EXPECT_EQ(observer.last(), (LoaderEvent{0, LoaderStatus::Sending, "Sending APP.HIX: 0 of 1500 bytes"}));
    answer({kAck, kCrcRequest});
    answer({kAck});
    EXPECT_EQ(observer.last(), (LoaderEvent{68, LoaderStatus::Sending, "Sending APP.HIX: 1024 of 1500 bytes"}));
    answer({kAck});
    answer({kAck});
    EXPECT_EQ(observer.last().status, LoaderStatus::Finishing);
    answer({kCrcRequest});
    answer({kAck});
    EXPECT_FALSE(loader.running());
    EXPECT_EQ(observer.last(), (LoaderEvent{100, LoaderStatus::Complete, "APP.HIX sent: 1500 bytes"}));
    EXPECT_EQ(observer.finals(), 1);
    EXPECT_EQ(link.closes, 1);
    // Header, two data blocks, EOT and the end of the batch went out.
    EXPECT_EQ(link.written.size(), 133u + 1029u + 1029u + 1u + 133u);
    // Nothing repeats an event: each differs from the one before.
    for (std::size_t i = 1; i < observer.events.size(); ++i)
        EXPECT_FALSE(observer.events[i] == observer.events[i - 1]) << i;
}

TEST_F(LoaderTest, AFileThatCannotBeReadNeverOpensThePort) {
    fs::create_directory(dir / "folder");
    struct Case {
        fs::path path;
        std::string text;
    };
    const Case cases[] = {
        {"", "No file to send"},
        {dir / "missing.HIX", "Cannot read " + (dir / "missing.HIX").string() + ": no such file"},
        {dir / "folder", "Cannot read " + (dir / "folder").string() + ": not a regular file"},
    };
    for (const Case& c : cases) {
        loader.set_path(c.path);
        EXPECT_FALSE(loader.start(now)) << c.path;
        EXPECT_FALSE(loader.running());
        EXPECT_EQ(observer.last(), (LoaderEvent{0, LoaderStatus::FileError, c.text})) << c.path;
    }
    EXPECT_EQ(link.device, "");
}

TEST_F(LoaderTest, AFileWithoutReadPermission) {
    if (::geteuid() == 0) GTEST_SKIP() << "running as root, which reads any file";
    ::chmod(file.c_str(), 0);
    EXPECT_FALSE(loader.start(now));
    EXPECT_EQ(observer.last(), (LoaderEvent{0, LoaderStatus::FileError, "Cannot read " + file.string() +
                                                                             ": Permission denied"}));
}

TEST_F(LoaderTest, PortThatCannotBeOpened) {
    link.open_error = "in use by another program";
    EXPECT_FALSE(loader.start(now));
    EXPECT_EQ(observer.last(),
              (LoaderEvent{0, LoaderStatus::PortError,
                           "Cannot open the serial port /dev/ttyTEST: in use by another program"}));
    loader.set_port("");
    EXPECT_FALSE(loader.start(now));
    EXPECT_EQ(observer.last().text, "No serial port chosen");
    EXPECT_EQ(observer.finals(), 2);
}

TEST_F(LoaderTest, PortFailingDuringTheTransfer) {
    ASSERT_TRUE(loader.start(now));
    link.write_error = "Input/output error";
    answer({kCrcRequest});
    EXPECT_FALSE(loader.running());
    EXPECT_EQ(observer.last(), (LoaderEvent{0, LoaderStatus::LinkError,
                                            "The serial port /dev/ttyTEST failed: Input/output error"}));
    EXPECT_EQ(link.closes, 1);

    link.write_error.clear();
    ASSERT_TRUE(loader.start(now));
    loader.link_failed("the port was closed at the other end");
    EXPECT_FALSE(loader.running());
    EXPECT_EQ(observer.last().status, LoaderStatus::LinkError);
    EXPECT_EQ(link.closes, 2);
}

TEST_F(LoaderTest, AbortFromTheProgressWindowReachesTheReceiver) {
    observer.on_event = [&](const LoaderEvent& e) {
        if (e.position > 50 && e.status == LoaderStatus::Sending) loader.abort(now);
    };
    ASSERT_TRUE(loader.start(now));
    answer({kCrcRequest});
    answer({kAck, kCrcRequest});
    answer({kAck}); // 68 %: the observer aborts
    EXPECT_EQ(Bytes(link.written.end() - 8, link.written.end()), Bytes(8, kCan));
    // The CANs went out behind block 2; the receiver still answers it.
    const std::size_t written = link.written.size();
    answer({kAck});
    EXPECT_EQ(link.written.size(), written + 8);
    EXPECT_TRUE(loader.running());
    EXPECT_EQ(observer.finals(), 0);
    loader.tick(now + Millis(1000));
    EXPECT_FALSE(loader.running());
    EXPECT_EQ(observer.last(), (LoaderEvent{68, LoaderStatus::Aborted, "Transfer aborted"}));
    EXPECT_EQ(link.closes, 1);
    loader.abort(now);
    EXPECT_EQ(observer.finals(), 1);
}

TEST_F(LoaderTest, TimeOutsAndCancelEndWithAFailure) {
    ASSERT_TRUE(loader.start(now));
    EXPECT_EQ(loader.deadline(), Millis(3000));
    loader.tick(Millis(3000));
    EXPECT_EQ(observer.last(), (LoaderEvent{0, LoaderStatus::NoReceiver,
                                            "No answer from the receiver within 3 s: is it waiting for a file?"}));
    EXPECT_TRUE(is_failure(observer.last().status));

    ASSERT_TRUE(loader.start(now));
    answer({kCrcRequest, kCan, kCan});
    EXPECT_EQ(observer.last().status, LoaderStatus::CancelledByReceiver);
    EXPECT_EQ(link.closes, 2);
}

TEST_F(LoaderTest, GoingAwayMidTransferStopsTheReceiver) {
    {
        Loader other(link, observer, settings());
        other.set_port("/dev/ttyTEST");
        other.set_path(file);
        ASSERT_TRUE(other.start(now));
        other.receive(Bytes{kCrcRequest}, now);
    }
    EXPECT_EQ(Bytes(link.written.end() - 8, link.written.end()), Bytes(8, kCan));
    EXPECT_EQ(link.closes, 1);
}

TEST(LoaderStatusRanges, WhatTheProgressWindowNeeds) {
    EXPECT_FALSE(is_under_way(LoaderStatus::Complete));
    EXPECT_FALSE(is_failure(LoaderStatus::Complete));
    EXPECT_FALSE(is_failure(LoaderStatus::Aborted));
    EXPECT_TRUE(is_under_way(LoaderStatus::Waiting));
    EXPECT_TRUE(is_under_way(LoaderStatus::Finishing));
    EXPECT_TRUE(is_failure(LoaderStatus::NoReceiver));
    EXPECT_LT(static_cast<int>(LoaderStatus::Complete), 2000);
    EXPECT_GE(static_cast<int>(LoaderStatus::Waiting), 2000);
}

} // namespace
