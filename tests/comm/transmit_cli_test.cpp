// formwick-cli transmit as a user runs it: usage, refusals with their
// reasons, and an application file built by formwick-cli sent to rb.
#include "pty_peer.h"
#include "read_whole_file.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <fstream>

using namespace formwick::test;
namespace fs = std::filesystem;
using std::chrono::milliseconds;

namespace {

class TransmitCli : public ::testing::Test {
  protected:
    struct Result {
        int status;
        std::string out, err;
    };
    // Runs formwick-cli with `args`; a run that outlasts the limit fails the test.
    Result run(const std::vector<std::string>& args, milliseconds limit = milliseconds(60000)) {
        std::vector<std::string> argv = {FORMWICK_CLI};
        argv.insert(argv.end(), args.begin(), args.end());
        const fs::path out = peer.folder() / "cli.out", err = peer.folder() / "cli.err";
        const int fd = ::open(out.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        Child cli;
        std::string why;
        const bool started = cli.spawn(argv, peer.folder(), {"", -1, fd}, err, why);
        ::close(fd);
        EXPECT_TRUE(started) << why;
        const int status = started ? cli.wait(limit) : -1;
        EXPECT_NE(status, -1) << "formwick-cli did not end in time";
        return {status, read_file(out), read_file(err)};
    }

    PtyPeer peer;
};

TEST_F(TransmitCli, HelpAndUsage) {
    const Result help = run({"transmit", "--help"});
    EXPECT_EQ(help.status, 0);
    EXPECT_NE(help.out.find("usage: formwick-cli transmit FILE --port DEVICE"), std::string::npos);
    EXPECT_NE(help.out.find("default 115200"), std::string::npos);

    const std::vector<std::vector<std::string>> bad = {
        {"transmit"},
        {"transmit", "A.HIX"},
        {"transmit", "A.HIX", "--port"},
        {"transmit", "A.HIX", "B.HIX", "--port", "/dev/ttyS0"},
        {"transmit", "A.HIX", "--port", "/dev/ttyS0", "--baud", "12345"},
        {"transmit", "A.HIX", "--port", "/dev/ttyS0", "--baud", "fast"},
        {"transmit", "A.HIX", "--port", "/dev/ttyS0", "--wait", "0"},
        {"transmit", "A.HIX", "--port", "/dev/ttyS0", "--parity", "even"},
    };
    for (const auto& args : bad) {
        const Result r = run(args);
        EXPECT_EQ(r.status, 2) << args.back();
        EXPECT_NE(r.err.find("usage: formwick-cli transmit"), std::string::npos) << args.back();
    }
}

TEST_F(TransmitCli, RefusalsSayWhy) {
    const fs::path file = peer.folder() / "APP.HIX";
    std::ofstream(file) << "data";
    const fs::path nothing = peer.folder() / "ttyNONE";
    struct Case {
        std::vector<std::string> args;
        std::string message;
    };
    const Case cases[] = {
        {{"transmit", (peer.folder() / "MISSING.HIX").string(), "--port", nothing.string()},
         "Cannot read " + (peer.folder() / "MISSING.HIX").string() + ": no such file\n"},
        {{"transmit", file.string(), "--port", nothing.string()},
         "Cannot open the serial port " + nothing.string() + ": no such device\n"},
    };
    for (const Case& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(r.status, 1) << c.message;
        EXPECT_EQ(r.err, c.message);
    }
}

TEST_F(TransmitCli, ApplicationFileArrivesIdentical) {
    std::string why;
    if (find_ymodem_receiver().empty()) GTEST_SKIP() << "the YMODEM receiver rb is not installed (Debian package lrzsz)";
    if (!peer.start(why)) GTEST_SKIP() << why;
    const fs::path app = peer.folder() / "STOCK.HIX";
    ASSERT_EQ(run({"build", std::string(FORMWICK_EXAMPLES) + "/stock.json", app.string()}).status, 0);
    ASSERT_TRUE(peer.start_receiver({}, why)) << why;
    ASSERT_TRUE(peer.hold_sender_end(why)) << why;

    const Result r = run({"transmit", app.string(), "--port", peer.sender_end(), "--wait", "20"});
    EXPECT_EQ(r.status, 0) << r.err;
    const std::string sent = "STOCK.HIX sent: " + std::to_string(fs::file_size(app)) + " bytes\n";
    EXPECT_TRUE(r.out.ends_with(sent)) << r.out;
    EXPECT_NE(r.out.find("Sending STOCK.HIX"), std::string::npos) << r.out;
    EXPECT_EQ(peer.receiver().wait(milliseconds(15000)), 0) << peer.receiver_log();
    EXPECT_EQ(read_file(peer.received() / "STOCK.HIX"), read_file(app));
}

} // namespace
