// The Communicate item with both protocol kinds, through the protocol seam.
#include "runtime/ui/communicate.h"

#include "presentation_fixture.h"

namespace formwick {
namespace {

constexpr int kDismiss = KEY_F4;

int receive_result = 0, transmit_result = 0;
std::vector<std::string> transmitted;
int fake_receive() { return receive_result; }
int fake_transmit(const char* const* files, int count) {
    transmitted.assign(files, files + count);
    return transmit_result;
}

class CommunicateTest : public UiTest {
protected:
    CommunicateTest() {
        rt_state.startup = &startup;
        rt_state.dataFiles = data.data();
        startup.protocol = 1;
        for (int i = 0; i < 3; ++i) data[static_cast<std::size_t>(i)] = CParamData(i + 1);
        transmitted.clear();
    }
    ~CommunicateTest() override { rt_protocols = CommProtocols{}; }
    void use_fake_protocols() { rt_protocols = CommProtocols{fake_receive, fake_transmit, nullptr}; }
    bool any_screen_has(const std::string& text) const {
        for (const auto& s : screens)
            if (s.find(text) != std::string::npos) return true;
        return false;
    }
    const std::vector<int> kSuccess{TONE_600HZ, TONE_1000HZ, TONE_1500HZ};
    CParamStartup startup;
    std::array<CParamData, 3> data;
};

TEST_F(CommunicateTest, WithoutDataFilesOnlyReceiveIsOffered) {
    data[0].fieldCount = 2; // defined, but not on the RAM disk
    t.files.add("Data2.txt", 10); // on the disk, but not defined
    capture_before_each_key();
    t.keys.push(KEY_CLEAR);
    communicate_menu();
    ASSERT_EQ(screens.size(), 1u);
    EXPECT_EQ(screens[0], "Ryvo\n1 Receive");
}

TEST_F(CommunicateTest, PcProtocolWaitsForClearAndReportsAborted) {
    data[0].fieldCount = 2;
    t.files.add("Data1.txt", 10);
    capture_before_each_key();
    t.keys.push({'1', '5', KEY_ENTER, KEY_CLEAR, kDismiss}); // Transmit; keys until clear
    communicate_menu();
    EXPECT_NE(screens[0].find("1 Transmit\n2 Receive"), std::string::npos);
    EXPECT_EQ(screens[1].substr(0, screens[1].find('\n')), "      Ryvo");
    EXPECT_TRUE(any_screen_has("User aborted"));
    EXPECT_EQ(t.display.screen(), "");
    EXPECT_TRUE(t.files.exists("Data1.txt"));
}

TEST_F(CommunicateTest, TransferIconDependsOnTheDirection) {
    data[0].fieldCount = 2;
    t.files.add("Data1.txt", 10);
    const std::uint8_t* icon = nullptr;
    t.keys.before_key = [&] {
        for (const auto& i : t.display.images)
            if (i.x == 95 && i.y == 16) icon = i.data;
    };
    t.keys.push({'2', KEY_CLEAR, kDismiss});
    communicate_menu();
    EXPECT_NE(icon, nullptr);
    const std::uint8_t* receive_icon = icon;
    icon = nullptr;
    t.keys.push({'1', KEY_CLEAR, kDismiss});
    communicate_menu();
    EXPECT_NE(icon, nullptr);
    EXPECT_NE(icon, receive_icon);
}

TEST_F(CommunicateTest, ReceiveSuccessDeletesTheIndexesOfTheFirstFiles) {
    use_fake_protocols();
    for (int i = 0; i < 3; ++i) {
        data[static_cast<std::size_t>(i)].fieldCount = 1;
        t.files.add("Data" + std::to_string(i + 1) + ".txt", 10);
        t.files.add("Data" + std::to_string(i + 1) + ".idx", 10);
    }
    receive_result = 2;
    t.keys.push('2');
    communicate_menu();
    EXPECT_EQ(t.sound.count_like(5, 32, kSuccess), 1);
    EXPECT_EQ(t.files.removed, (std::vector<std::string>{"Data1.idx", "Data2.idx"}));
}

TEST_F(CommunicateTest, TransmitSuccessDeletesDataOnlyWhenAskedFor) {
    use_fake_protocols();
    data[0].fieldCount = 1;
    data[2].fieldCount = 1;
    t.files.add("Data1.txt", 10);
    t.files.add("Data1.idx", 10);
    t.files.add("Data3.txt", 10);
    transmit_result = 0;

    t.keys.push('1');
    communicate_menu();
    EXPECT_EQ(transmitted, (std::vector<std::string>{"Data1.txt", "Data3.txt"}));
    EXPECT_TRUE(t.files.removed.empty());

    startup.deleteData = 3; // "Communication"
    t.keys.push('1');
    communicate_menu();
    EXPECT_EQ(t.sound.count_like(5, 32, kSuccess), 2);
    EXPECT_FALSE(t.files.exists("Data1.txt"));
    EXPECT_FALSE(t.files.exists("Data1.idx"));
    EXPECT_FALSE(t.files.exists("Data3.txt"));
}

TEST_F(CommunicateTest, FailedTransferShowsTheCommunicationError) {
    use_fake_protocols();
    receive_result = -5;
    capture_before_each_key();
    t.keys.push({'1', kDismiss});
    communicate_menu();
    EXPECT_TRUE(any_screen_has("Ryvo communication"));
    EXPECT_EQ(t.sound.count_like(5, 32, kSuccess), 0);
}

TEST_F(CommunicateTest, SerialProtocolWaitsForAnyKeyThenAborts) {
    startup.protocol = 0;
    capture_before_each_key();
    t.keys.push({'7', kDismiss});
    communicate_menu();
    ASSERT_EQ(screens.size(), 2u);
    EXPECT_EQ(screens[0], "    Xaplink");
    EXPECT_NE(screens[1].find("User aborted"), std::string::npos);
    EXPECT_EQ(t.display.screen(), "");
}

} // namespace
} // namespace formwick
