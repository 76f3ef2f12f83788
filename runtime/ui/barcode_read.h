// The runtime side of a barcode read.
#pragma once

namespace formwick {

// Arms the scanner with the configured read mode and waits for a barcode
// that fits `input_class` (runtime/ui/input_class.h; -1 takes any). A code
// that does not fit shows "Wrong data type!" and the read goes on. A key
// ends the wait: the trigger re-arms and keeps waiting, any other key is
// put back for the caller and -1 returned. A good read sounds, shows the
// green LED for 200 ms and returns 0 with the code in `buffer`, which holds
// at least max_length + 1 bytes.
int rt_read_barcode(char* buffer, int max_length, int input_class);

} // namespace formwick
