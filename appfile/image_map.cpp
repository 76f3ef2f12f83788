#include "appfile/image_map.h"

#include "model/language.h"
#include "model/parameters.h"

namespace formwick::image {

std::vector<Slot> image_slots(std::uint32_t font_body_length) {
    std::vector<Slot> slots;
    auto add = [&](std::uint32_t start, std::uint32_t size) { slots.push_back({start, start + size}); };
    add(kHeaderAddress, kHeaderSlot);
    slots.push_back({kStartupAddress, kStartupEnd});
    add(kBarcodeAddress, kBarcodeSlot);
    for (int n = 0; n < kLookupCount; ++n) add(lookup_address(n), kLookupSlot);
    for (int n = 0; n < kFormCount; ++n) add(form_address(n), kFormSlot);
    for (int n = 0; n < kMenuCount; ++n) add(menu_address(n), kMenuSlot);
    for (int n = 0; n < kDataFileCount; ++n) add(data_address(n), kDataSlot);
    add(kLanguageAddress, kLanguageSlot);
    add(kMarkerAddress, kMarkerSlot);
    for (int i = 0; i < kMenuTextCount; ++i) add(menu_text_address(i), kShortTextSlot);
    for (int i = 0; i < kStringTextCount; ++i) add(string_text_address(i), kShortTextSlot);
    for (int i = 0; i < kMessageTextCount; ++i) add(message_text_address(i), kMessageTextSlot);
    add(kFontHeaderAddress, kFontHeaderSlot);
    if (font_body_length) add(kFontBodyAddress, font_body_length);
    return slots;
}

} // namespace formwick::image
