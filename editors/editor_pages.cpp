#include "editors/editor_pages.h"

#include "editors/prop_barcode.h"
#include "editors/prop_barcode_options.h"
#include "editors/prop_data.h"
#include "editors/prop_form.h"
#include "editors/prop_language.h"
#include "editors/prop_lookup.h"
#include "editors/prop_menu.h"
#include "editors/prop_startup.h"

namespace formwick {

namespace {
template <class Page> CPropPage* make_page(EditorContext& context) { return new Page(context); }
} // namespace

// Sheet order.
const std::array<PageEntry, kEditorPageCount> kEditorPages = {{
    {kPageStartup, "Startup", make_page<CPropStartup>},
    {kPageBarcode, "Barcode", make_page<CPropBarcode>},
    {kPageOptEanUpcCode39, "Barcode::EAN / UPC and Code 39", make_page<CPropOptEanUpcCode39>},
    {kPageOpt2Of5MsiTelepenUk, "Barcode::2Of5, MSI Plessey, Telepen and UK Plessey", make_page<CPropOpt2Of5MSITelepenUk>},
    {kPageOptCodabar128Iata, "Barcode::Codabar, Code 128 and IATA", make_page<CPropOptCoda128IATA>},
    {kPageOptCode11KorGs1Pdf, "Barcode::Code 11, Korean post, GS1 DataBar and PDF417", make_page<CPropOptCode11KorGs1DataPdf>},
    {kPageLookup, "Lookup", make_page<CPropLookup>},
    {kPageForm, "Form", make_page<CPropForm>},
    {kPageMenu, "Menu", make_page<CPropMenu>},
    {kPageData, "Data", make_page<CPropData>},
    {kPageLanguage, "Language", make_page<CPropLanguage>},
}};

} // namespace formwick
