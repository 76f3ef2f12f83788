#include "simulator/core/runner/runtime_probe.h"

#include "runtime/app/values.h"
#include "runtime/ui/message.h"

namespace formwick {

std::string RuntimeProbe::value(int code) { return std::string(value_get(code)); }

bool RuntimeProbe::message_box(std::string& text, BoxKind& kind) {
    const RtShownMessage& box = rt_shown_message();
    if (box.style < 0) return false;
    text = box.text;
    const int answer = box.style & 0x0F;
    const int shown = box.style & 0xF0;
    kind = answer == MSG_YES_NO   ? BoxKind::question
           : shown == MSG_WARNING ? BoxKind::warning
           : shown == MSG_ERROR   ? BoxKind::error
                                  : BoxKind::information;
    return true;
}

} // namespace formwick
