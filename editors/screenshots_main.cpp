// formwick-editor-shots DEFINITION.json OUTDIR: grabs the editor sheet on
// its pages and the dialogs as PNG pictures for the user guide, from the
// real widgets. Run with QT_QPA_PLATFORM=offscreen; QT_SCALE_FACTOR=2 gives
// the 200 % pictures.
#include "editors/dlg_more.h"
#include "editors/dlg_preview.h"
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/json_definition_file.h"
#include "editors/mono_bitmap.h"
#include "editors/variable_dlg.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QDir>
#include <QImage>
#include <QPainter>

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

// A sample splash picture for the preview: a framed box in the top rows,
// drawn here and packed as a loaded picture file would be.
void add_sample_splash(formwick::CParamStartup& startup) {
    QImage image(128, 30, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setPen(Qt::black);
    p.drawRect(1, 1, 125, 27);
    p.fillRect(6, 6, 18, 18, Qt::black);
    p.drawLine(30, 15, 120, 15);
    p.end();
    formwick::MonoPixels pixels = formwick::MonoPixels::white(image.width(), image.height(), 128, 128);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) pixels.set(x, y, qGray(image.pixel(x, y)) < 128);
    formwick::pack_monochrome(pixels, formwick::kSplashSlot, startup.splashImage);
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
                                {formwick::kPageStartup, "editor-startup-page"},
                                {formwick::kPageBarcode, "editor-barcode-page"},
                                {formwick::kPageOpt2Of5MsiTelepenUk, "editor-barcode-options"},
                                {formwick::kPageLanguage, "editor-language-page"}}) {
            sheet.showPage(id);
            ok = save(sheet, name(base)) && ok;
        }
    }
    {
        formwick::CParamStartup startup = definition.startup;
        if (!startup.hasSplashImage()) add_sample_splash(startup);
        formwick::CDlgPreview preview(formwick::splash_preview(startup));
        ok = save(preview, name("editor-splash-preview")) && ok;
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
