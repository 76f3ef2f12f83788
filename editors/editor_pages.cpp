#include "editors/editor_pages.h"

#include "editors/prop_form.h"
#include "editors/prop_menu.h"
#include "editors/prop_startup.h"

namespace formwick {

namespace {
template <class Page> CPropPage* make_page(EditorContext& context) { return new Page(context); }
} // namespace

// Sheet order. To add a page, replace its nullptr with make_page<CPropXxx>
// and include its header above.
const std::array<PageEntry, kEditorPageCount> kEditorPages = {{
    {kPageStartup, "Startup", make_page<CPropStartup>},
    {kPageBarcode, "Barcode", nullptr},
    {kPageOptEanUpcCode39, "Barcode::EAN / UPC and Code 39", nullptr},
    {kPageOpt2Of5MsiTelepenUk, "Barcode::2Of5, MSI Plessey, Telepen and UK Plessey", nullptr},
    {kPageOptCodabar128Iata, "Barcode::Codabar, Code 128 and IATA", nullptr},
    {kPageOptCode11KorGs1Pdf, "Barcode::Code 11, Korean post, GS1 DataBar and PDF417", nullptr},
    {kPageLookup, "Lookup", nullptr},
    {kPageForm, "Form", make_page<CPropForm>},
    {kPageMenu, "Menu", make_page<CPropMenu>},
    {kPageData, "Data", nullptr},
    {kPageLanguage, "Language", nullptr},
}};

} // namespace formwick
