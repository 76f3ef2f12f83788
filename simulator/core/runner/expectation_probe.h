// What a key script's expectations ask of the program running in the
// terminal, beyond its screen and its files: the values it holds. The
// program supplies it; the runner knows nothing of how the values are kept.
#pragma once

#include <string>

namespace formwick {

class ExpectationProbe {
  public:
    virtual ~ExpectationProbe() = default;
    // The value of variable n (1..20) as the program holds it now.
    virtual std::string variable(int n) = 0;
};

} // namespace formwick
