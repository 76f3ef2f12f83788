#include "tests/editors/editor_test_support.h"

#include "appfile/build_application.h"
#include "appfile/definition_json.h"
#include "runtime/app/runtime_entry.h"
#include "runtime/runtime_state.h"
#include "simulator/core/runner/key_script.h"
#include "simulator/core/runner/simulated_run.h"

#include <QComboBox>
#include <QLineEdit>
#include <QTimer>

#include <fstream>
#include <sstream>

namespace formwick::test {

std::string json_of(const CParameters& definition) {
    std::string text;
    CollectingSink sink;
    if (!definition_to_json(definition, text, sink)) qWarning("definition_to_json failed");
    return text;
}

void with_modal(const std::function<void()>& open, const std::function<void(QWidget*)>& drive) {
    bool driven = false;
    QTimer poll; // stops with this function, so no check outlives it
    poll.setInterval(10);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        QWidget* modal = QApplication::activeModalWidget();
        if (driven || !modal || !modal->isVisible()) return;
        driven = true;
        poll.stop();
        drive(modal);
    });
    poll.start();
    open();
    if (!driven) qWarning("no modal dialog was opened");
}

void choose(QWidget* list, int index) {
    auto* combo = qobject_cast<QComboBox*>(list);
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

void type_into(QWidget* edit, const QString& text) {
    auto* line = qobject_cast<QLineEdit*>(edit);
    line->setFocus();
    line->selectAll();
    line->clear();
    // QTest types ASCII only; other text goes in as the user's input would.
    bool ascii = true;
    for (QChar c : text) ascii = ascii && c.unicode() < 128;
    if (ascii)
        QTest::keyClicks(line, text);
    else
        line->insert(text);
    // Losing the focus is what stores an edit's text.
    QFocusEvent out(QEvent::FocusOut, Qt::TabFocusReason);
    QApplication::sendEvent(line, &out);
}

std::string build_load_and_run(const CParameters& definition, const std::filesystem::path& folder, const std::string& script) {
    CollectingSink sink;
    auto failed = [&](const std::string& what) { return what + (sink.messages.empty() ? "" : ": " + sink.messages[0]); };
    const std::filesystem::path hix = folder / "APP.HIX";
    if (!CBuildApplication(hix, sink).build(definition)) return failed("build");
    CParameters loaded;
    if (!CBuildApplication(hix, sink).load(loaded)) return failed("load");
    if (json_of(loaded) != json_of(definition)) return "the loaded definition differs from the built one";
    KeyScript keys;
    if (!parse_key_script(script, keys, sink)) return failed("key script");
    std::ostringstream out;
    SimulatedRunOptions options;
    options.ramdisk = folder / "RAM_DISK";
    options.outputDir = folder;
    options.out = &out;
    const HeadlessResult result = run_simulated(keys, [&] { runtime_main(loaded); }, options, sink);
    rt_state_reset();
    return result.ok ? std::string() : failed("run") + "\n" + out.str();
}

std::string file_text(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

} // namespace formwick::test
