#include "runtime/ui/communicate.h"

#include "model/text_codec.h"
#include "runtime/pictures/pictures.h"
#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/list.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include <string>
#include <vector>

namespace formwick {

namespace {

constexpr int kDeleteDataOnCommunication = 3;

int pc_ryvo_receive() {
    key_wait_for(1, KEY_CLEAR);
    return PROTOCOL_ABORTED;
}

int pc_ryvo_transmit(const char* const*, int) {
    key_wait_for(1, KEY_CLEAR);
    return PROTOCOL_ABORTED;
}

int pc_xaplink() {
    key_get();
    return PROTOCOL_ABORTED;
}

struct DataFileNames {
    std::string data, index;
};

// The defined data files (those with fields) that exist on the RAM disk.
std::vector<DataFileNames> existing_data_files() {
    std::vector<DataFileNames> files;
    if (rt_state.dataFiles == nullptr) return files;
    for (int i = 0; i < 3; ++i) {
        const CParamData& d = rt_state.dataFiles[i];
        if (d.fieldCount <= 0) continue;
        DataFileNames names{utf16_to_utf8(d.fileNameText()), utf16_to_utf8(d.indexNameText())};
        if (!names.data.empty() && ramdisk_file_size(names.data.c_str()) >= 0) files.push_back(names);
    }
    return files;
}

void success_sound() { sound(5, 32, TONE_600HZ, TONE_1000HZ, TONE_1500HZ, 0); }

void network_transfer() {
    const std::vector<DataFileNames> files = existing_data_files();
    std::vector<RtMenuItem> items;
    if (!files.empty()) items.push_back({rt_text(TEXT_TRANSMIT), nullptr});
    items.push_back({rt_text(TEXT_RECEIVE), nullptr});
    const int choice = rt_list(rt_text(TEXT_RYVO), items.data(), static_cast<int>(items.size()));
    if (choice < 0) return;
    const bool transmit = !files.empty() && choice == 0;

    rt_use_builtin_font(3);
    rt_goto(0, 0);
    rt_center("Ryvo", true);
    display_image(95, 16, transmit ? picture_transmit() : picture_receive());

    const CommProtocols pc = rt_pc_protocols();
    int result;
    if (transmit) {
        std::vector<const char*> names;
        for (const auto& f : files) names.push_back(f.data.c_str());
        auto send = rt_protocols.ryvo_transmit ? rt_protocols.ryvo_transmit : pc.ryvo_transmit;
        result = send(names.data(), static_cast<int>(names.size()));
    } else {
        auto receive = rt_protocols.ryvo_receive ? rt_protocols.ryvo_receive : pc.ryvo_receive;
        result = receive();
    }

    if (transmit && result == 0) {
        success_sound();
        const CParamStartup* s = rt_state.startup;
        if (s != nullptr && s->deleteData == kDeleteDataOnCommunication) {
            for (const auto& f : files) {
                file_remove(f.data.c_str());
                file_remove(f.index.c_str());
            }
        }
    } else if (!transmit && result > 0) {
        success_sound();
        // Received data files make their indexes stale: they are built again.
        for (std::size_t i = 0; i < files.size() && i < static_cast<std::size_t>(result); ++i)
            file_remove(files[i].index.c_str());
    } else if (result == PROTOCOL_ABORTED) {
        rt_message(rt_text(MSG_USER_ABORTED), MSG_ERROR);
    } else {
        rt_message(rt_text(MSG_RYVO_ERROR), MSG_ERROR);
    }
}

void serial_transfer() {
    rt_goto(0, 0);
    rt_center("Xaplink", true);
    auto run = rt_protocols.xaplink ? rt_protocols.xaplink : rt_pc_protocols().xaplink;
    if (run() < 0) rt_message(rt_text(MSG_USER_ABORTED), MSG_ERROR);
}

} // namespace

CommProtocols rt_pc_protocols() { return CommProtocols{pc_ryvo_receive, pc_ryvo_transmit, pc_xaplink}; }

void communicate_menu() {
    rt_select_font(rt_state.menuFontType);
    term_clear();
    const CParamStartup* s = rt_state.startup;
    if (s != nullptr && s->protocol == 1) network_transfer();
    else serial_transfer();
    term_clear();
}

} // namespace formwick
