#include "simulator/core/keys/multi_tap.h"

#include <cstring>

namespace formwick {

TapEffect MultiTap::press(const KeyListEntry& key) {
    TapEffect effect;
    const bool hasLetters = key.alphaCode == 0 && key.letters && key.letters[0];
    if (!hasLetters) {
        effect.commit = commit();
        effect.send = key.alphaCode != 0 ? key.alphaCode : key.code;
        return effect;
    }
    if (key.code != lastKey_) effect.commit = commit();
    const int count = static_cast<int>(std::strlen(key.letters));
    if (index_ >= count) index_ = 0;
    pending_ = static_cast<unsigned char>(key.letters[index_++]);
    lastKey_ = key.code;
    countdown_ = kCommitTicks;
    effect.preview = pending_;
    return effect;
}

int MultiTap::tick() {
    if (countdown_ <= 0) return 0;
    if (--countdown_ > 0) return 0;
    return commit();
}

// Resetting the key as well as the index means a tap on the same key after
// an early commit (by an arrow or function key) starts at the first letter.
int MultiTap::commit() {
    const int letter = pending_;
    pending_ = 0;
    index_ = 0;
    lastKey_ = 0;
    countdown_ = 0;
    return letter;
}

} // namespace formwick
