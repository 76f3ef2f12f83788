#include "simulator/window/terminal_dialog.h"

#include "simulator/window/barcode_dialog.h"
#include "simulator/window/display_widget.h"
#include "simulator/window/keyboard_map.h"
#include "simulator/window/stat_button.h"
#include "simulator/window/stat_led.h"

#include <QActionGroup>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QSettings>
#include <QWindow>

namespace formwick {

// Carries the session's news onto the window thread as queued calls.
class CTerminalDialog::Bridge final : public SessionObserver {
public:
    explicit Bridge(CTerminalDialog* window) : window_(window) {}
    void frame_ready() override {
        post([](CTerminalDialog& w) {
            if (w.display_) w.display_->update();
        });
    }
    void led_changed() override {
        post([](CTerminalDialog& w) {
            if (w.led_) w.led_->show_view(w.session_->led());
        });
    }
    void tones(std::int64_t, const std::vector<ToneSegment>& sequence) override {
        post([sequence](CTerminalDialog& w) { w.beeper_.play(sequence); });
    }
    void barcode_opened(int max_length) override {
        post([max_length](CTerminalDialog& w) { w.open_barcode_dialog(max_length); });
    }
    void barcode_closed() override {
        post([](CTerminalDialog& w) { w.close_barcode_dialog(); });
    }
    void run_ended(RunEnd, const std::string& failure) override {
        if (failure.empty()) return;
        post([failure](CTerminalDialog& w) { emit w.runFailed(QString::fromStdString(failure)); });
    }

private:
    template <class F> void post(F f) {
        CTerminalDialog* w = window_;
        QMetaObject::invokeMethod(w, [w, f] { f(*w); }, Qt::QueuedConnection);
    }
    CTerminalDialog* window_;
};

namespace {
constexpr const char* kZoomKey = "Window/Zoom";
}

CTerminalDialog::CTerminalDialog(const std::filesystem::path& ramdisk, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), bridge_(std::make_unique<Bridge>(this)),
      session_(std::make_unique<TerminalSession>(ramdisk, bridge_.get())), zoom_(remembered_zoom()) {
    setObjectName("102");
    setWindowTitle("Formwick");
    setFocusPolicy(Qt::StrongFocus);
    setToolTip(keyboard_help());
}

CTerminalDialog::~CTerminalDialog() {
    // The run ends before the children it draws into go.
    session_.reset();
}

int CTerminalDialog::remembered_zoom() {
    const int z = QSettings("Formwick", "Formwick").value(kZoomKey, 1).toInt();
    return z >= 1 && z <= 3 ? z : 1;
}

// ------------------------------------------------------------------ skin
void CTerminalDialog::free_skin() {
    close_barcode_dialog();
    for (CStatButton* key : keys_) delete key;
    keys_.clear();
    delete led_;
    led_ = nullptr;
    delete display_;
    display_ = nullptr;
    skin_ = TerminalSkin{skin_.model, {}, {}, {}};
    clearMask();
}

bool CTerminalDialog::apply_skin(TerminalModel model) {
    free_skin();
    skin_ = load_skin(model, zoom_);
    if (!skin_.valid()) {
        update();
        return false;
    }
    setFixedSize(skin_.face.size());
    setMask(outline_region(skin_.face));
    build_children();
    // The new toggle key starts up, so alpha mode starts off with it.
    session_->set_alpha_mode(false);
    update();
    return true;
}

void CTerminalDialog::build_children() {
    const auto list = key_list(skin_.model);
    int index = 0;
    for (const KeyListEntry& entry : list) {
        switch (entry.kind) {
        case KEY_KIND_KEY:
        case KEY_KIND_ALPHA_TOGGLE:
        case KEY_KIND_MENU: {
            auto* key = new CStatButton(this);
            connect(key, &CStatButton::keyNotified, this, &CTerminalDialog::on_key);
            connect(key, &CStatButton::released, this, &CTerminalDialog::on_key_released);
            key->setup_from_skin(index++, entry, skin_);
            keys_.push_back(key);
            break;
        }
        case KEY_KIND_LED:
            if (!led_) {
                led_ = new CStatLed(this);
                led_->setup_from_skin(entry, skin_);
                led_->show_view(session_->led());
            }
            break;
        case KEY_KIND_DISPLAY:
            if (!display_) {
                display_ = new DisplayWidget(session_->display(), this);
                display_->setup_from_skin(entry, skin_);
            }
            break;
        default: break;
        }
    }
}

void CTerminalDialog::set_zoom(int zoom) {
    if (zoom < 1 || zoom > 3) return;
    QSettings("Formwick", "Formwick").setValue(kZoomKey, zoom);
    if (zoom == zoom_) return;
    zoom_ = zoom;
    if (skin_.valid()) apply_skin(skin_.model);
}

// ------------------------------------------------------------------ runs
void CTerminalDialog::start_run(const CParameters& definition) {
    if (!skin_.valid()) return;
    session_->start(definition, key_list(skin_.model));
}

void CTerminalDialog::change_model(TerminalModel model) {
    session_->stop();
    if (apply_skin(model)) session_->restart(key_list(model));
}

// ------------------------------------------------------------------ keys
CStatButton* CTerminalDialog::key_with_code(int code) const {
    for (CStatButton* key : keys_)
        if (key->code() == code && key->isVisible()) return key;
    return nullptr;
}

void CTerminalDialog::on_key(int, int kind, int code) {
    switch (kind) {
    case KEY_KIND_KEY:
        if (code == KEY_TRIGGER) session_->set_trigger_held(true);
        session_->key_press(code);
        break;
    case KEY_KIND_ALPHA_TOGGLE:
        if (auto* key = qobject_cast<CStatButton*>(sender())) session_->set_alpha_mode(key->pressed());
        break;
    case KEY_KIND_MENU: show_context_menu(QCursor::pos()); break;
    default: break;
    }
}

void CTerminalDialog::on_key_released(int, int, int code) {
    if (code == KEY_TRIGGER) session_->set_trigger_held(false);
}

void CTerminalDialog::keyPressEvent(QKeyEvent* event) {
    const KeyboardKey k = keyboard_key(event->key(), event->text());
    if (k.code < 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (k.letter) {
        session_->key_press(k.code);
        return;
    }
    CStatButton* key = key_with_code(k.code);
    if (!key) return; // not on this model's keypad (F4 on the R58)
    if (event->isAutoRepeat() && k.code == KEY_TRIGGER) return; // held, not repeated
    key->set_pressed(true);
    if (k.code == KEY_TRIGGER) session_->set_trigger_held(true);
    session_->key_press(k.code);
}

void CTerminalDialog::keyReleaseEvent(QKeyEvent* event) {
    const KeyboardKey k = keyboard_key(event->key(), event->text());
    if (k.code < 0 || k.letter || event->isAutoRepeat()) {
        QWidget::keyReleaseEvent(event);
        return;
    }
    if (CStatButton* key = key_with_code(k.code)) key->set_pressed(false);
    if (k.code == KEY_TRIGGER) session_->set_trigger_held(false);
}

// ------------------------------------------------------------- barcode
void CTerminalDialog::open_barcode_dialog(int max_length) {
    close_barcode_dialog();
    auto* dialog = new CDlgReadBarcode(max_length, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    connect(dialog, &CDlgReadBarcode::answered, this, [this](std::optional<QString> text) {
        if (text)
            session_->answer_barcode(text->toStdString());
        else
            session_->answer_barcode(std::nullopt);
    });
    barcode_ = dialog;
    dialog->open();
    dialog->raise();
    dialog->activateWindow();
}

void CTerminalDialog::close_barcode_dialog() {
    if (barcode_) barcode_->close_quietly();
    barcode_ = nullptr;
}

// ------------------------------------------------------------- the face
void CTerminalDialog::paintEvent(QPaintEvent*) {
    if (!skin_.valid()) return;
    QPainter p(this);
    p.drawImage(0, 0, skin_.face);
}

// The face drags the whole terminal: by the window system when it can,
// else by following the pointer.
void CTerminalDialog::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        QWidget::mousePressEvent(event);
        return;
    }
    if (windowHandle() && windowHandle()->startSystemMove()) return;
    dragging_ = true;
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void CTerminalDialog::mouseMoveEvent(QMouseEvent* event) {
    if (dragging_) move(event->globalPosition().toPoint() - dragOffset_);
}

void CTerminalDialog::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) dragging_ = false;
}

// ---------------------------------------------------------- context menu
void CTerminalDialog::contextMenuEvent(QContextMenuEvent* event) { show_context_menu(event->globalPos()); }

void CTerminalDialog::show_context_menu(const QPoint& global) {
    if (menu_) menu_->close();
    auto* menu = new QMenu(this);
    menu->setObjectName("context-menu");
    menu->setAttribute(Qt::WA_DeleteOnClose);
    fill_context_menu(*menu);
    menu_ = menu;
    menu->popup(global);
}

void CTerminalDialog::fill_context_menu(QMenu& menu) {
    QMenu* terminal = menu.addMenu("Terminal");
    for (TerminalModel m : {TerminalModel::R58, TerminalModel::KTM3300}) {
        QAction* a = terminal->addAction(model_name(m));
        a->setObjectName(QString("model-") + model_name(m));
        a->setCheckable(true);
        const bool current = skin_.valid() && skin_.model == m;
        a->setChecked(current);
        a->setEnabled(!current);
        connect(a, &QAction::triggered, this, [this, m] { change_model(m); });
    }
    QMenu* zoom = menu.addMenu("Zoom");
    for (int z = 1; z <= 3; ++z) {
        QAction* a = zoom->addAction(QString("%1 %").arg(z * 100));
        a->setObjectName(QString("zoom-%1").arg(z * 100));
        a->setCheckable(true);
        a->setChecked(z == zoom_);
        connect(a, &QAction::triggered, this, [this, z] { set_zoom(z); });
    }
    menu.addSeparator();
    QAction* exit = menu.addAction("Exit");
    exit->setObjectName("exit");
    connect(exit, &QAction::triggered, this, &QWidget::close);
}

} // namespace formwick
