// The key queue: key codes first in, first out, without a size limit. A key
// is "available" exactly while the queue is not empty. The host guards it
// with its own lock.
#pragma once

#include "runtime/services/keys.h"

#include <deque>

namespace formwick {

class KeyQueue {
public:
    void push_back(int code) { keys_.push_back(code); }
    void push_front(int code) { keys_.push_front(code); }
    // The front key, or KEY_NONE.
    int pop() {
        if (keys_.empty()) return KEY_NONE;
        int code = keys_.front();
        keys_.pop_front();
        return code;
    }
    void clear() { keys_.clear(); }
    bool available() const { return !keys_.empty(); }
    std::size_t size() const { return keys_.size(); }

private:
    std::deque<int> keys_;
};

} // namespace formwick
