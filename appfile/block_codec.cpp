#include "appfile/block_codec.h"

namespace formwick {

// File names are wide in the model and ANSI code page text in the image.
void BlockWriter::file_name(std::size_t off, const FileName& name) {
    bytes(off, AnsiCodePage::current().from_utf16(get_wide(name)), name.size() - 1);
}

void BlockReader::file_name(std::size_t off, FileName& name) {
    set_wide(name, AnsiCodePage::current().to_utf16(bytes(off, name.size() - 1)));
}

} // namespace formwick
