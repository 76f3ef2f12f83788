// The allowed values of every chosen (coded) field of the model.
//
// One table serves both ways into the model: the JSON reader refuses a value
// outside its range with a message, and the application file loader leaves
// the record's default in place of it. Keeping them equal means every value
// the JSON format accepts survives a build and a load.
#pragma once

#include <cstdint>
#include <limits>

namespace formwick {

struct ValueRange {
    long long lo;
    long long hi;
    constexpr bool contains(long long v) const { return v >= lo && v <= hi; }
};

namespace range {
inline constexpr ValueRange kAnyInt{std::numeric_limits<std::int32_t>::min(),
                                    std::numeric_limits<std::int32_t>::max()}; // bit masks
inline constexpr ValueRange kFont{0, 2};        // Large, Medium, Custom
inline constexpr ValueRange kTarget{0, 16};     // main menu, Form 1..8, Menu 1..8
inline constexpr ValueRange kFieldRef{0, 93};
inline constexpr ValueRange kDataFile{0, 2};    // Data 1..3
inline constexpr ValueRange kDelimiter{0, 3};   // comma, semicolon, bar, tab
inline constexpr ValueRange kFieldIndex{0, 9};  // key fields
inline constexpr ValueRange kAlignment{0, 4};

inline constexpr ValueRange kStartTarget{0, 1};
inline constexpr ValueRange kBrightness{1, 3};
inline constexpr ValueRange kBacklightTime{0, 6};
inline constexpr ValueRange kDeleteData{0, 3};
inline constexpr ValueRange kDateFormat{0, 1};
inline constexpr ValueRange kProtocol{0, 1};

inline constexpr ValueRange kReadMode{0, 2};
inline constexpr ValueRange kReadTimeout{0, 4};

inline constexpr ValueRange kLookupFileType{0, 1};
inline constexpr ValueRange kRecordSize{2, 65535};
inline constexpr ValueRange kLookupFields{1, 10};
inline constexpr ValueRange kBadFormatAction{0, 2};
inline constexpr ValueRange kNoMatchAction{0, 3};
inline constexpr ValueRange kMissingAction{0, 2};
inline constexpr ValueRange kLookupOffset{0, 450};
inline constexpr ValueRange kLookupMaxLength{0, 80};

inline constexpr ValueRange kLineType{0, 11};
inline constexpr ValueRange kInputSource{0, 2};
inline constexpr ValueRange kInputLength{0, 100}; // minimum and maximum
inline constexpr ValueRange kLookupSource{0, 6};
inline constexpr ValueRange kInitialKind{0, 2};
inline constexpr ValueRange kDecimalPlaces{0, 1};

inline constexpr ValueRange kDataFields{0, 10};
inline constexpr ValueRange kYearDigits{0, 1};
inline constexpr ValueRange kDateOrder{0, 2};
inline constexpr ValueRange kStorageMode{0, 1};
inline constexpr ValueRange kFieldSize{0, 100};
} // namespace range

} // namespace formwick
