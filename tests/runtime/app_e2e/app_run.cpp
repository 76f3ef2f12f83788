#include "tests/runtime/app_e2e/app_run.h"

#include "appfile/definition_json.h"
#include "runtime/app/app_state.h"
#include "runtime/app/descriptors.h"
#include "runtime/app/runtime_entry.h"
#include "runtime/db/index_check.h"
#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "simulator/core/ramdisk/ram_disk.h"
#include "simulator/core/runner/runtime_probe.h"
#include "simulator/core/runner/simulated_run.h"

#include <unistd.h>

#include <cctype>
#include <fstream>
#include <sstream>

namespace formwick::e2e {

namespace fs = std::filesystem;

namespace {

std::string upper(std::string s) {
    for (char& c : s) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

// A folder name from the test's name (table rows carry a "/").
std::string folder_name() {
    const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
    std::string name = std::string(info->test_suite_name()) + "_" + info->name();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return "formwick_e2e_" + std::to_string(::getpid()) + "_" + name;
}

} // namespace

AppRun::AppRun() : folder(fs::temp_directory_path() / folder_name()) {
    fs::remove_all(folder);
    fs::create_directories(folder);
}

AppRun::~AppRun() {
    rt_state_reset();
    fs::remove_all(folder);
}

void AppRun::TearDown() {
    for (const std::string& finding : index_findings(app, folder)) ADD_FAILURE() << finding;
}

std::string AppRun::run(const std::string& script) {
    return run_routine(script, nullptr);
}

std::string AppRun::run_routine(const std::string& script_text, const std::function<void()>& routine) {
    KeyScript script;
    CollectingSink sink;
    EXPECT_TRUE(parse_key_script(script_text, script, sink)) << script_text;
    std::ostringstream out;
    SimulatedRunOptions options;
    options.ramdisk = folder;
    options.outputDir = folder;
    options.out = &out;
    RuntimeProbe probe;
    options.probe = &probe;
    auto body = [&] {
        if (!routine) runtime_main(app);
        runtime_take_settings(app);
        routine();
        for (;;) key_get();
    };
    HeadlessResult result = run_simulated(script, body, options, sink);
    EXPECT_TRUE(result.ok) << (sink.messages.empty() ? std::string("run failed") : sink.messages[0]) << "\n"
                           << out.str();
    return out.str();
}

void AppRun::write_file(const std::string& name, const std::string& bytes) {
    std::ofstream(folder / name, std::ios::binary) << bytes;
}

bool AppRun::exists(const std::string& name) const { return fs::exists(folder / name); }

std::string AppRun::file_text(const std::string& name) const {
    std::ifstream in(folder / name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void load_fixture(const std::string& json_name, CParameters& app) {
    std::ifstream in(fs::path(FORMWICK_E2E_FIXTURES) / json_name, std::ios::binary);
    ASSERT_TRUE(in) << json_name;
    std::ostringstream text;
    text << in.rdbuf();
    CollectingSink sink;
    ASSERT_TRUE(definition_from_json(text.str(), app, sink))
        << (sink.messages.empty() ? std::string() : sink.messages[0]);
}

std::vector<std::pair<std::string, std::int32_t>> AppRun::index_of(const std::string& index_name) const {
    CRamDisk disk(folder);
    ScopedServices services(Terminal{nullptr, nullptr, nullptr, nullptr, nullptr, &disk});
    return index_entries(index_name.c_str());
}

std::vector<std::string> screens_of(const std::string& out) {
    std::vector<std::string> screens;
    std::vector<std::string> rows;
    bool inside = false;
    std::istringstream in(out);
    for (std::string line; std::getline(in, line);) {
        if (line.size() >= 2 && line.front() == '+' && line.back() == '+') {
            if (inside) {
                while (!rows.empty() && rows.back().empty()) rows.pop_back();
                std::string screen;
                for (std::size_t i = 0; i < rows.size(); ++i) screen += (i ? "\n" : "") + rows[i];
                screens.push_back(screen);
                rows.clear();
            }
            inside = !inside;
        } else if (inside && line.size() >= 2) {
            std::string row = line.substr(1, line.size() - 2);
            while (!row.empty() && row.back() == ' ') row.pop_back();
            rows.push_back(row);
        }
    }
    return screens;
}

int count_of(const std::string& text, const std::string& what) {
    int n = 0;
    for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + what.size())) ++n;
    return n;
}

std::vector<std::string> index_findings(const CParameters& app, const fs::path& folder) {
    std::vector<DatabaseDescriptor> owners;
    for (const CParamLookup& l : app.lookups) owners.push_back(lookup_descriptor(l));
    for (const CParamData& d : app.dataFiles) owners.push_back(data_descriptor(d));

    std::vector<std::string> findings;
    CRamDisk disk(folder);
    ScopedServices services(Terminal{nullptr, nullptr, nullptr, nullptr, nullptr, &disk});
    for (const fs::directory_entry& e : fs::directory_iterator(folder)) {
        const std::string name = e.path().filename().string();
        if (!e.is_regular_file() || upper(e.path().extension().string()) != ".IDX") continue;
        const DatabaseDescriptor* owner = nullptr;
        for (const DatabaseDescriptor& d : owners)
            if (upper(d.index_name) == upper(name)) owner = &d;
        if (!owner) {
            findings.push_back(name + " belongs to no lookup or data file");
            continue;
        }
        for (const std::string& f : index_check(*owner)) findings.push_back(name + ": " + f);
    }
    return findings;
}

} // namespace formwick::e2e
