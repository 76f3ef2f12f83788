// CFormwickDlg: the program's main window, the simulated terminal with the
// generator's commands in its right-click menu:
//
//   Edit | New Application, Load Build Application, Build Application |
//   Terminal > R58, KTM3300; Zoom; Communication > COM port, Transmit Build
//   Application | Help, About | Exit
//
// It keeps the `dirty` flag (the definition was edited since the last build,
// load or new application) and asks "Save and Build current program?" before
// New, Load and Exit (also when the window is closed any other way). The run
// is stopped and started again around every change of the definition or of
// the model, so the terminal always runs what the user sees in the editor.
//
// The commands live in files of their own: definition_commands.cpp (Edit,
// New, Load, Build, the save question), communication_commands.cpp (COM
// port, Transmit and the progress window), help_commands.cpp (Help, About).
#pragma once

#include "model/parameters.h"
#include "shell/help_window.h"
#include "shell/progress_wnd.h"
#include "shell/settings_file.h"
#include "shell/transmitter.h"
#include "simulator/window/terminal_dialog.h"

#include <QPointer>

#include <filesystem>

namespace formwick {

class CDialogs;

inline constexpr const char* kMainWindowTitle = "Formwick for R58 and KTM3300";
inline constexpr const char* kSaveQuestion = "Save and Build current program?";

// The model a "TERMINAL" setting names: 0 the R58, anything else the KTM3300.
inline TerminalModel model_of_setting(int terminal) {
    return terminal == 0 ? TerminalModel::R58 : TerminalModel::KTM3300;
}

class CFormwickDlg : public CTerminalDialog {
    Q_OBJECT
public:
    CFormwickDlg(CParameters& definition, CFormwickConfig& config, CDialogs& dialogs,
                 const std::filesystem::path& ramdisk, QWidget* parent = nullptr);
    ~CFormwickDlg() override;

    // Shows the model and starts the run on the definition; false when the
    // model's pictures cannot be loaded.
    bool open(TerminalModel model);
    // Brings the window to the front (a second copy of the program asked).
    void bring_to_front();

    bool dirty() const { return dirty_; }
    void set_dirty(bool dirty) { dirty_ = dirty; }
    CParameters& definition() { return definition_; }
    CProgressWnd& progress_window() { return *progress_; }
    Transmitter& transmitter() { return transmitter_; }
    HelpWindow* help_window() const { return help_; }

    // The commands, as the menu runs them.
    void cmd_edit();
    void cmd_new();
    void cmd_load();
    void cmd_build();
    void cmd_select_model(TerminalModel model);
    void cmd_com_port();
    void cmd_transmit();
    void cmd_help();
    void cmd_about();

    // Asks to save when dirty; false when the command must stop.
    bool ask_save();

protected:
    void fill_context_menu(QMenu& menu) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void restart_run();
    // Build: false when no file was chosen.
    bool build_application();
    void on_progress(int position, int status, const QString& text);
    void on_progress_cancelled();
    QString last_folder() const;
    void remember_folder(const QString& file);

    CParameters& definition_;
    CFormwickConfig& config_;
    CDialogs& dialogs_;
    bool dirty_ = false;
    CProgressWnd* progress_;
    Transmitter transmitter_;
    QPointer<HelpWindow> help_;
};

} // namespace formwick
