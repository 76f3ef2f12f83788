// What a key script's expectations ask of the program running in the
// terminal, beyond its screen and its files: the values it holds and the
// message box it shows. The program supplies it; the runner knows nothing
// of how they are kept.
#pragma once

#include <string>

namespace formwick {

// The kinds of message box; a box that asks yes or no is a question.
enum class BoxKind { information, warning, error, question };
inline constexpr int kBoxKindCount = 4;

// The word scripts use for a kind: "INFORMATION", "WARNING", ...
inline const char* box_kind_word(BoxKind kind) {
    static constexpr const char* kWords[kBoxKindCount] = {"INFORMATION", "WARNING", "ERROR", "QUESTION"};
    return kWords[static_cast<int>(kind)];
}

class ExpectationProbe {
  public:
    virtual ~ExpectationProbe() = default;
    // The value of a field reference (variable n is code n) as the program
    // holds it now.
    virtual std::string value(int code) = 0;
    // The message box showing now: false when none is.
    virtual bool message_box(std::string& text, BoxKind& kind) = 0;
};

} // namespace formwick
