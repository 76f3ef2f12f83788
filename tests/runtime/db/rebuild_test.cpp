// An index rebuild gives the same file whichever way the RAM disk reaches the
// operating system, and a stop of the run during a rebuild leaves no index
// behind and the data file as it was.
#include "db_fixture.h"

#include <random>

namespace formwick::test {
namespace {

// 13-digit keys in random order, as a lookup file of articles.
std::string articles(int lines) {
    std::mt19937_64 rng(5);
    std::string text;
    for (int i = 0; i < lines; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "%013llu,Article %d,%d.50\r\n",
                      static_cast<unsigned long long>(rng() % 10000000000000ULL), i, i % 97);
        text += line;
    }
    return text;
}

std::uint64_t fnv1a(const std::string& bytes) {
    std::uint64_t h = 14695981039346656037ULL;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
    return h;
}

class RebuildTest : public DbTest {
protected:
    DatabaseDescriptor d = csv("LOOK1.TXT", "LOOK1.IDX");
};

// The tree, its block order and every byte of the file are the runtime's:
// buffering the index in memory must not change them. The hash pins the
// file the rebuild wrote before the index was buffered.
TEST_F(RebuildTest, TheIndexFileIsTheSameBufferedOrWrittenThrough) {
    put("LOOK1.TXT", articles(20000));
    ASSERT_EQ(index_rebuild(d), 0);
    const std::string buffered = get("LOOK1.IDX");

    CRamDisk through(folder, false);
    install(&through);
    db_runtime_start();
    ASSERT_EQ(index_rebuild(d), 0);
    install(disk.get());
    const std::string written = get("LOOK1.IDX");

    ASSERT_GT(buffered.size(), 100000u);
    EXPECT_TRUE(buffered == written) << "the buffered rebuild wrote another file";
    EXPECT_EQ(fnv1a(written), 0x5f11f61e5d01ee1eULL) << std::hex << fnv1a(written);
    EXPECT_EQ(findings(d), "");
}

// Keys whose wait_ms(0) throws the stop at the n-th look.
class StoppingKeys final : public KeyService {
public:
    explicit StoppingKeys(int stop_at) : stop_at_(stop_at) {}
    int looks = 0;

    void wait_ms(int) override {
        if (++looks == stop_at_) throw TerminalStop{};
    }
    int get() override { throw TerminalStop{}; }
    int get_timeout() override { return KEY_NONE; }
    int wait_for(const int*, int) override { throw TerminalStop{}; }
    void flush() override {}
    void unget(int) override {}
    int poll() override { return KEY_NONE; }
    void scanner_arm(int) override {}
    int scanner_read(char*, int) override { return -1; }
    void scanner_disarm() override {}
    int busy_start(TickCallback) override { return 0; }
    int busy_stop(TickCallback) override { return 0; }

private:
    int stop_at_;
};

TEST_F(RebuildTest, AStopDuringARebuildDeletesTheHalfBuiltIndex) {
    const std::string data = articles(3000);
    put("LOOK1.TXT", data);
    for (int stop_at = 1;; ++stop_at) {
        SCOPED_TRACE(::testing::Message() << "stop at look " << stop_at);
        StoppingKeys keys(stop_at);
        Terminal t;
        t.files = disk.get();
        t.keys = &keys;
        services_install(t);
        db_runtime_start();
        DatabaseHandle h;
        bool stopped = false;
        try {
            db_open(d, h);
        } catch (const TerminalStop&) {
            stopped = true;
        }
        install(disk.get());
        if (!stopped) {
            // Past the last look: the rebuild ran to its end.
            ASSERT_GT(stop_at, 1);
            EXPECT_EQ(db_close(h), 0);
            EXPECT_EQ(findings(d), "");
            break;
        }
        EXPECT_FALSE(exists("LOOK1.IDX"));
        EXPECT_EQ(get("LOOK1.TXT"), data);
        EXPECT_TRUE(disk->list().size() == 1) << "only the data file is left";
    }
}

} // namespace
} // namespace formwick::test
