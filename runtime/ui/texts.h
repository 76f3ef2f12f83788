// The runtime's own texts, looked up by id and replaced by the
// application's translations when it has them:
//   0..11     labels      ("Input" .. "Receive"), translated in label slots 0..11
//   20..26    box words   ("Error" .. "Enter password"), translated in string slots 0..6
//   100..132  messages    ("Data file already open!" ..), translated in message slots 0..32
//   133 and above give "Error"; other ids give an empty text.
// A translation is used when the application marks its texts as in use and
// the slot is not empty.
#pragma once

#include <span>

namespace formwick {

// Ids the runtime names in code.
enum RuntimeTextId {
    TEXT_INPUT = 0,
    TEXT_COMMUNICATE = 1,
    TEXT_UTILITIES = 2,
    TEXT_VERSION = 3,
    TEXT_TIME_DATE = 4,
    TEXT_POWER_MEMORY = 5,
    TEXT_DISK_MENU = 6,
    TEXT_BROWSE = 7,
    TEXT_FORMAT = 8,
    TEXT_RYVO = 9,
    TEXT_TRANSMIT = 10,
    TEXT_RECEIVE = 11,

    TEXT_ERROR = 20,
    TEXT_WARNING = 21,
    TEXT_INFORMATION = 22,
    TEXT_PRESS_ANY_KEY = 23,
    TEXT_YES = 24,
    TEXT_NO = 25,
    TEXT_ENTER_PASSWORD = 26,

    MSG_DATA_FILE_OPEN = 100,
    MSG_LOOKUP_DATABASE_ERROR = 101,
    MSG_RYVO_ERROR = 102,
    MSG_USER_ABORTED = 103,
    MSG_NO_DATA_FILES = 104,
    MSG_NO_LOOKUP_FILES = 105,
    MSG_NO_FILES_ON_DISK = 106,
    MSG_DELETE_DATA_FILES = 107,
    MSG_DELETE_THIS_FILE = 108,
    MSG_FORMAT_RAMDISK = 109,
    MSG_SET_TIME_CONTINUE = 110,
    MSG_WRONG_PASSWORD = 111,
    MSG_WRONG_DATA_TYPE = 112,
    MSG_DATA_TOO_SHORT = 113,
    MSG_RAMDISK_FULL = 114,
    MSG_NUMERIC_OVERFLOW = 115,
    MSG_SYSTEM_SETTINGS = 116,
    MSG_BATTERY_LOW = 117,
    MSG_NO_APPLICATION = 118,
    MSG_APPLICATION_TOO_OLD = 119,
    MSG_USE_SET_TIME = 120,
    MSG_CANNOT_OPEN_DATABASE = 121,
    MSG_CANNOT_OPEN_INDEX = 122,
    MSG_DUPLICATE_ITEM = 123,
    MSG_ITEM_NOT_FOUND = 124,
    MSG_CANNOT_READ_DATABASE = 125,
    MSG_CANNOT_WRITE_DATABASE = 126,
    MSG_CANNOT_READ_INDEX = 127,
    MSG_CANNOT_WRITE_INDEX = 128,
    MSG_FILE_DOES_NOT_EXIST = 129,
    MSG_CANNOT_SEARCH_DATA = 130,
    MSG_CANNOT_SEARCH_LOOKUP = 131,
    MSG_DATABASE_FORMAT = 132,
};

// The text for `id`: a zero-terminated UTF-8 text that stays valid while
// the application's language settings do.
const char* rt_text(int id);

// The built-in (untranslated) texts of each group in slot order: what the
// translation slots replace. The editor's Language page shows them.
std::span<const char* const> rt_builtin_labels();
std::span<const char* const> rt_builtin_box_words();
std::span<const char* const> rt_builtin_messages();

} // namespace formwick
