// formwick-editor-shots DEFINITION.json OUTDIR: grabs the editor sheet on
// its pages and the dialogs as PNG pictures for the user guide, from the
// real widgets. Run with QT_QPA_PLATFORM=offscreen; QT_SCALE_FACTOR=2 gives
// the 200 % pictures.
#include "editors/dlg_more.h"
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/json_definition_file.h"
#include "editors/variable_dlg.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDir>

#include <iostream>

namespace {

bool save(QWidget& widget, const QString& path) {
    widget.show();
    QApplication::processEvents();
    const bool ok = widget.grab().save(path);
    widget.hide();
    if (!ok) std::cerr << path.toStdString() << ": cannot be written\n";
    return ok;
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    const QStringList args = QApplication::arguments();
    if (args.size() != 3) {
        std::cerr << "usage: formwick-editor-shots DEFINITION.json OUTDIR\n";
        return 2;
    }
    formwick::CParameters definition;
    formwick::CollectingSink sink;
    if (!formwick::read_json_definition(args[1].toStdString(), definition, sink)) {
        std::cerr << (sink.messages.empty() ? std::string("bad definition") : sink.messages[0]) << '\n';
        return 2;
    }
    const QDir out(args[2]);
    QDir().mkpath(out.path());
    const QString suffix = qEnvironmentVariableIsSet("QT_SCALE_FACTOR")
                               ? QStringLiteral("-%1x").arg(qEnvironmentVariable("QT_SCALE_FACTOR"))
                               : QString();
    const auto name = [&](const char* base) { return out.filePath(QString::fromUtf8(base) + suffix + ".png"); };

    formwick::CScriptedDialogs dialogs;
    bool ok = true;
    {
        formwick::CEditorSheet sheet(definition, dialogs);
        for (auto [id, base] : {std::pair{formwick::kPageForm, "editor-form-page"},
                                {formwick::kPageMenu, "editor-menu-page"},
                                {formwick::kPageData, "editor-data-page"},
                                {formwick::kPageLookup, "editor-lookup-page"},
                                {formwick::kPageStartup, "editor-not-available"}}) {
            sheet.showPage(id);
            ok = save(sheet, name(base)) && ok;
        }
    }
    {
        const formwick::CFormLine& line = definition.forms[1].lines[1];
        formwick::CDlgMore more(2, 2, line.dataType, line.more);
        ok = save(more, name("editor-more-dialog")) && ok;
    }
    {
        formwick::CVariableDlg variables(definition.forms[0].lines[0].variable, {.constantsOff = true});
        ok = save(variables, name("editor-variable-dialog")) && ok;
    }
    return ok ? 0 : 1;
}
