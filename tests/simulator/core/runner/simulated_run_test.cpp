// A whole simulated terminal driven by a script: screen, RAM disk, beeper.
#include "simulator/core/beeper/timeline_recorder.h"
#include "simulator/core/runner/simulated_run.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace formwick::test {
namespace {

class HostSimulatedRun : public ::testing::Test {
protected:
    HostSimulatedRun() {
        folder = std::filesystem::temp_directory_path() /
                 ("formwick-host-" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::filesystem::remove_all(folder);
        options.ramdisk = folder / "RAM_DISK";
        options.outputDir = folder;
        options.out = &out;
        options.audio = &heard;
        options.busyLimit = std::chrono::milliseconds(5000);
    }
    ~HostSimulatedRun() override { std::filesystem::remove_all(folder); }

    HeadlessResult play(const std::string& text, const std::function<void()>& routine) {
        KeyScript script;
        EXPECT_TRUE(parse_key_script(text, script, sink));
        return run_simulated(script, routine, options, sink);
    }

    std::filesystem::path folder;
    SimulatedRunOptions options;
    std::ostringstream out;
    TimelineRecorder heard;
    CollectingSink sink;
};

// Asks for a name, echoes what is typed, stores it in NAMES.TXT.
void name_prompt() {
    term_printf("Name?\n");
    std::string name;
    for (int k; (k = key_get()) != KEY_ENTER;) {
        name += static_cast<char>(k);
        term_printf("%c", k);
    }
    const int h = file_open("NAMES.TXT", FILE_WRITE | FILE_CREATE | FILE_TRUNCATE);
    file_write(h, name.data(), static_cast<long long>(name.size()));
    file_close(h);
    term_printf("\nSaved");
    sound(5, 32, TONE_1000HZ, 0);
    key_get();
}

TEST_F(HostSimulatedRun, ScriptedTypingShowsOnTheScreenAndLandsOnTheRamDisk) {
    const HeadlessResult r = play("TYPE \"Jo 7\"\nENTER\nSCREEN\nSCREEN \"shot.png\"\n", name_prompt);
    ASSERT_TRUE(r.ok) << (sink.messages.empty() ? "" : sink.messages[0]);
    const std::string text = out.str();
    EXPECT_NE(text.find("|Name?                |"), std::string::npos) << text;
    EXPECT_NE(text.find("|Jo 7                 |"), std::string::npos) << text;
    EXPECT_NE(text.find("|Saved                |"), std::string::npos) << text;

    std::ifstream saved(options.ramdisk / "NAMES.TXT");
    std::string stored;
    std::getline(saved, stored);
    EXPECT_EQ(stored, "Jo 7");

    std::ifstream png(folder / "shot.png", std::ios::binary);
    char signature[8] = {};
    png.read(signature, 8);
    EXPECT_EQ(std::string(signature + 1, 3), "PNG");

    const std::vector<ToneSegment> tones = heard.timeline();
    ASSERT_FALSE(tones.empty());
    EXPECT_EQ(tones.back().frequency, 1000);
    EXPECT_EQ(tones.back().duration, 100);
}

TEST_F(HostSimulatedRun, APendingLetterShowsAtTheCursor) {
    const HeadlessResult r = play("ALPHA ON\n4\n4\nSCREEN\n", name_prompt);
    ASSERT_TRUE(r.ok) << (sink.messages.empty() ? "" : sink.messages[0]);
    EXPECT_NE(out.str().find("|h                    |"), std::string::npos) << out.str();
}

TEST_F(HostSimulatedRun, ARamDiskFolderThatCannotBeMadeIsReported) {
    std::ofstream(folder.parent_path() / "formwick-host-blocker") << "x";
    options.ramdisk = folder.parent_path() / "formwick-host-blocker" / "RAM_DISK";
    const HeadlessResult r = play("ENTER\n", name_prompt);
    EXPECT_FALSE(r.ok);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].rfind("cannot make the RAM disk folder", 0), 0u) << sink.messages[0];
    std::filesystem::remove(folder.parent_path() / "formwick-host-blocker");
}

} // namespace
} // namespace formwick::test
