// A definition with every field away from its default: every text at full
// length, all translated texts that reach the image, pictures and a 20 KB
// extended custom font. Shared by the tests and the benchmark.
#pragma once

#include "model/parameters.h"

namespace formwick::testing {

CParameters full_definition();
// A UTF-8 text of exactly `bytes` bytes with a two-byte character in it.
std::string utf8_text(std::size_t bytes, char fill);

} // namespace formwick::testing
