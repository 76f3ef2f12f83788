// CTerminalDialog: the terminal on the desktop. A frameless window shaped
// like the chosen model's face (magenta in the skin is see-through), with
// the display, the LED and the keys as children where the mask puts them,
// dragged by its face, zoomed as a whole (100, 200 or 300 %, remembered).
//
// It owns the simulator session that runs the application; it starts, stops
// and restarts runs only through it. News from the run arrives posted from
// the session's event thread. The right button (or the menu key) opens the
// context menu; a main window built on this adds its commands through
// fill_context_menu.
#pragma once

#include "model/parameters.h"
#include "simulator/core/session/terminal_session.h"
#include "simulator/window/barcode_dialog.h"
#include "simulator/window/beeper_audio.h"
#include "simulator/window/terminal_skin.h"

#include <QPointer>
#include <QWidget>

#include <filesystem>
#include <memory>
#include <vector>

#include <QMenu>

namespace formwick {

class CStatButton;
class CStatLed;
class DisplayWidget;

class CTerminalDialog : public QWidget {
    Q_OBJECT
public:
    explicit CTerminalDialog(const std::filesystem::path& ramdisk, QWidget* parent = nullptr);
    ~CTerminalDialog() override;

    // Makes the window the given model at the current zoom; false (and no
    // skin, no children) when a picture cannot be loaded. Leaves the run alone.
    bool apply_skin(TerminalModel model);
    void free_skin();
    // Runs `definition` (copied) on the current face, from its start-up screen.
    void start_run(const CParameters& definition);
    // Stops the run, shows the other model and starts the run again on it.
    void change_model(TerminalModel model);
    // 1, 2 or 3 times; remembered for the next start.
    void set_zoom(int zoom);

    int zoom() const { return zoom_; }
    TerminalModel model() const { return skin_.model; }
    bool has_skin() const { return skin_.valid(); }
    TerminalSession& session() { return *session_; }
    CStatButton* key_with_code(int code) const;
    const std::vector<CStatButton*>& keys() const { return keys_; }
    CStatLed* led_widget() const { return led_; }
    DisplayWidget* display_widget() const { return display_; }
    CDlgReadBarcode* barcode_dialog() const { return barcode_; }
    QMenu* context_menu() const { return menu_; }
    // Opens the context menu at a global position (not blocking).
    void show_context_menu(const QPoint& global);

    static int remembered_zoom();

signals:
    // The runtime ended on an error; the text says which.
    void runFailed(const QString& message);

protected:
    // The commands of the context menu; the base offers the terminal model,
    // the zoom and Exit.
    virtual void fill_context_menu(QMenu& menu);

    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    class Bridge;
    void on_key(int index, int kind, int code);
    void on_key_released(int index, int kind, int code);
    void open_barcode_dialog(int max_length);
    void close_barcode_dialog();
    void build_children();

    std::unique_ptr<Bridge> bridge_;
    std::unique_ptr<TerminalSession> session_;
    BeeperAudio beeper_;
    TerminalSkin skin_;
    int zoom_ = 1;
    std::vector<CStatButton*> keys_;
    CStatLed* led_ = nullptr;
    DisplayWidget* display_ = nullptr;
    QPointer<CDlgReadBarcode> barcode_;
    QPointer<QMenu> menu_;
    bool dragging_ = false;
    QPoint dragOffset_;
};

} // namespace formwick
