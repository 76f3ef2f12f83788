// formwick-edit FILE.json: opens the editor sheet on a JSON definition and,
// when it is closed with OK, writes the definition back to the same file.
// Exit status: 0 after OK, 1 after Cancel, 2 when the file cannot be read
// or written.
#include "appfile/definition_json.h"
#include "editors/editor_sheet.h"
#include "widgets/dialogs.h"

#include <QApplication>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

class StderrSink final : public formwick::MessageSink {
public:
    void error(std::string_view message) override { std::cerr << message << '\n'; }
};

bool read_text(const std::filesystem::path& path, std::string& text) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream s;
    s << in.rdbuf();
    text = s.str();
    return !in.bad();
}

// Writes beside the file and renames, so a failed write keeps the old file.
bool write_text(const std::filesystem::path& path, const std::string& text) {
    std::filesystem::path temporary = path;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            std::filesystem::remove(temporary);
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(temporary, path, error);
    return !error;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 2) {
        std::cerr << "usage: formwick-edit FILE.json\n";
        return 2;
    }
    const std::filesystem::path path = args[1].toStdString();
    StderrSink sink;
    std::string text;
    if (!read_text(path, text)) {
        std::cerr << path.string() << ": cannot be read\n";
        return 2;
    }
    formwick::CParameters definition;
    if (!formwick::definition_from_json(text, definition, sink)) return 2;

    formwick::CQtDialogs dialogs;
    if (!formwick::edit_definition(definition, dialogs)) return 1;

    if (!formwick::definition_to_json(definition, text, sink)) return 2;
    if (!write_text(path, text)) {
        std::cerr << path.string() << ": cannot be written\n";
        return 2;
    }
    return 0;
}
