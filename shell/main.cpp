// Formwick: the generator. One copy per user and display; the main window
// is the simulated terminal running the definition, with the commands in
// its right-click menu.
//
//   Formwick [DEFINITION] [--model R58|KTM3300] [--ramdisk DIR]
//            [--first-frame]   print when the first frame is painted, then quit
//
// DEFINITION (JSON or ".HIX") is opened in place of a fresh one; --model
// shows that model for this start without changing the settings; --ramdisk
// uses another RAM disk folder.
#include "shell/definition_file.h"
#include "shell/formwick_dlg.h"
#include "shell/instance_checker.h"
#include "shell/program_folders.h"
#include "simulator/window/display_widget.h"
#include "widgets/dialogs.h"

#include <QApplication>
#include <QTimer>

#include <cstdio>
#include <cstring>
#include <ctime>
#include <fstream>
#include <optional>
#include <string>

using namespace formwick;

namespace {

struct Options {
    QString definition;
    std::optional<TerminalModel> model;
    std::filesystem::path ramdisk;
    bool firstFrame = false;
};

int usage(const char* why) {
    std::fprintf(stderr, "Formwick: %s\nusage: Formwick [DEFINITION] [--model R58|KTM3300] [--ramdisk DIR]\n", why);
    return 2;
}

// The help text, also the source of the manual page (help2man reads it).
void print_help() {
    std::printf("Usage: Formwick [DEFINITION] [--model R58|KTM3300] [--ramdisk DIR]\n"
                "\n"
                "Opens the simulated terminal running the application DEFINITION, a JSON\n"
                "definition or an application file (.HIX), or a fresh application. The\n"
                "generator's commands are in the terminal's right-click menu. One copy runs\n"
                "per user and display: starting another brings the running one to the front.\n"
                "\n"
                "Options:\n"
                "  --model R58|KTM3300  the terminal model shown this time (default: the one\n"
                "                       chosen last in the program)\n"
                "  --ramdisk DIR        the folder that stands for the terminal's RAM disk\n"
                "                       (default RAM_DISK beside the program, or in the user's\n"
                "                       data folder when the program's folder is not writable)\n"
                "  --first-frame        print when the first frame is painted, then quit\n"
                "  --help               show this text\n"
                "  --version            show the version\n");
}

// The resident memory in KiB, from /proc/self/status.
long resident_kib() {
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind("VmRSS:", 0) == 0) return std::atol(line.c_str() + 6);
    return -1;
}

// 0 when the options are read, else the exit status.
int read_options(const QStringList& args, Options& options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& a = args[i];
        if (a == "--first-frame") {
            options.firstFrame = true;
        } else if (a == "--model" || a == "--ramdisk") {
            if (i + 1 == args.size()) return usage("an option needs a value");
            const QString v = args[++i];
            if (a == "--ramdisk")
                options.ramdisk = v.toStdString();
            else if (v == "R58")
                options.model = TerminalModel::R58;
            else if (v == "KTM3300")
                options.model = TerminalModel::KTM3300;
            else
                return usage("--model takes R58 or KTM3300");
        } else if (a.startsWith("--")) {
            return usage("unknown option");
        } else if (options.definition.isEmpty()) {
            options.definition = a;
        } else {
            return usage("one definition only");
        }
    }
    return 0;
}

// For the start-up benchmark: the wall-clock time of the first painted frame
// of the running application, and the memory then.
void report_first_frame(QApplication& app, CTerminalDialog& window) {
    QObject::connect(window.display_widget(), &DisplayWidget::framePainted, &app, [&app] {
        timespec now{};
        clock_gettime(CLOCK_REALTIME, &now);
        std::printf("first-frame %lld.%09ld rss-kib %ld\n", static_cast<long long>(now.tv_sec), now.tv_nsec,
                    resident_kib());
        std::fflush(stdout);
        QTimer::singleShot(0, &app, &QApplication::quit);
    });
}

} // namespace

int main(int argc, char** argv) {
    // Answered before the window system is reached, so they work without a display.
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--help") == 0 || std::strcmp(argv[i], "-h") == 0) {
            print_help();
            return 0;
        }
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("Formwick %s\n", FORMWICK_VERSION);
            return 0;
        }
    }
    QApplication app(argc, argv);
    QApplication::setOrganizationName("Formwick");
    QApplication::setApplicationName("Formwick");

    Options options;
    if (const int status = read_options(QApplication::arguments().mid(1), options)) return status;

    // A file named on the command line that cannot be read ends the start
    // with the reason (exit status 1), so scripts and launchers see it.
    CParameters definition;
    if (!options.definition.isEmpty()) {
        std::string error;
        if (!read_definition_file(options.definition.toStdString(), definition, error)) {
            std::fprintf(stderr, "%s\n", error.c_str());
            return 1;
        }
    }

    CInstanceChecker guard;
    if (guard.another_instance_running()) return 0;

    CQtDialogs dialogs;
    const ProgramFolders folders = program_folders();
    make_folder(folders.settings_file.parent_path());
    CFormwickConfig config;
    config.load(folders.settings_file);

    if (options.ramdisk.empty()) options.ramdisk = folders.ramdisk;
    // Without its RAM disk the simulated terminal cannot keep files, but
    // everything else works.
    if (!make_folder(options.ramdisk)) dialogs.error(nullptr, QString::fromLatin1(kRamDiskMessage));

    CFormwickDlg window(definition, config, dialogs, options.ramdisk);
    QObject::connect(&guard, &CInstanceChecker::raiseRequested, &window, &CFormwickDlg::bring_to_front);
    QObject::connect(&window, &CTerminalDialog::runFailed,
                     [](const QString& message) { std::fprintf(stderr, "%s\n", qPrintable(message)); });
    if (!window.open(options.model.value_or(model_of_setting(config.terminal())))) {
        std::fprintf(stderr, "Formwick: the terminal pictures cannot be loaded\n");
        return 1;
    }
    if (options.firstFrame) report_first_frame(app, window);
    window.show();
    return app.exec();
}
