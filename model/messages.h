// How the core reports failures to a person without knowing how they are
// shown: the GUI puts each message in an "Error" box, the command line
// prints it on stderr, tests collect it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace formwick {

class MessageSink {
public:
    virtual ~MessageSink() = default;
    virtual void error(std::string_view message) = 0;
};

// Keeps every message, for tests and for callers that decide later.
class CollectingSink final : public MessageSink {
public:
    void error(std::string_view message) override { messages.emplace_back(message); }
    std::vector<std::string> messages;
};

} // namespace formwick
