// The scanner's arming as the runtime sets it.
//
// Read mode 1 ("Multiple") arms mode 4, which stays armed after a good read;
// read mode 2 ("Trigger") arms mode 2; any other ("Single") arms mode 3. The
// time-out (300 for modes 3 and 4, none for mode 2) is kept like the
// terminal keeps it, but the PC never uses it.
#pragma once

namespace formwick {

struct ScannerState {
    bool armed = false;
    int mode = 0; // 0 off, 2 trigger, 3 single, 4 multiple
    int timeout = 0;
    int timeoutReload = 0;

    void arm(int readMode) {
        mode = readMode == 1 ? 4 : readMode == 2 ? 2 : 3;
        timeout = timeoutReload = mode == 2 ? -1 : 300;
        armed = true;
    }
    void disarm() {
        armed = false;
        mode = 0;
    }
    // After a good read: only mode 4 keeps reading.
    void after_good_read() {
        if (mode != 4) disarm();
    }
};

} // namespace formwick
