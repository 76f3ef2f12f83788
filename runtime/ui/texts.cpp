#include "runtime/ui/texts.h"

#include "runtime/runtime_state.h"

#include <cstring>

namespace formwick {

namespace {

const char* const kLabels[] = {
    "Input", "Communicate", "Utilities", "Version", "Time & date", "Power & memory",
    "Disk menu", "Browse", "Format", "Ryvo", "Transmit", "Receive",
};

const char* const kBoxWords[] = {
    "Error", "Warning", "Information", "Press any key", "Yes", "No", "Enter password",
};

const char* const kMessages[] = {
    "Data file already open!",
    "Lookup file database error!",
    "Ryvo communication error!",
    "User aborted communication protocol!",
    "No data file(s) are defined!",
    "No lookup file(s) defined!",
    "No files on disk!",
    "Are you sure you want to delete the data file(s)?",
    "Are you sure you want to delete this file?",
    "All data will be lost, Format ramdisk now?",
    "Set entered time or date! Continue?",
    "Wrong password entered!",
    "Wrong data type!",
    "Data too short!",
    "Ramdisk full, data not stored!",
    "Under or overflow numeric or real!",
    "Error in systemsetting(s)!",
    "Battery low, please recharge!",
    "No build application loaded!",
    "Build application version too old!",
    "Do you want to use the set time and date?",
    "Cannot open/create database.",
    "Cannot open/create index.",
    "Duplicate item found in database.",
    "search item not found in database.",
    "Cannot read from database.",
    "Cannot write to database.",
    "Cannot read from index.",
    "Cannot write to index.",
    "File does not exist.",
    "Cannot search data file.",
    "Cannot search lookup file.",
    "Database has wrong format.",
};

constexpr int kLabelCount = sizeof kLabels / sizeof kLabels[0];
constexpr int kBoxWordCount = sizeof kBoxWords / sizeof kBoxWords[0];
constexpr int kMessageCount = sizeof kMessages / sizeof kMessages[0];

// A translated slot, or null when it is empty. A slot without its
// terminating zero is not trusted.
template <std::size_t N> const char* translated(const Text<N>& slot) {
    if (slot[0] == '\0' || std::memchr(slot.data(), '\0', N) == nullptr) return nullptr;
    return slot.data();
}

} // namespace

std::span<const char* const> rt_builtin_labels() { return kLabels; }
std::span<const char* const> rt_builtin_box_words() { return kBoxWords; }
std::span<const char* const> rt_builtin_messages() { return kMessages; }

const char* rt_text(int id) {
    const CParamLanguage* language = rt_state.language;
    const bool use = language != nullptr && language->used != 0;
    const char* built_in = "";
    const char* translation = nullptr;
    if (id >= 0 && id < kLabelCount) {
        built_in = kLabels[id];
        if (use) translation = translated(language->menuTexts[static_cast<std::size_t>(id)]);
    } else if (id >= TEXT_ERROR && id < TEXT_ERROR + kBoxWordCount) {
        built_in = kBoxWords[id - TEXT_ERROR];
        if (use) translation = translated(language->stringTexts[static_cast<std::size_t>(id - TEXT_ERROR)]);
    } else if (id >= MSG_DATA_FILE_OPEN && id < MSG_DATA_FILE_OPEN + kMessageCount) {
        built_in = kMessages[id - MSG_DATA_FILE_OPEN];
        if (use) translation = translated(language->messageTexts[static_cast<std::size_t>(id - MSG_DATA_FILE_OPEN)]);
    } else if (id >= MSG_DATA_FILE_OPEN + kMessageCount) {
        return rt_text(TEXT_ERROR);
    }
    return translation ? translation : built_in;
}

} // namespace formwick
