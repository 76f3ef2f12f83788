#include "editors/json_definition_file.h"

#include "appfile/definition_json.h"

#include <fstream>
#include <sstream>

namespace formwick {

bool read_json_definition(const std::filesystem::path& path, CParameters& definition, MessageSink& messages) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    if (in) text << in.rdbuf();
    if (!in || in.bad()) {
        messages.error(path.string() + ": cannot be read");
        return false;
    }
    return definition_from_json(text.str(), definition, messages);
}

bool write_json_definition(const std::filesystem::path& path, const CParameters& definition,
                           MessageSink& messages) {
    std::string text;
    if (!definition_to_json(definition, text, messages)) return false;
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    std::error_code error;
    if (out) std::filesystem::rename(temporary, path, error);
    if (!out || error) {
        std::filesystem::remove(temporary, error);
        messages.error(path.string() + ": cannot be written");
        return false;
    }
    return true;
}

} // namespace formwick
