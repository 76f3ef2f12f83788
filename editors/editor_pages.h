// The eleven pages of the editor sheet, in sheet order, with their dialog
// ids, caption paths and makers.
#pragma once

#include "editors/prop_page.h"

#include <array>

namespace formwick {

using PageMaker = CPropPage* (*)(EditorContext&);

struct PageEntry {
    int dialogId;
    const char* captionPath; // "Parent::Child" puts the page below "Parent"
    PageMaker make;
};

inline constexpr int kEditorPageCount = 11;
extern const std::array<PageEntry, kEditorPageCount> kEditorPages;

// Dialog ids of the pages, for callers and tests.
enum EditorPageId {
    kPageStartup = 144,
    kPageBarcode = 147,
    kPageOptEanUpcCode39 = 149,
    kPageOpt2Of5MsiTelepenUk = 153,
    kPageOptCodabar128Iata = 154,
    kPageOptCode11KorGs1Pdf = 155,
    kPageLookup = 160,
    kPageForm = 162,
    kPageMenu = 156,
    kPageData = 166,
    kPageLanguage = 168,
};

} // namespace formwick
