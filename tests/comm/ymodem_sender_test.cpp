// The sender driven directly: CRC, framing, and conversations with a
// scripted receiver (NAK, time-outs, cancel, abort), on a clock the test owns.
#include "comm/crc16.h"
#include "comm/ymodem_frame.h"
#include "comm/ymodem_sender.h"

#include <gtest/gtest.h>

#include <numeric>
#include <string>

using namespace formwick;
using namespace formwick::ymodem;

namespace {

Bytes bytes_of(std::string_view text) { return Bytes(text.begin(), text.end()); }

TEST(Crc16, KnownValues) {
    const Bytes check = bytes_of("123456789");
    EXPECT_EQ(crc16(check.data(), check.size()), 0x31C3);
    EXPECT_EQ(crc16(nullptr, 0), 0);
    const Bytes zeros(128, 0);
    EXPECT_EQ(crc16(zeros.data(), zeros.size()), 0);
    // Running over two pieces gives the CRC of the whole.
    EXPECT_EQ(crc16(check.data() + 4, 5, crc16(check.data(), 4)), 0x31C3);
}

TEST(YmodemFrame, DataBlockLayout) {
    const Bytes data = bytes_of("ABC");
    const Bytes block = frame_block(0x81, data.data(), data.size(), kLongBlock, kPad);
    ASSERT_EQ(block.size(), kLongBlock + kFrameOverhead);
    EXPECT_EQ(block[0], kStx);
    EXPECT_EQ(block[1], 0x81);
    EXPECT_EQ(block[2], 0x7E);
    EXPECT_EQ(Bytes(block.begin() + 3, block.begin() + 6), data);
    EXPECT_EQ(block[6], kPad);
    EXPECT_EQ(block[3 + kLongBlock - 1], kPad);
    const std::uint16_t crc = crc16(block.data() + 3, kLongBlock);
    EXPECT_EQ(block[kLongBlock + 3], crc >> 8);
    EXPECT_EQ(block[kLongBlock + 4], crc & 0xFF);

    const Bytes shortBlock = frame_block(1, data.data(), data.size(), kShortBlock, kPad);
    EXPECT_EQ(shortBlock.size(), kShortBlock + kFrameOverhead);
    EXPECT_EQ(shortBlock[0], kSoh);
}

TEST(YmodemFrame, HeaderBlock) {
    const Bytes header = header_block("STOCK.HIX", 89174);
    ASSERT_EQ(header.size(), kShortBlock + kFrameOverhead);
    EXPECT_EQ(header[0], kSoh);
    EXPECT_EQ(header[1], 0);
    EXPECT_EQ(header[2], 0xFF);
    const std::string text(header.begin() + 3, header.begin() + 3 + 16);
    EXPECT_EQ(text, std::string("STOCK.HIX\0" "89174\0", 16));
    EXPECT_EQ(header[3 + 16], 0);

    // A name too long for the short block takes the long one.
    EXPECT_EQ(header_block(std::string(200, 'n'), 1).size(), kLongBlock + kFrameOverhead);
    for (std::string_view bad : {std::string_view(""), std::string_view("dir/file"), std::string_view("a\0b", 3)})
        EXPECT_TRUE(header_block(bad, 1).empty()) << bad;
    // The name, a NUL, the size, a NUL and at least one zero must fit.
    EXPECT_FALSE(header_block(std::string(1020, 'n'), 1).empty());
    EXPECT_TRUE(header_block(std::string(1021, 'n'), 1).empty());

    const Bytes end = end_of_batch_block();
    ASSERT_EQ(end.size(), kShortBlock + kFrameOverhead);
    EXPECT_EQ(Bytes(end.begin(), end.begin() + 3), Bytes({kSoh, 0, 0xFF}));
    EXPECT_EQ(std::accumulate(end.begin() + 3, end.end(), 0), 0); // zero data, and the CRC of zeros is 0
}

TEST(YmodemFrame, DataBlocksOfAFile) {
    struct Case {
        std::size_t file, count, last_size, last_block;
    };
    const Case cases[] = {
        {0, 0, 0, 0},
        {1, 1, 1, kShortBlock},
        {128, 1, 128, kShortBlock},
        {129, 1, 129, kLongBlock},
        {1024, 1, 1024, kLongBlock},
        {1025, 2, 1, kShortBlock},
        {1024 + 128, 2, 128, kShortBlock},
        {1024 + 129, 2, 129, kLongBlock},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(data_block_count(c.file), c.count) << c.file;
        if (c.count == 0) continue;
        const DataBlock last = data_block(c.count, c.file);
        EXPECT_EQ(last.offset, (c.count - 1) * kLongBlock) << c.file;
        EXPECT_EQ(last.size, c.last_size) << c.file;
        EXPECT_EQ(last.block_size, c.last_block) << c.file;
    }
}

// A sender and the test's clock; say() feeds the receiver's bytes and
// returns what the sender sends in reply.
struct Conversation {
    explicit Conversation(std::size_t size, YmodemTimeouts t = quick()) : sender("F.HIX", contents(size), t) {
        sender.start(now);
    }
    static std::vector<std::uint8_t> contents(std::size_t size) {
        std::vector<std::uint8_t> c(size);
        for (std::size_t i = 0; i < size; ++i) c[i] = static_cast<std::uint8_t>(i * 7 + i / 251);
        return c;
    }
    static YmodemTimeouts quick() {
        YmodemTimeouts t;
        t.start = Millis(5000);
        t.answer = Millis(1000);
        t.tries = 3;
        t.batch_end = Millis(500);
        return t;
    }
    Bytes say(Bytes bytes) {
        sender.receive(bytes, now);
        return sender.take_output();
    }
    Bytes say(std::uint8_t byte) { return say(Bytes{byte}); }
    Bytes wait(Millis t) {
        now += t;
        sender.tick(now);
        return sender.take_output();
    }
    // The block that holds data block `n` (from 1) of the file.
    Bytes data(std::size_t n) const {
        const auto c = contents(sender.size());
        const DataBlock b = data_block(n, c.size());
        return frame_block(static_cast<std::uint8_t>(n), c.data() + b.offset, b.size, b.block_size, kPad);
    }

    Millis now{1000};
    YmodemSender sender;
};

TEST(YmodemSender, WholeBatch) {
    Conversation c(2000);
    EXPECT_TRUE(c.sender.running());
    EXPECT_EQ(c.sender.phase(), SenderPhase::Waiting);
    EXPECT_TRUE(c.wait(Millis(10)).empty());
    EXPECT_EQ(c.say(kCrcRequest), header_block("F.HIX", 2000));
    EXPECT_EQ(c.say({kAck, kCrcRequest}), c.data(1));
    EXPECT_EQ(c.sender.acknowledged(), 0u);
    EXPECT_EQ(c.say(kAck), c.data(2));
    EXPECT_EQ(c.sender.acknowledged(), 1024u);
    EXPECT_EQ(c.say(kAck), Bytes{kEot});
    EXPECT_EQ(c.sender.acknowledged(), 2000u);
    EXPECT_EQ(c.say(kNak), Bytes{kEot}); // the usual NAK of the first EOT
    EXPECT_TRUE(c.say(kAck).empty());
    EXPECT_EQ(c.sender.phase(), SenderPhase::Finishing);
    EXPECT_EQ(c.say(kCrcRequest), end_of_batch_block());
    EXPECT_TRUE(c.say(kAck).empty());
    EXPECT_FALSE(c.sender.running());
    EXPECT_EQ(c.sender.outcome(), SenderOutcome::Complete);
    EXPECT_EQ(c.sender.message(), "");
    EXPECT_EQ(c.sender.resent(), 0);
}

TEST(YmodemSender, EmptyFileGoesFromHeaderToEot) {
    Conversation c(0);
    EXPECT_EQ(c.say(kCrcRequest), header_block("F.HIX", 0));
    EXPECT_EQ(c.say({kAck, kCrcRequest}), Bytes{kEot});
}

TEST(YmodemSender, BlockNumbersWrapAt256) {
    Conversation c(257 * 1024);
    c.say(kCrcRequest);
    Bytes out = c.say({kAck, kCrcRequest});
    for (int n = 2; n <= 257; ++n) out = c.say(kAck);
    ASSERT_EQ(out.size(), kLongBlock + kFrameOverhead);
    EXPECT_EQ(out[1], 1); // block 257
    EXPECT_EQ(out, c.data(257));
}

TEST(YmodemSender, NakAndSilenceSendTheBlockAgain) {
    Conversation c(3000);
    c.say(kCrcRequest);
    c.say({kAck, kCrcRequest});
    EXPECT_EQ(c.say(kAck), c.data(2));
    EXPECT_EQ(c.say(kNak), c.data(2));
    EXPECT_TRUE(c.wait(Millis(999)).empty());
    EXPECT_EQ(c.wait(Millis(1)), c.data(2));
    EXPECT_EQ(c.sender.resent(), 2);
    // Line noise and a repeated request while an ACK is awaited change nothing.
    EXPECT_TRUE(c.say({0x55, kCrcRequest, 0xFF}).empty());
    // The next block starts with a fresh count of tries.
    EXPECT_EQ(c.say(kAck), c.data(3));
    EXPECT_EQ(c.say(kNak), c.data(3));
    EXPECT_EQ(c.say(kNak), c.data(3));
    EXPECT_TRUE(c.sender.running());
}

TEST(YmodemSender, GivesUpWithAClearMessage) {
    struct Case {
        const char* what;
        Bytes answer; // empty: no answer, the time-out passes
        SenderOutcome outcome;
        const char* message;
    };
    const Case cases[] = {
        {"refused", {kNak}, SenderOutcome::Refused,
         "The receiver refused the transfer: block 1 sent 3 times, refused each time"},
        {"silent", {}, SenderOutcome::NoAnswer,
         "The receiver stopped answering: block 1 sent 3 times, no answer within 1 s each time"},
    };
    for (const Case& k : cases) {
        Conversation c(100);
        c.say(kCrcRequest);
        c.say({kAck, kCrcRequest});
        for (int i = 0; i < 3 && c.sender.running(); ++i) k.answer.empty() ? c.wait(Millis(1000)) : c.say(k.answer);
        EXPECT_FALSE(c.sender.running()) << k.what;
        EXPECT_EQ(c.sender.outcome(), k.outcome) << k.what;
        EXPECT_EQ(c.sender.message(), k.message) << k.what;
        EXPECT_TRUE(c.wait(Millis(5000)).empty()) << k.what; // nothing more once ended
    }
}

TEST(YmodemSender, WaitsForTheReceiverUpToTheStartTimeout) {
    Conversation c(100);
    EXPECT_TRUE(c.wait(Millis(4999)).empty());
    EXPECT_TRUE(c.sender.running());
    c.wait(Millis(1));
    EXPECT_EQ(c.sender.outcome(), SenderOutcome::NoReceiver);
    EXPECT_EQ(c.sender.message(), "No answer from the receiver within 5 s: is it waiting for a file?");
}

TEST(YmodemSender, ChecksumReceiverIsToldApart) {
    Conversation c(100);
    c.say({kNak, kNak});
    EXPECT_TRUE(c.sender.running());
    c.say(kNak);
    EXPECT_EQ(c.sender.outcome(), SenderOutcome::ChecksumOnly);
    EXPECT_NE(c.sender.message().find("checksum"), std::string::npos);
}

TEST(YmodemSender, SilenceAfterTheHeaderEndsTheTransfer) {
    Conversation c(100);
    c.say(kCrcRequest);
    c.say(kAck); // no 'C' follows
    for (int i = 0; i < 3; ++i) EXPECT_TRUE(c.wait(Millis(1000)).empty());
    EXPECT_EQ(c.sender.outcome(), SenderOutcome::NoAnswer);
    EXPECT_NE(c.sender.message().find("after the file header"), std::string::npos);
}

TEST(YmodemSender, UnconfirmedEndOfBatchStillCompletes) {
    Conversation c(10);
    c.say(kCrcRequest);
    c.say({kAck, kCrcRequest});
    c.say(kAck);
    c.say(kAck); // EOT acknowledged at once
    EXPECT_EQ(c.say(kCrcRequest), end_of_batch_block());
    EXPECT_TRUE(c.wait(Millis(499)).empty());
    c.wait(Millis(1));
    EXPECT_EQ(c.sender.outcome(), SenderOutcome::Complete);
}

TEST(YmodemSender, TwoCansCancelOneDoesNot) {
    Conversation c(3000);
    c.say(kCrcRequest);
    c.say({kAck, kCrcRequest});
    EXPECT_EQ(c.say({kCan, kAck}), c.data(2));
    EXPECT_TRUE(c.sender.running());
    EXPECT_TRUE(c.say({kCan, kCan}).empty());
    EXPECT_FALSE(c.sender.running());
    EXPECT_EQ(c.sender.outcome(), SenderOutcome::CancelledByReceiver);
    EXPECT_EQ(c.sender.message(), "The receiver cancelled the transfer");
    EXPECT_EQ(c.sender.acknowledged(), 1024u);
}

TEST(YmodemSender, AbortTellsTheReceiverUntilItIsQuiet) {
    const Bytes cans(8, kCan);
    for (int answered : {0, 1}) { // while waiting for the receiver, and mid-transfer
        Conversation c(3000);
        if (answered) c.say(kCrcRequest);
        c.sender.abort(c.now);
        EXPECT_EQ(c.sender.take_output(), cans);
        EXPECT_EQ(c.sender.phase(), SenderPhase::Aborting);
        // The receiver answers the block it was reading: it missed the CANs.
        EXPECT_EQ(c.say(kAck), cans);
        EXPECT_TRUE(c.say(kCan).empty()); // its own cancel needs no answer
        c.sender.abort(c.now);
        EXPECT_TRUE(c.sender.take_output().empty());
        EXPECT_TRUE(c.wait(Millis(999)).empty());
        EXPECT_TRUE(c.sender.running());
        c.wait(Millis(1));
        EXPECT_EQ(c.sender.outcome(), SenderOutcome::Aborted);
        EXPECT_EQ(c.sender.message(), "Transfer aborted");
    }
}

TEST(YmodemSender, AbortRepeatsTheCansOnlyAFewTimes) {
    Conversation c(3000);
    c.say(kCrcRequest);
    c.sender.abort(c.now);
    std::size_t sent = c.sender.take_output().size();
    for (int i = 0; i < 10; ++i) sent += c.say({kNak, kCrcRequest}).size();
    EXPECT_EQ(sent, 3 * 8u);
    c.wait(Millis(1000));
    EXPECT_FALSE(c.sender.running());
}

TEST(YmodemSender, NameThatCannotBeSent) {
    YmodemSender s("", {1, 2, 3});
    s.start(Millis(0));
    EXPECT_FALSE(s.running());
    EXPECT_EQ(s.outcome(), SenderOutcome::BadName);
}

} // namespace
