#include "shell/definition_file.h"

#include "appfile/build_application.h"
#include "appfile/definition_json.h"
#include "model/messages.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <sstream>

namespace formwick {

bool read_definition_file(const std::filesystem::path& path, CParameters& parameters, std::string& error) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        error = path.string() + ": " + std::strerror(errno);
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
        error = path.string() + ":";
        for (const std::string& m : sink.messages) error += "\n" + m;
        if (sink.messages.empty()) error += " not a definition or application file";
        return false;
    }
    parameters = loaded;
    return true;
}

} // namespace formwick
