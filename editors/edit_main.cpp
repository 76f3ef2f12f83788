// formwick-edit FILE.json: opens the editor sheet on a JSON definition and,
// when it is closed with OK, writes the definition back to the same file.
// Exit status: 0 after OK, 1 after Cancel, 2 when the file cannot be read
// or written.
#include "editors/editor_sheet.h"
#include "editors/json_definition_file.h"
#include "widgets/dialogs.h"

#include <QApplication>

#include <iostream>

namespace {

class StderrSink final : public formwick::MessageSink {
public:
    void error(std::string_view message) override { std::cerr << message << '\n'; }
};

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
    formwick::CParameters definition;
    if (!formwick::read_json_definition(path, definition, sink)) return 2;

    formwick::CQtDialogs dialogs;
    if (!formwick::edit_definition(definition, dialogs)) return 1;
    return formwick::write_json_definition(path, definition, sink) ? 0 : 2;
}
