#include "runtime/ui/barcode_read.h"

#include "runtime/runtime_state.h"
#include "runtime/services/terminal.h"
#include "runtime/ui/input_class.h"
#include "runtime/ui/message.h"
#include "runtime/ui/texts.h"

#include <string>

namespace formwick {

int rt_read_barcode(char* buffer, int max_length, int input_class) {
    key_flush();
    scanner_arm(rt_state.readMode);
    for (;;) {
        if (scanner_read(buffer, max_length) == 0) {
            // A code must fit the class, and still fit the field once normalised.
            if (input_class >= 0 && (!input_barcode_fits(buffer, input_class) ||
                                     static_cast<int>(input_normalise(buffer, input_class).size()) > max_length)) {
                rt_message(rt_text(MSG_WRONG_DATA_TYPE), MSG_INFORMATION);
                scanner_arm(rt_state.readMode);
                continue;
            }
            sound(5, 32, TONE_1500HZ, TONE_1000HZ, TONE_1500HZ, 0);
            led_show(LED_GREEN, false, 200);
            scanner_disarm();
            return 0;
        }
        // The poll takes the key off the queue: it is the key to handle.
        if (const int key = key_poll(); key != KEY_NONE) {
            if (key == KEY_TRIGGER) {
                scanner_arm(rt_state.readMode);
                continue;
            }
            key_unget(key);
            scanner_disarm();
            return -1;
        }
        wait_ms(2);
    }
}

} // namespace formwick
