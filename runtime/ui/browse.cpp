// Browse: the RAM disk's files one at a time with their sizes; "Delete"
// (up) removes the file shown after a question, "Next" (down) goes on,
// wrapping to the first file after the last. Folders are skipped.
#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/text/center.h"
#include "runtime/text/font.h"
#include "runtime/text/rt_printf.h"
#include "runtime/ui/bars.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"
#include "runtime/ui/utility_screens.h"

#include <vector>

namespace formwick {

namespace {

constexpr long long kMegabyte = 1048576;

// The first file at or after `from`, wrapping; -1 when there is none.
int next_file(const std::vector<RamDiskEntry>& entries, std::size_t from) {
    const std::size_t n = entries.size();
    for (std::size_t i = 0; i < n; ++i) {
        const std::size_t at = (from + i) % n;
        if (!entries[at].directory) return static_cast<int>(at);
    }
    return -1;
}

void show_entry(const RamDiskEntry& e) {
    rt_use_builtin_font(2);
    rt_goto(0, 2);
    const long long size = e.size < 0 ? 0 : e.size;
    if (size >= kMegabyte)
        rt_printf("%-21.21S\n%ld.%02ld MB      ", e.name.c_str(), static_cast<long>(size / kMegabyte),
                  static_cast<long>((size % kMegabyte) / 10240));
    else if (size >= 1024)
        rt_printf("%-21.21S\n%ld kB      ", e.name.c_str(), static_cast<long>(size / 1024));
    else
        rt_printf("%-21.21S\n%ld B       ", e.name.c_str(), static_cast<long>(size));
}

} // namespace

void rt_browse() {
    std::vector<RamDiskEntry> entries = ramdisk_list();
    if (next_file(entries, 0) < 0) {
        rt_message(rt_text(MSG_NO_FILES_ON_DISK), MSG_WARNING);
        return;
    }
    rt_select_font(rt_state.boxFontType);
    term_clear();
    rt_goto(0, 0);
    rt_center(rt_text(TEXT_BROWSE), true);
    rt_bottom_bar(2, "Delete", "Next");

    std::size_t from = 0;
    for (;;) {
        const int at = next_file(entries, from);
        if (at < 0) {
            rt_message(rt_text(MSG_NO_FILES_ON_DISK), MSG_WARNING);
            return;
        }
        const RamDiskEntry entry = entries[static_cast<std::size_t>(at)];
        show_entry(entry);
        const int key = key_wait_for(4, KEY_UP, KEY_DOWN, KEY_TRIGGER, KEY_CLEAR);
        if (key == KEY_TRIGGER || key == KEY_CLEAR) return;
        from = static_cast<std::size_t>(at) + 1;
        if (key == KEY_UP && rt_message(rt_text(MSG_DELETE_THIS_FILE), MSG_WARNING | MSG_YES_NO) &&
            file_remove(entry.name.c_str()) == 0) {
            // The listing is read again so that a deleted file is never
            // shown; the entry after it now stands where it stood.
            entries = ramdisk_list();
            from = static_cast<std::size_t>(at);
        }
    }
}

} // namespace formwick
