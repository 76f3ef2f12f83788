#include "runtime/app/runtime_entry.h"

#include "runtime/app/app_state.h"
#include "runtime/app/descriptors.h"
#include "runtime/app/lookups.h"
#include "runtime/app/menu_run.h"
#include "runtime/app/open_database.h"
#include "runtime/app/store_record.h"
#include "runtime/app/values.h"
#include "runtime/db/block_cache.h"
#include "runtime/pictures/pictures.h"
#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/ui/communicate.h"
#include "runtime/ui/main_menu.h"
#include "runtime/ui/menu_items.h"
#include "runtime/ui/message.h"
#include "runtime/ui/startup_screens.h"
#include "runtime/ui/texts.h"
#include "runtime/ui/utility_screens.h"

#include <cctype>
#include <string>

namespace formwick {

namespace {

enum DeleteData { kDeleteNo = 0, kDeleteManual = 1, kDeleteAuto = 2, kDeleteCommunication = 3 };

bool has_index_extension(const std::string& name) {
    if (name.size() < 4) return false;
    std::string ext = name.substr(name.size() - 4);
    for (char& c : ext) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return ext == ".IDX";
}

void show_start_screen() {
    display_state().cursorMode = 0;
    display_refresh();
    term_clear();
    if (app_parameters().startup.useCustomSplash) show_startup_screen();
    else show_version_screen();
    key_get_timeout();
}

void input_action(const RtMainMenuItem*) { start_application(); }
void communicate_action(const RtMainMenuItem*) { communicate_menu(); }
void utilities_action(const RtMainMenuItem*) { utilities_menu(); }

ImageView menu_picture(int i, ImageView built_in) {
    const CParamStartup& s = app_parameters().startup;
    if (!s.hasMenuImage(i)) return built_in;
    return ImageView{s.menuImages[i].data(), s.menuImages[i].size()};
}

// A data file that exists but does not open: its records are kept under a
// backup name and its index goes, so the next start begins with a new file.
void set_aside(const DatabaseDescriptor& d) {
    std::string backup = data_backup_name(d.file_name);
    if (!backup.empty()) file_rename(d.file_name, backup.c_str());
    file_remove(d.index_name);
}

} // namespace

void delete_index_files() {
    for (const RamDiskEntry& e : ramdisk_list())
        if (!e.directory && e.name != "." && e.name != ".." && has_index_extension(e.name))
            file_remove(e.name.c_str());
}

int format_version_number(const char* text) {
    std::string t = text ? text : "";
    if (t.size() != 6 || (t[0] != 'V' && t[0] != 'v') || t[3] != '.') return -1;
    const int digits[4] = {1, 2, 4, 5};
    int n = 0;
    for (int pos : digits) {
        if (!std::isdigit(static_cast<unsigned char>(t[pos]))) return -1;
        n = n * 10 + (t[pos] - '0');
    }
    return n;
}

int version_check(const char* version_text) {
    if (format_version_number(version_text) == 1) return 1;
    rt_message(rt_text(MSG_APPLICATION_TOO_OLD), MSG_ERROR);
    return 0;
}

int lookup_check() {
    for (int l = 0; l < kLookupCount; ++l)
        if (app_parameters().lookups[l].used && !check_lookup(l)) return 0;
    return 1;
}

int data_file_check() {
    const int delete_data = app_parameters().startup.deleteData;
    for (int n = 0; n < kDataFileCount; ++n) {
        DatabaseDescriptor d = data_descriptor(app_parameters().dataFiles[n]);
        bool exists = ramdisk_file_size(d.file_name) >= 0;
        bool remove = exists && (delete_data == kDeleteAuto ||
                                 (delete_data == kDeleteManual &&
                                  rt_message(rt_text(MSG_DELETE_DATA_FILES), MSG_WARNING | MSG_YES_NO) == 1));
        if (remove) {
            file_remove(d.file_name);
            exists = false;
        }
        if (!exists) {
            file_remove(d.index_name);
            continue;
        }
        OpenDatabase db;
        int r = db.open(d);
        if (r == 0) r = db.close();
        if (r != 0) {
            db_report_failure(d, r);
            set_aside(d);
            return 0;
        }
    }
    return 1;
}

void start_application(const char* format_version) {
    term_clear();
    int first = app_parameters().startup.startTarget == 1 ? 9 : 1;
    if (!version_check(format_version) || !lookup_check() || !data_file_check()) return;
    run_flow(first);
    term_clear();
}

void runtime_take_settings(const CParameters& p) {
    app_set_parameters(&p);
    rt_state_reset();
    rt_state.language = p.language.used ? &p.language : nullptr;
    rt_state.menuFontType = p.language.menuFont;
    rt_state.boxFontType = p.language.stringFont;
    rt_state.messageFontType = p.language.messageFont;
    rt_state.startup = &p.startup;
    rt_state.dataFiles = p.dataFiles.data();
    rt_state.readMode = p.barcode.readMode;
    if (p.startup.hasCustomFont()) {
        rt_state.customFont = p.startup.customFont.data();
        rt_state.customFontSize = p.startup.customFont.size();
    }
    values_reset();
    values_load_fixed(p.startup);
    db_set_error_reporter(show_database_error);
    db_runtime_start();
    app_goto_state = -1;
}

void runtime_main(const CParameters& p) {
    delete_index_files();
    runtime_take_settings(p);

    static std::string texts[3];
    texts[0] = rt_text(TEXT_INPUT);
    texts[1] = rt_text(TEXT_COMMUNICATE);
    texts[2] = rt_text(TEXT_UTILITIES);
    const RtMainMenuItem items[3] = {
        {texts[0].c_str(), menu_picture(0, picture_menu_input()), input_action},
        {texts[1].c_str(), menu_picture(1, picture_menu_communicate()), communicate_action},
        {texts[2].c_str(), menu_picture(2, picture_menu_utilities()), utilities_action},
    };
    const std::string title = app_ansi_text(p.startup.terminalId);

    key_flush();
    show_start_screen();
    int index = 0;
    for (;;) {
        if (rt_main_menu(rt_state.menuFontType, title.c_str(), index, items, p.startup.dateFormat) == -1)
            show_start_screen();
        wait_ms(2);
    }
}

} // namespace formwick
