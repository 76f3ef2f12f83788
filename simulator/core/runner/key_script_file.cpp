#include "simulator/core/runner/key_script_file.h"

#include <fstream>
#include <sstream>

namespace formwick {

namespace {

// Puts the file name in front of every message of the parser.
class PrefixSink final : public MessageSink {
public:
    PrefixSink(std::string prefix, MessageSink& out) : prefix_(std::move(prefix)), out_(out) {}
    void error(std::string_view message) override { out_.error(prefix_ + std::string(message)); }

private:
    std::string prefix_;
    MessageSink& out_;
};

} // namespace

bool read_key_script_file(const std::filesystem::path& path, KeyScript& script, MessageSink& sink) {
    std::ifstream file(path, std::ios::binary);
    std::ostringstream text;
    if (file) text << file.rdbuf();
    if (!file || file.bad()) {
        sink.error(path.string() + ": cannot read the key script");
        return false;
    }
    PrefixSink prefixed(path.string() + ": ", sink);
    return parse_key_script(text.str(), script, prefixed);
}

} // namespace formwick
