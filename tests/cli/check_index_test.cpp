// formwick-cli check-index over an index the database layer built.
#include "runtime/db/database.h"
#include "runtime/services/terminal.h"
#include "simulator/core/ramdisk/ram_disk.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

using namespace formwick;
namespace fs = std::filesystem;

namespace {

class CheckIndex : public ::testing::Test {
protected:
    CheckIndex() {
        char name[] = "/tmp/formwick-check-XXXXXX";
        dir = mkdtemp(name);
        std::ofstream(dir / "ART.TXT", std::ios::binary) << "A1;Apple\r\nB2;Pear\r\nC3;Plum\r\n";
        CRamDisk disk(dir);
        ScopedServices services(Terminal{nullptr, nullptr, nullptr, nullptr, nullptr, &disk});
        DatabaseDescriptor d;
        db_set_names(d, "ART.TXT", "ART.IDX");
        d.flags = DB_KEYED | DB_SEPARATED;
        d.record_length = 100;
        d.separator = ';';
        DatabaseHandle handle;
        EXPECT_EQ(db_open(d, handle), 0); // builds the missing index
        EXPECT_EQ(db_close(handle), 0);
    }
    ~CheckIndex() override { fs::remove_all(dir); }

    struct Result {
        int status;
        std::string out;
    };
    Result run(const std::string& options) {
        std::string command = std::string(FORMWICK_CLI) + " check-index " + (dir / "ART.TXT").string() + " " +
                              (dir / "ART.IDX").string() + " " + options + " >" + (dir / "out").string() + " 2>&1";
        int raw = std::system(command.c_str());
        std::ifstream in(dir / "out");
        std::ostringstream s;
        s << in.rdbuf();
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, s.str()};
    }

    fs::path dir;
};

TEST_F(CheckIndex, SoundIndexExitsWith0) {
    Result r = run("--separator ';'");
    EXPECT_EQ(r.status, 0) << r.out;
    EXPECT_NE(r.out.find("sound, 3 keys"), std::string::npos) << r.out;
}

TEST_F(CheckIndex, FindingsExitWith1) {
    struct Case { const char* why; const char* options; const char* data; } cases[] = {
        {"another key field than the index was built on", "--separator ';' --key-field 1", nullptr},
        {"a record whose key changed behind the index", "--separator ';'", "A1;Apple\r\nB9;Pear\r\nC3;Plum\r\n"},
    };
    for (auto c : cases) {
        if (c.data) std::ofstream(dir / "ART.TXT", std::ios::binary) << c.data;
        Result r = run(c.options);
        EXPECT_EQ(r.status, 1) << c.why << "\n" << r.out;
        EXPECT_NE(r.out.find("key"), std::string::npos) << c.why << "\n" << r.out;
    }
}

TEST_F(CheckIndex, BadOptionsExitWith2) {
    for (const char* options : {"--bogus", "--field 3", "--lookup 1", "--key-field 12"}) {
        Result r = run(options);
        EXPECT_EQ(r.status, 2) << options << "\n" << r.out;
    }
}

} // namespace
