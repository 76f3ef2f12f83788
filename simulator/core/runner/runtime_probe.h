// The expectation probe over the runtime of this project: the values of the
// field references and the message box the runtime shows. Read while the
// runtime waits for input, as the player does.
#pragma once

#include "simulator/core/runner/expectation_probe.h"

namespace formwick {

class RuntimeProbe final : public ExpectationProbe {
  public:
    std::string value(int code) override;
    bool message_box(std::string& text, BoxKind& kind) override;
};

} // namespace formwick
