#include "shell/definition_file.h"

#include "appfile/build_application.h"
#include "appfile/definition_json.h"
#include "model/messages.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace formwick {

bool read_definition_file(const std::filesystem::path& path, CParameters& parameters,
                          std::vector<std::string>& messages) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        messages.push_back(path.string() + ": " + std::strerror(errno));
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    const std::string text = content.str();
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    CParameters loaded = parameters;
    CollectingSink sink;
    bool ok;
    if (first != std::string::npos && text[first] == '{') {
        ok = definition_from_json(text, loaded, sink);
    } else {
        CBuildApplication builder(path, sink);
        ok = builder.load(loaded);
    }
    if (!ok) {
        messages = sink.messages;
        if (messages.empty()) messages.push_back(path.string() + ": not a definition or application file");
        return false;
    }
    parameters = loaded;
    return true;
}

bool read_definition_file(const std::filesystem::path& path, CParameters& parameters, std::string& error) {
    std::vector<std::string> messages;
    if (read_definition_file(path, parameters, messages)) return true;
    // Messages that already name the file stand alone.
    error = messages.front().rfind(path.string(), 0) == 0 ? messages.front() : path.string() + ":\n" + messages.front();
    for (std::size_t i = 1; i < messages.size(); ++i) error += "\n" + messages[i];
    return false;
}

} // namespace formwick
