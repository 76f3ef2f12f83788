// Every read or write of the database layer fails, or comes short, in turn:
// each failure must give a code with its message, and no record stored
// before the failing operation may go missing from the data file.
#include "db_fixture.h"

#include <functional>
#include <set>

namespace formwick::test {
namespace {

enum class Fault { Fail, Short };

// Passes every call on to the RAM disk, except that the k-th read or write
// fails (-1) or transfers only half of what was asked.
class FaultyFiles final : public FileService {
public:
    FaultyFiles(FileService& inner, long long k, Fault fault) : inner_(inner), k_(k), fault_(fault) {}
    bool hit() const { return hit_; }

    int open(const char* n, int m) override { return inner_.open(n, m); }
    long long read(int h, void* b, long long c) override {
        if (strike()) return fault_ == Fault::Fail ? -1 : inner_.read(h, b, c / 2);
        return inner_.read(h, b, c);
    }
    long long write(int h, const void* b, long long c) override {
        if (strike()) return fault_ == Fault::Fail ? -1 : inner_.write(h, b, c / 2);
        return inner_.write(h, b, c);
    }
    long long seek(int h, long long o, int f) override { return inner_.seek(h, o, f); }
    int truncate(int h, long long s) override { return inner_.truncate(h, s); }
    int close(int h) override { return inner_.close(h); }
    int remove(const char* n) override { return inner_.remove(n); }
    int rename(const char* f, const char* t) override { return inner_.rename(f, t); }
    long long file_size(const char* n) override { return inner_.file_size(n); }
    std::vector<RamDiskEntry> list() override { return inner_.list(); }

private:
    bool strike() {
        if (++calls_ != k_) return false;
        hit_ = true;
        return true;
    }
    FileService& inner_;
    long long k_, calls_ = 0;
    Fault fault_;
    bool hit_ = false;
};

std::string line_of(int i, const std::string& name = "item") {
    return "K" + std::to_string(10000 + i) + "," + name + " " + std::to_string(i) + ",2.00\r\n";
}

std::vector<std::string> lines_of(int from, int to) {
    std::vector<std::string> lines;
    for (int i = from; i < to; ++i) lines.push_back(line_of(i));
    return lines;
}

struct Scenario {
    const char* name;
    // Lays out the files before the operation.
    std::function<void(DbTest&)> prepare;
    // Runs the operation; returns its result code.
    std::function<int()> run;
    // Lines that must survive whatever happens.
    int kept_from, kept_to;
    // The lines written: they may be lost on a failure, but must all be
    // there when the operation reports success.
    std::vector<std::string> written;
    // More lines that must survive, given whole.
    std::vector<std::string> kept_lines = {};
};

class FaultTest : public DbTest, public ::testing::WithParamInterface<Fault> {
protected:
    DatabaseDescriptor d = csv("DATA.TXT", "DATA.IDX");
    DatabaseHandle h;

    // Opens the database, runs `body` on it and closes it: the first
    // failure's code, or 0.
    int in_open_database(const std::function<int()>& body) {
        int r = db_open(d, h);
        if (r == 0) r = body();
        int c = db_close(h);
        return r != 0 ? r : c;
    }

    int write(const std::string& line) {
        std::snprintf(db_record, sizeof db_record, "%s", line.c_str());
        return db_write_record(h);
    }

    // Finds the record of `key` and writes `line` over it.
    int replace(const char* key, const std::string& line) {
        return in_open_database([&] {
            long long pos;
            int r = db_find(h, key, pos);
            return r != 0 ? r : write(line);
        });
    }

    std::string lines(int from, int to) {
        std::string text;
        for (int i = from; i < to; ++i) text += line_of(i);
        return text;
    }

    // Opens with sound services, in the state the operation starts from.
    void open_fresh(int n) {
        put("DATA.TXT", lines(0, n));
        std::filesystem::remove(folder / "DATA.IDX");
        ASSERT_EQ(db_open(d, h), 0);
        ASSERT_EQ(db_close(h), 0);
        db_runtime_start();
    }

    void run_all(const Scenario& s) {
        for (long long k = 1;; ++k) {
            SCOPED_TRACE(::testing::Message() << s.name << " fault at call " << k);
            s.prepare(*this);
            FaultyFiles faulty(*disk, k, GetParam());
            install(&faulty);
            int r = s.run();
            if (h.file >= 0 || h.index.handle >= 0) db_close(h);
            install(disk.get());
            if (!faulty.hit()) {
                EXPECT_EQ(r, 0) << "the operation without a fault";
                break;
            }
            if (r != 0) {
                EXPECT_NE(db_code_text(r), nullptr) << "code " << r << " has no message";
            }

            // Every line stored before is there, whole.
            std::string text = get("DATA.TXT");
            for (int i = s.kept_from; i < s.kept_to; ++i)
                ASSERT_NE(text.find(line_of(i)), std::string::npos) << "lost line " << i << " after code " << r;
            if (r == 0) {
                for (const std::string& line : s.written)
                    ASSERT_NE(text.find(line), std::string::npos) << "success reported, but " << line << " is missing";
            }
            for (const std::string& line : s.kept_lines)
                ASSERT_NE(text.find(line), std::string::npos) << "lost " << line << " after code " << r;
            // The files open again (a stale index is rebuilt), or refuse with a
            // code of their own; either way the check passes when they open.
            DatabaseHandle again;
            int reopened = db_open(d, again);
            if (reopened == 0) {
                db_close(again);
                ASSERT_EQ(findings(d), "") << "after code " << r;
            } else {
                EXPECT_NE(db_code_text(reopened), nullptr);
            }
            ASSERT_LT(k, 100000);
        }
    }
};

TEST_P(FaultTest, RebuildOnOpen) {
    run_all({"rebuild",
             [](DbTest&) {},
             [this] {
                 put("DATA.TXT", lines(0, 300));
                 std::filesystem::remove(folder / "DATA.IDX");
                 return db_open(d, h);
             },
             0, 300, {}});
}

TEST_P(FaultTest, FindAfterOpen) {
    run_all({"find", [this](DbTest&) { open_fresh(300); },
             [this] {
                 return in_open_database([&] {
                     long long pos;
                     int r = db_find(h, "K10250", pos);
                     return r == 0 && std::string(db_record) != line_of(250) ? -999 : r;
                 });
             },
             0, 300, {}});
}

TEST_P(FaultTest, AppendsWithSplitsAndClose) {
    run_all({"append", [this](DbTest&) { open_fresh(40); },
             [this] {
                 return in_open_database([&] {
                     int r = 0;
                     for (int i = 40; r == 0 && i < 120; ++i) {
                         db_record_position = -1;
                         r = write(line_of(i));
                     }
                     return r;
                 });
             },
             0, 40, lines_of(40, 120)});
}

TEST_P(FaultTest, ReplaceWithTheSameLength) {
    run_all({"replace same", [this](DbTest&) { open_fresh(100); },
             [this] { return replace("K10050", line_of(50, "ITEM")); }, 51, 100, {line_of(50, "ITEM")}});
}

TEST_P(FaultTest, ReplaceWithAnotherLengthKeepsEveryRecord) {
    for (const char* name : {"a much longer item name", "x"}) {
        run_all({name, [this](DbTest&) { open_fresh(100); },
                 [this, name] { return replace("K10003", line_of(3, name)); }, 0, 3, {line_of(3, name)}});
        // Lines after the replaced one move, but none may be lost either.
        std::string text = get("DATA.TXT");
        for (int i = 4; i < 100; ++i) EXPECT_NE(text.find(line_of(i)), std::string::npos) << i;
    }
}

// The lines that move are longer than the one replaced: a move cut off
// half-way must not leave any of them broken everywhere in the file.
TEST_P(FaultTest, ReplaceAShortLineAmongLongOnes) {
    auto prepare = [this](DbTest&) {
        std::string text;
        for (int i = 0; i < 60; ++i) text += line_of(i, i == 5 ? "s" : std::string(70, 'n'));
        put("DATA.TXT", text);
        std::filesystem::remove(folder / "DATA.IDX");
    };
    std::vector<std::string> kept;
    for (int i = 0; i < 60; ++i)
        if (i != 5) kept.push_back(line_of(i, std::string(70, 'n')));
    run_all({"short among long", prepare, [this] { return replace("K10005", line_of(5, "longer")); }, 0, 0, {line_of(5, "longer")},
             kept});
}

TEST_P(FaultTest, CreateAndFirstRecord) {
    run_all({"create", [this](DbTest&) { put("DATA.TXT", ""); },
             [this] {
                 int r = db_create(d, h);
                 if (r == 0) {
                     db_record_position = -1;
                     r = write(line_of(1));
                 }
                 int c = db_close(h);
                 return r != 0 ? r : c;
             },
             0, 0, {line_of(1)}});
}

INSTANTIATE_TEST_SUITE_P(Faults, FaultTest, ::testing::Values(Fault::Fail, Fault::Short),
                         [](const auto& info) { return info.param == Fault::Fail ? "Fail" : "Short"; });

} // namespace
} // namespace formwick::test
