// Alpha-mode typing on the digit keys.
//
// Repeated taps on one key step through its letters; the chosen letter stays
// pending (drawn at the cursor, not yet queued) until the key has been left
// alone for 50 ticks (one second) or another key is pressed. Keys without
// letters send their alpha code instead, after committing a pending letter.
//
// Plain state, no locking: the host holds its key-queue lock around every call.
#pragma once

#include "simulator/core/keys/key_list.h"

namespace formwick {

// What one alpha-mode press asks the host to do, in this order: queue
// `commit`, queue `send`, draw `preview` at the cursor. 0 means nothing.
struct TapEffect {
    int commit = 0;
    int send = 0;
    int preview = 0;
};

class MultiTap {
public:
    static constexpr int kCommitTicks = 50;

    // An alpha-mode press of the key `key` (an entry of kind KEY_KIND_KEY).
    TapEffect press(const KeyListEntry& key);
    // One tick: the letter to queue when the count-down runs out, else 0.
    int tick();
    // Takes the pending letter (0 when none) and starts the next tap afresh.
    int commit();
    int pending() const { return pending_; }

private:
    int index_ = 0;     // position of the next letter in the current key's list
    int pending_ = 0;   // letter not yet queued
    int lastKey_ = 0;   // code of the key that chose the pending letter
    int countdown_ = 0; // ticks left until the pending letter is queued
};

} // namespace formwick
