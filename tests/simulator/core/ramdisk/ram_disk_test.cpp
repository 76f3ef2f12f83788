#include "simulator/core/ramdisk/ram_disk.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace fs = std::filesystem;
using namespace formwick;

namespace {

class RamDiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        root = fs::temp_directory_path() / ("fw_ramdisk_" + std::to_string(::getpid()) + "_" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(root);
        folder = root / "RAM_DISK";
        fs::create_directories(folder);
    }
    void TearDown() override { fs::remove_all(root); }

    static void put(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }
    static std::string get(const fs::path& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }

    fs::path root, folder;
};

TEST_F(RamDiskTest, WritesReadsSeeksAndTruncates) {
    CRamDisk disk(folder);
    int h = disk.open("Data1.txt", FILE_READ | FILE_WRITE | FILE_CREATE);
    ASSERT_GE(h, 0);
    EXPECT_EQ(disk.write(h, "hello world", 11), 11);
    EXPECT_EQ(disk.seek(h, 6, FILE_SEEK_SET), 6);
    char buf[16] = {};
    EXPECT_EQ(disk.read(h, buf, 16), 5); // short count at the end
    EXPECT_STREQ(buf, "world");
    EXPECT_EQ(disk.seek(h, 0, FILE_SEEK_END), 11);
    EXPECT_EQ(disk.truncate(h, 5), 0);
    EXPECT_EQ(disk.close(h), 0);
    EXPECT_EQ(disk.close(h), -1); // a closed handle is no longer valid
    EXPECT_EQ(get(folder / "Data1.txt"), "hello");
    EXPECT_EQ(disk.file_size("Data1.txt"), 5);
}

TEST_F(RamDiskTest, NamesResolveInAnyCase) {
    put(folder / "Data1.idx", "abc");
    CRamDisk disk(folder);
    EXPECT_EQ(disk.file_size("DATA1.IDX"), 3);
    int h = disk.open("DATA1.IDX", FILE_READ);
    ASSERT_GE(h, 0);
    char buf[4] = {};
    EXPECT_EQ(disk.read(h, buf, 3), 3);
    EXPECT_STREQ(buf, "abc");
    disk.close(h);

    // Creating in another case reuses the existing file instead of adding a twin.
    h = disk.open("data1.IDX", FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
    ASSERT_GE(h, 0);
    disk.write(h, "xy", 2);
    disk.close(h);
    EXPECT_EQ(get(folder / "Data1.idx"), "xy");
    EXPECT_EQ(std::distance(fs::directory_iterator(folder), fs::directory_iterator()), 1);

    EXPECT_EQ(disk.rename("DATA1.idx", "Other.IDX"), 0);
    EXPECT_TRUE(fs::exists(folder / "Other.IDX"));
    EXPECT_EQ(disk.remove("OTHER.idx"), 0);
    EXPECT_FALSE(fs::exists(folder / "Other.IDX"));
}

TEST_F(RamDiskTest, RefusesNamesThatLeaveTheFolder) {
    put(root / "outside.txt", "secret");
    fs::create_directories(folder / "sub");
    put(folder / "sub" / "inner.txt", "x");
    fs::create_symlink(root / "outside.txt", folder / "link.txt");
    CRamDisk disk(folder);

    const char* bad[] = {"", "../outside.txt", "..", ".", "sub/inner.txt", "sub\\inner.txt", "C:outside.txt",
                         "/etc/passwd", "a\tb", "new\n", "x..y"};
    for (const char* name : bad) {
        SCOPED_TRACE(std::string("name: ") + name);
        EXPECT_EQ(disk.open(name, FILE_READ), -1);
        EXPECT_EQ(disk.open(name, FILE_READ | FILE_WRITE | FILE_CREATE | FILE_TRUNCATE), -1);
        EXPECT_EQ(disk.file_size(name), -1);
        EXPECT_EQ(disk.remove(name), -1);
        EXPECT_EQ(disk.rename(name, "moved.txt"), -1);
        put(folder / "keep.txt", "k");
        EXPECT_EQ(disk.rename("keep.txt", name), -1);
    }
    EXPECT_EQ(disk.open(nullptr, FILE_READ), -1);
    // A link is never followed: removing it deletes only the link.
    EXPECT_EQ(disk.open("link.txt", FILE_READ), -1);
    EXPECT_EQ(disk.open("LINK.TXT", FILE_READ | FILE_WRITE | FILE_TRUNCATE), -1);
    EXPECT_EQ(disk.file_size("link.txt"), -1);
    EXPECT_EQ(disk.remove("link.txt"), 0);
    EXPECT_EQ(get(root / "outside.txt"), "secret");
    EXPECT_TRUE(fs::exists(folder / "sub" / "inner.txt"));
    EXPECT_EQ(disk.remove("sub"), -1); // a folder is never removed
    EXPECT_TRUE(fs::exists(folder / "sub"));
    EXPECT_FALSE(fs::exists(folder / "moved.txt"));
}

TEST_F(RamDiskTest, MissingFilesAndBadHandles) {
    CRamDisk disk(folder);
    EXPECT_EQ(disk.open("none.txt", FILE_READ | FILE_WRITE), -1); // no FILE_CREATE
    EXPECT_EQ(disk.file_size("none.txt"), -1);
    EXPECT_EQ(disk.remove("none.txt"), -1);
    char c;
    for (int h : {-1, 0, 7}) {
        EXPECT_EQ(disk.read(h, &c, 1), -1);
        EXPECT_EQ(disk.write(h, &c, 1), -1);
        EXPECT_EQ(disk.seek(h, 0, FILE_SEEK_SET), -1);
        EXPECT_EQ(disk.truncate(h, 0), -1);
    }
    put(folder / "a.txt", "1");
    put(folder / "b.txt", "2");
    EXPECT_EQ(disk.rename("a.txt", "B.TXT"), -1); // never replaces another file
    EXPECT_EQ(get(folder / "b.txt"), "2");
    EXPECT_EQ(disk.rename("a.txt", "A.TXT"), 0); // a change of case is allowed
    EXPECT_TRUE(fs::exists(folder / "A.TXT"));
}

TEST_F(RamDiskTest, FileSizeCreatesTheFolderAndListFlagsFolders) {
    fs::remove_all(folder);
    CRamDisk disk(folder);
    EXPECT_EQ(disk.file_size("x.txt"), -1);
    EXPECT_TRUE(fs::is_directory(folder));
    put(folder / "x.txt", "12345");
    fs::create_directories(folder / "DIR");
    auto entries = disk.list();
    ASSERT_EQ(entries.size(), 2u);
    for (const auto& e : entries) {
        if (e.name == "x.txt") {
            EXPECT_FALSE(e.directory);
            EXPECT_EQ(e.size, 5);
        } else {
            EXPECT_EQ(e.name, "DIR");
            EXPECT_TRUE(e.directory);
        }
    }
}

TEST_F(RamDiskTest, CreatesTheFolderOnFirstCreate) {
    fs::remove_all(folder);
    CRamDisk disk(folder);
    int h = disk.open("new.txt", FILE_WRITE | FILE_CREATE);
    ASSERT_GE(h, 0);
    EXPECT_EQ(disk.close(h), 0);
    EXPECT_TRUE(fs::exists(folder / "new.txt"));
}

} // namespace
