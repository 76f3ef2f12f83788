// A described application run end to end: its definition, a fresh RAM disk
// folder, the runtime on the simulated terminal fed by a key script, and
// what the run leaves on the RAM disk.
#pragma once

#include "model/parameters.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <ostream>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace formwick::e2e {

class AppRun : public ::testing::Test {
protected:
    AppRun();
    ~AppRun() override;
    // Every index file the test leaves behind must pass the integrity check.
    void TearDown() override;

    // Runs the whole runtime over `app` (from its entry) with `script`.
    // Returns what the script's SCREEN commands printed.
    std::string run(const std::string& script);
    // Takes the settings of `app`, then runs `routine`; when it returns the
    // terminal just waits for keys until the script ends.
    std::string run_routine(const std::string& script, const std::function<void()>& routine);

    void write_file(const std::string& name, const std::string& bytes);
    bool exists(const std::string& name) const;
    // The whole file, byte for byte; empty when it does not exist.
    std::string file_text(const std::string& name) const;
    // Every entry of an index of the RAM disk (key, record position).
    std::vector<std::pair<std::string, std::int32_t>> index_of(const std::string& index_name) const;

    CParameters app;
    std::filesystem::path folder;
};

// Rows of a table of cases print as their name in test reports; each
// test file's unnamed namespace takes this in with a using-declaration.
template <typename Case>
    requires requires(const Case& c) { std::string(c.name); }
void PrintTo(const Case& c, std::ostream* os) {
    *os << c.name;
}

// Names the tests of a table after its rows.
struct CaseName {
    template <typename Info> std::string operator()(const Info& info) const { return info.param.name; }
};

// Loads a definition from fixtures/.
void load_fixture(const std::string& json_name, CParameters& app);

// What a script types to leave the start-up screen and choose "Input".
inline constexpr const char* kInput = "ENTER\n1\n";
// In the runtime main menu the cancel key goes back to the start-up
// screen, the version screen with this line: how a test sees that a run
// has come back to the main menu.
inline constexpr const char* kVersionScreenLine = "Interpret: V00.01";

// The screens a run printed, each as its rows without the frame and their
// trailing blanks, trailing empty rows dropped, joined by "\n".
std::vector<std::string> screens_of(const std::string& out);

// How many times `what` occurs in `text`.
int count_of(const std::string& text, const std::string& what);

// The RAM disk's index files and their findings: each "*.IDX" of the
// folder checked against the lookup or data file of `app` that owns it.
// An index that no file of the definition owns is a finding too.
std::vector<std::string> index_findings(const CParameters& app, const std::filesystem::path& folder);

} // namespace formwick::e2e
