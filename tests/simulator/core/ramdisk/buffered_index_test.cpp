// Index files are held in memory while open: what the runtime sees through
// the file services must be exactly what a written-through file would give,
// and the host file must hold it all once the last handle is closed.
#include "simulator/core/ramdisk/ram_disk.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <random>
#include <string>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace formwick;

namespace {

class BufferedIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        folder = fs::temp_directory_path() / ("fw_buffered_" + std::to_string(::getpid()) + "_" +
                                              ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(folder);
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(folder); }

    std::string get(const std::string& name) {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void put(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }

    fs::path folder;
};

TEST(RamDiskNames, OnlyIndexFilesAreBuffered) {
    struct Case {
        const char* name;
        bool buffered;
    };
    const Case cases[] = {{"DATA1.IDX", true}, {"data1.idx", true}, {"A.IdX", true}, {"DATA1.TXT", false},
                          {"IDX", false},      {".IDX", false},     {"X.IDXA", false}, {"XIDX", false}};
    for (const Case& c : cases) EXPECT_EQ(ramdisk_name_buffered(c.name), c.buffered) << c.name;
}

// The same random writes, truncations, seeks and reads on an index file and
// on a written-through file give the same answers and the same bytes, over
// more than one 2 MiB chunk and across reopening.
TEST_F(BufferedIndexTest, BehavesLikeAWrittenThroughFile) {
    CRamDisk disk(folder);
    std::mt19937 rng(11);
    const char* names[] = {"MODEL.IDX", "MODEL.DAT"};
    int handles[2];
    for (int i = 0; i < 2; ++i) handles[i] = disk.open(names[i], FILE_READ | FILE_WRITE | FILE_CREATE);
    ASSERT_GE(handles[0], 0);
    ASSERT_GE(handles[1], 0);
    std::vector<char> data(70000), back[2];
    for (int step = 0; step < 400; ++step) {
        const int op = static_cast<int>(rng() % 10);
        const long long at = static_cast<long long>(rng() % 3000000);
        const long long count = static_cast<long long>(rng() % data.size());
        for (long long k = 0; k < count; ++k) data[static_cast<std::size_t>(k)] = static_cast<char>(rng());
        long long results[2];
        for (int i = 0; i < 2; ++i) {
            if (op < 4) {
                disk.seek(handles[i], at, FILE_SEEK_SET);
                results[i] = disk.write(handles[i], data.data(), count);
            } else if (op < 5) {
                results[i] = disk.truncate(handles[i], at / 2);
            } else if (op < 6) {
                results[i] = disk.seek(handles[i], 0, FILE_SEEK_END);
            } else if (op < 7 && step % 50 == 0) {
                // Reopened: the content comes back from the host file.
                disk.close(handles[i]);
                handles[i] = disk.open(names[i], FILE_READ | FILE_WRITE);
                results[i] = handles[i] >= 0;
            } else {
                back[i].assign(static_cast<std::size_t>(count), 0);
                disk.seek(handles[i], at, FILE_SEEK_SET);
                results[i] = disk.read(handles[i], back[i].data(), count);
            }
        }
        ASSERT_EQ(results[0], results[1]) << "step " << step << " op " << op;
        if (op >= 7) {
            ASSERT_EQ(back[0], back[1]) << "step " << step;
        }
        ASSERT_EQ(disk.file_size(names[0]), disk.file_size(names[1]));
    }
    for (int h : handles) EXPECT_EQ(disk.close(h), 0);
    EXPECT_EQ(get(names[0]), get(names[1]));
}

TEST_F(BufferedIndexTest, ReachesTheHostFileAtCloseAndSharesOneBufferBetweenHandles) {
    CRamDisk disk(folder);
    int a = disk.open("Look1.idx", FILE_READ | FILE_WRITE | FILE_CREATE);
    int b = disk.open("LOOK1.IDX", FILE_READ | FILE_WRITE);
    ASSERT_GE(a, 0);
    ASSERT_GE(b, 0);
    EXPECT_EQ(disk.write(a, "header", 6), 6);
    char seen[7] = {};
    EXPECT_EQ(disk.read(b, seen, 6), 6);
    EXPECT_STREQ(seen, "header");
    EXPECT_EQ(disk.file_size("look1.idx"), 6);
    EXPECT_EQ(disk.list().at(0).size, 6);
    EXPECT_EQ(fs::file_size(folder / "Look1.idx"), 0u) << "still only in memory";
    EXPECT_EQ(disk.close(a), 0);
    EXPECT_EQ(get("Look1.idx"), "header");
    EXPECT_EQ(disk.seek(b, 0, FILE_SEEK_END), 6);
    EXPECT_EQ(disk.write(b, "!", 1), 1);
    EXPECT_EQ(disk.close(b), 0);
    EXPECT_EQ(get("Look1.idx"), "header!");
}

TEST_F(BufferedIndexTest, EmptyingOnOpenReplacesTheFileUnderItsOwnName) {
    put("Data1.idx", std::string(5000, 'x'));
    CRamDisk disk(folder);
    int h = disk.open("DATA1.IDX", FILE_READ | FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
    ASSERT_GE(h, 0);
    EXPECT_EQ(disk.seek(h, 0, FILE_SEEK_END), 0);
    EXPECT_EQ(disk.write(h, "new", 3), 3);
    EXPECT_EQ(disk.close(h), 0);
    EXPECT_EQ(get("Data1.idx"), "new");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);
}

// Any file emptied on open: under its own name, and in place when another
// handle has it open (that handle sees it emptied).
TEST_F(BufferedIndexTest, EmptyingOnOpenKeepsTheNameAndOtherHandles) {
    for (const char* name : {"Screen.tmp", "Look2.idx"}) {
        SCOPED_TRACE(name);
        put(name, "old content");
        CRamDisk disk(folder);
        int other = disk.open(name, FILE_READ);
        int h = disk.open(name, FILE_READ | FILE_WRITE | FILE_TRUNCATE);
        ASSERT_GE(h, 0);
        EXPECT_EQ(disk.write(h, "new", 3), 3);
        EXPECT_EQ(disk.close(h), 0);
        char seen[16] = {};
        EXPECT_EQ(disk.read(other, seen, sizeof seen), 3);
        EXPECT_STREQ(seen, "new");
        EXPECT_EQ(disk.close(other), 0);
        EXPECT_EQ(get(name), "new");
        h = disk.open(name, FILE_WRITE | FILE_TRUNCATE);
        EXPECT_EQ(disk.write(h, "x", 1), 1);
        EXPECT_EQ(disk.close(h), 0);
        EXPECT_EQ(get(name), "x");
        fs::remove(folder / name);
    }
}

// Cut short and grown again: the grown part is zeros in the host file too,
// not what the file held before the cut.
TEST_F(BufferedIndexTest, AFileCutAndGrownAgainHoldsZerosThere) {
    put("CUT.IDX", std::string(20000, 'o'));
    CRamDisk disk(folder);
    int h = disk.open("CUT.IDX", FILE_READ | FILE_WRITE);
    ASSERT_GE(h, 0);
    EXPECT_EQ(disk.truncate(h, 100), 0);
    EXPECT_EQ(disk.truncate(h, 9000), 0);
    EXPECT_EQ(disk.seek(h, 12000, FILE_SEEK_SET), 12000);
    EXPECT_EQ(disk.write(h, "end", 3), 3);
    EXPECT_EQ(disk.close(h), 0);
    EXPECT_EQ(get("CUT.IDX"), std::string(100, 'o') + std::string(11900, '\0') + "end");
}

// After its last close an index's buffer is kept for the next open. That
// open must see exactly the host file: the kept pages when nothing touched
// it, the new content when it was changed, replaced or removed meanwhile.
TEST_F(BufferedIndexTest, AReopenedIndexReadsTheHostFileAsItIsNow) {
    struct Case {
        const char* what;
        std::function<void(CRamDisk&, const fs::path&)> meanwhile;
        std::string expected;
    };
    const Case cases[] = {
        {"untouched", [](CRamDisk&, const fs::path&) {}, "kept content"},
        {"rewritten longer on the host",
         [](CRamDisk&, const fs::path& file) { std::ofstream(file, std::ios::binary) << "changed on the host"; },
         "changed on the host"},
        {"replaced by another file",
         [](CRamDisk&, const fs::path& file) {
             std::ofstream(file.string() + ".new", std::ios::binary) << "replaced";
             fs::rename(file.string() + ".new", file);
         },
         "replaced"},
        {"removed and made again through the disk",
         [](CRamDisk& disk, const fs::path&) {
             ASSERT_EQ(disk.remove("keep.idx"), 0);
             int h = disk.open("KEEP.IDX", FILE_WRITE | FILE_CREATE);
             ASSERT_EQ(disk.write(h, "new", 3), 3);
             ASSERT_EQ(disk.close(h), 0);
         },
         "new"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        CRamDisk disk(folder);
        int h = disk.open("KEEP.IDX", FILE_READ | FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
        ASSERT_GE(h, 0);
        ASSERT_EQ(disk.write(h, "kept content", 12), 12);
        char first[4] = {};
        ASSERT_EQ(disk.seek(h, 0, FILE_SEEK_SET), 0);
        ASSERT_EQ(disk.read(h, first, 4), 4); // pages read are kept too
        ASSERT_EQ(disk.close(h), 0);
        EXPECT_EQ(get("KEEP.IDX"), "kept content") << "written back at the close";
        c.meanwhile(disk, folder / "KEEP.IDX");

        h = disk.open("keep.idx", FILE_READ);
        ASSERT_GE(h, 0);
        char seen[64] = {};
        EXPECT_EQ(disk.read(h, seen, sizeof seen - 1), static_cast<long long>(c.expected.size()));
        EXPECT_EQ(std::string(seen), c.expected);
        EXPECT_EQ(disk.seek(h, 0, FILE_SEEK_END), static_cast<long long>(c.expected.size()));
        EXPECT_EQ(disk.close(h), 0);
        fs::remove(folder / "KEEP.IDX");
    }
}

TEST_F(BufferedIndexTest, ARemovedOpenIndexStaysGone) {
    CRamDisk disk(folder);
    int h = disk.open("GONE.IDX", FILE_READ | FILE_WRITE | FILE_CREATE);
    ASSERT_GE(h, 0);
    EXPECT_EQ(disk.write(h, "abc", 3), 3);
    EXPECT_EQ(disk.remove("GONE.IDX"), 0);
    EXPECT_EQ(disk.close(h), 0);
    EXPECT_FALSE(fs::exists(folder / "GONE.IDX"));
}

// A write-back the host refuses (here: over the process's file size limit)
// makes the close fail, so the runtime learns that its index was not kept.
TEST_F(BufferedIndexTest, AFailedWriteBackFailsTheClose) {
    CRamDisk disk(folder);
    int h = disk.open("BIG.IDX", FILE_READ | FILE_WRITE | FILE_CREATE);
    ASSERT_GE(h, 0);
    std::string block(100000, 'b');
    ASSERT_EQ(disk.write(h, block.data(), static_cast<long long>(block.size())), static_cast<long long>(block.size()));
    rlimit old{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = old;
    small.rlim_cur = 10000;
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    int closed = disk.close(h);
    ::setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(closed, -1);
    // The buffer that could not be written back is not kept: the next open
    // sees what the host file holds, not the lost blocks.
    h = disk.open("BIG.IDX", FILE_READ);
    ASSERT_GE(h, 0);
    EXPECT_EQ(disk.seek(h, 0, FILE_SEEK_END), static_cast<long long>(fs::file_size(folder / "BIG.IDX")));
    EXPECT_EQ(disk.close(h), 0);
}

} // namespace
