// File names of lookup and data files: 8.3 names of at most 12 wide
// characters. Setting a file name derives its index name: the name without
// its extension followed by ".IDX".
#pragma once

#include "model/fixed_text.h"

namespace formwick {

using FileName = WideText<13>;

// "%s.IDX" from the part of `file_name` before its last '.', cut to 12 characters.
std::u16string index_name_for(std::u16string_view file_name);

// Stores `name` (cut to 12 characters) into file_name and its index name into index_name.
void set_file_and_index_name(FileName& file_name, FileName& index_name, std::u16string_view name);

// Whether a data or lookup file name is one the terminal's file system takes:
// at most 12 characters, none of < > : " / \ | a space or a control
// character, an 8.3 name with at most one dot, and not the extension ".~NX" (any case), which the
// terminal keeps for its own files. An empty name is allowed (no file).
bool file_name_allowed(std::u16string_view name);

// "Lookup%d.txt"-style default names.
std::u16string numbered_name(const char* stem, int number, const char* extension);

} // namespace formwick
