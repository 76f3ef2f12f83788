// The simulator window driven through its real controls.
#include "simulator/core/display/screen.h"
#include "simulator/window/barcode_dialog.h"
#include "simulator/window/beeper_audio.h"
#include "simulator/window/display_widget.h"
#include "simulator/window/keyboard_map.h"
#include "simulator/window/stat_button.h"
#include "simulator/window/stat_led.h"
#include "simulator/window/terminal_dialog.h"

#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QtTest>

#include <mutex>

using namespace formwick;
using namespace std::chrono_literals;

namespace {

// A routine that records every key the runtime reads.
struct KeyLog {
    std::mutex mutex;
    std::vector<int> codes;
    TerminalSession::Routine routine() {
        return [this] {
            for (;;) {
                const int code = key_get();
                std::lock_guard lock(mutex);
                codes.push_back(code);
            }
        };
    }
    std::vector<int> seen() {
        std::lock_guard lock(mutex);
        return codes;
    }
    void clear() {
        std::lock_guard lock(mutex);
        codes.clear();
    }
};

void click(QWidget* w, Qt::MouseButton button = Qt::LeftButton) {
    QTest::mouseClick(w, button, {}, w->rect().center());
}

} // namespace

class TerminalWindowTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<CTerminalDialog> window;

    // Waits until the runtime sits in a wait and its picture is painted.
    void settle() {
        QVERIFY(window->session().wait_waiting(2s));
        window->session().flush_events();
        QCoreApplication::processEvents();
        window->display_widget()->repaint();
    }

private slots:
    void init() {
        QSettings("Formwick", "Formwick").clear();
        folder = std::make_unique<QTemporaryDir>();
        window = std::make_unique<CTerminalDialog>(folder->path().toStdString());
        QVERIFY(window->apply_skin(TerminalModel::KTM3300));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }
    void cleanup() { window.reset(); }

    void children_sit_where_the_mask_puts_them() {
        const TerminalSkin skin = load_skin(TerminalModel::KTM3300);
        QCOMPARE(window->size(), QSize(231, 566));
        int keys = 0;
        for (const KeyListEntry& e : key_list(TerminalModel::KTM3300)) {
            const QRect box = to_qrect(mask_region(skin, e.colour).bounds());
            if (e.kind == KEY_KIND_DISPLAY) QCOMPARE(window->display_widget()->geometry(), box);
            if (e.kind == KEY_KIND_LED) QCOMPARE(window->led_widget()->geometry(), box);
            if (e.kind < KEY_KIND_KEY) continue;
            ++keys;
            CStatButton* key = window->findChild<CStatButton*>(QString("key-%1").arg(e.code));
            QVERIFY(key && key->isVisible());
            QCOMPARE(key->geometry(), box);
        }
        QCOMPARE(int(window->keys().size()), keys);
        // Magenta corners are outside the window's shape, the face inside.
        QVERIFY(!window->mask().contains(QPoint(0, 0)));
        QVERIFY(!window->mask().contains(QPoint(230, 565)));
        QVERIFY(window->mask().contains(QPoint(115, 30)));
        // The display's background comes from the face.
        QCOMPARE(window->session().display().background(), skin.face.pixel(QPoint(52, 59)) & 0xFFFFFF);
    }

    void a_click_on_a_key_changes_the_display() {
        window->start_run(CParameters{});
        settle();
        const QImage before = window->display_widget()->shown();
        const auto frame = window->display_widget()->shown_frame();
        click(window->key_with_code(KEY_DOWN));
        QTRY_VERIFY(window->display_widget()->shown_frame() != frame);
        QVERIFY(window->display_widget()->shown() != before);
    }

    void a_key_is_pressed_while_held_and_acts_on_button_down() {
        KeyLog log;
        window->session().start(log.routine(), key_list(TerminalModel::KTM3300));
        settle();
        CStatButton* five = window->key_with_code('5');
        QTest::mousePress(five, Qt::LeftButton, {}, five->rect().center());
        QVERIFY(five->pressed());
        QTRY_COMPARE(log.seen(), std::vector<int>{'5'});
        QTest::mouseRelease(five, Qt::LeftButton, {}, five->rect().center());
        QVERIFY(!five->pressed());
    }

    void the_pc_keyboard_drives_the_terminal_data() {
        QTest::addColumn<int>("key");
        QTest::addColumn<QString>("text");
        QTest::addColumn<int>("code");
        QTest::newRow("digit") << int(Qt::Key_7) << "7" << int('7');
        QTest::newRow("point") << int(Qt::Key_Period) << "." << int('.');
        QTest::newRow("Enter") << int(Qt::Key_Return) << "\r" << KEY_ENTER;
        QTest::newRow("keypad Enter") << int(Qt::Key_Enter) << "\r" << KEY_ENTER;
        QTest::newRow("Backspace") << int(Qt::Key_Backspace) << "" << KEY_BS;
        QTest::newRow("Escape") << int(Qt::Key_Escape) << "" << KEY_CLEAR;
        QTest::newRow("Up") << int(Qt::Key_Up) << "" << KEY_UP;
        QTest::newRow("Down") << int(Qt::Key_Down) << "" << KEY_DOWN;
        QTest::newRow("F1") << int(Qt::Key_F1) << "" << KEY_F1;
        QTest::newRow("F4") << int(Qt::Key_F4) << "" << KEY_F4;
        QTest::newRow("Space is the trigger") << int(Qt::Key_Space) << " " << KEY_TRIGGER;
        QTest::newRow("letter") << int(Qt::Key_K) << "k" << int('k');
        QTest::newRow("capital") << int(Qt::Key_K) << "K" << int('K');
    }

    void the_pc_keyboard_drives_the_terminal() {
        QFETCH(int, key);
        QFETCH(QString, text);
        QFETCH(int, code);
        KeyLog log;
        window->session().start(log.routine(), key_list(TerminalModel::KTM3300));
        settle();
        window->setFocus();
        QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, text);
        QApplication::sendEvent(window.get(), &press);
        QTRY_COMPARE(log.seen(), std::vector<int>{code});
        if (!keyboard_key(key, text).letter) {
            QVERIFY(window->key_with_code(code)->pressed()); // the face shows the key down
            QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier, text);
            QApplication::sendEvent(window.get(), &release);
            QVERIFY(!window->key_with_code(code)->pressed());
        }
        QVERIFY(window->toolTip().contains("Escape\tCLEAR"));
    }

    void the_r58_has_no_f4() {
        KeyLog log;
        QVERIFY(window->apply_skin(TerminalModel::R58));
        window->session().start(log.routine(), key_list(TerminalModel::R58));
        settle();
        QVERIFY(!window->key_with_code(KEY_F4));
        QTest::keyClick(window.get(), Qt::Key_F4);
        QTest::keyClick(window.get(), Qt::Key_F3);
        QTRY_COMPARE(log.seen(), std::vector<int>{KEY_F3});
    }

    void the_alpha_key_toggles_alpha_mode() {
        CStatButton* alpha = window->key_with_code(KEY_ALPHA);
        click(alpha);
        QVERIFY(alpha->pressed());
        QVERIFY(window->session().host().alpha_mode());
        click(alpha);
        QVERIFY(!alpha->pressed());
        QVERIFY(!window->session().host().alpha_mode());
    }

    // The trigger held starts a read; the dialog's text reaches the runtime.
    void a_scan_opens_the_barcode_dialog() {
        std::mutex mutex;
        std::string read;
        window->session().start(
            [&] {
                scanner_arm(0);
                char buffer[21] = {};
                while (scanner_read(buffer, 20) != 0) wait_ms(2);
                {
                    std::lock_guard lock(mutex);
                    read = buffer;
                }
                for (;;) key_get();
            },
            key_list(TerminalModel::KTM3300));
        CStatButton* trigger = window->key_with_code(KEY_TRIGGER);
        QTest::mousePress(trigger, Qt::LeftButton, {}, trigger->rect().center());
        QTRY_VERIFY(window->barcode_dialog());
        CDlgReadBarcode* dialog = window->barcode_dialog();
        QCOMPARE(dialog->windowTitle(), QString("Read barcode dialog"));
        QVERIFY(dialog->findChild<QLabel*>()->text() == "Enter barcode");
        QTest::mouseRelease(trigger, Qt::LeftButton, {}, trigger->rect().center());
        auto* edit = dialog->findChild<QLineEdit*>("barcode-text");
        QCOMPARE(edit->text(), QString());
        QCOMPARE(edit->maxLength(), 21);
        edit->setText("5901234123457");
        QTest::keyClick(edit, Qt::Key_Return);
        QTRY_VERIFY(!window->barcode_dialog());
        QTRY_VERIFY([&] {
            std::lock_guard lock(mutex);
            return read == "5901234123457";
        }());
    }

    void a_stop_closes_the_barcode_dialog() {
        window->session().set_trigger_held(true);
        window->session().start(
            [] {
                scanner_arm(0);
                char buffer[21];
                scanner_read(buffer, 20);
                for (;;) key_get();
            },
            key_list(TerminalModel::KTM3300));
        QTRY_VERIFY(window->barcode_dialog());
        QPointer<CDlgReadBarcode> dialog = window->barcode_dialog();
        window->session().stop();
        QVERIFY(window->session().wait_ended(1000ms));
        QTRY_VERIFY(!dialog);
    }

    void the_led_shows_the_runtime_colour() {
        window->session().start(
            [] {
                led_show(LED_RED, false, 100000);
                for (;;) key_get();
            },
            key_list(TerminalModel::KTM3300));
        QTRY_VERIFY(window->led_widget()->view().lit());
        QCOMPARE(window->led_widget()->view().colour, int(LED_RED));
        const QImage shot = window->led_widget()->grab().toImage();
        QCOMPARE(shot.pixelColor(shot.rect().center()), QColor(255, 0, 0));
    }

    void the_context_menu_switches_the_model_and_restarts_the_run() {
        KeyLog log;
        window->session().start(log.routine(), key_list(TerminalModel::KTM3300));
        settle();
        QTest::mouseClick(window.get(), Qt::RightButton, {}, QPoint(115, 30));
        QContextMenuEvent menuEvent(QContextMenuEvent::Mouse, QPoint(115, 30), window->mapToGlobal(QPoint(115, 30)));
        QApplication::sendEvent(window.get(), &menuEvent);
        QTRY_VERIFY(window->context_menu());
        QMenu* menu = window->context_menu();
        auto* ktm = menu->findChild<QAction*>("model-KTM3300");
        auto* r58 = menu->findChild<QAction*>("model-R58");
        QVERIFY(ktm && r58);
        QVERIFY(ktm->isChecked() && !ktm->isEnabled());
        QVERIFY(!r58->isChecked() && r58->isEnabled());
        QVERIFY(menu->findChild<QAction*>("exit"));
        r58->trigger();
        QCOMPARE(window->model(), TerminalModel::R58);
        QCOMPARE(window->size(), QSize(220, 625));
        QVERIFY(!window->key_with_code(KEY_F4));
        settle();
        // Back to the KTM3300 while the runtime waits: the run restarts on
        // the new face and its F4 key reaches the runtime.
        window->change_model(TerminalModel::KTM3300);
        settle();
        log.clear();
        click(window->key_with_code(KEY_F4));
        QTRY_COMPARE(log.seen(), std::vector<int>{KEY_F4});
    }

    void the_menu_key_opens_the_context_menu() {
        click(window->key_with_code(KEY_MENU));
        QTRY_VERIFY(window->context_menu());
    }

    void zoom_enlarges_everything_sharply_and_is_remembered() {
        window->start_run(CParameters{});
        settle();
        const QRect five = window->key_with_code('5')->geometry();
        window->set_zoom(2);
        QCOMPARE(window->size(), QSize(462, 1132));
        QCOMPARE(window->display_widget()->size(), QSize(256, 256));
        QCOMPARE(window->key_with_code('5')->geometry(), QRect(five.topLeft() * 2, five.size() * 2));
        QCOMPARE(CTerminalDialog::remembered_zoom(), 2);
        window->display_widget()->repaint();
        const QImage shot = window->display_widget()->grab().toImage();
        // Nearest-neighbour: each screen pixel is a plain 2 x 2 block.
        for (int y = 0; y < 256; y += 2)
            for (int x = 0; x < 256; x += 2) {
                const QRgb p = shot.pixel(x, y);
                if (shot.pixel(x + 1, y) != p || shot.pixel(x, y + 1) != p || shot.pixel(x + 1, y + 1) != p)
                    QFAIL("the display is blurred");
            }
        // A click still reaches the key under the pointer.
        const auto frame = window->display_widget()->shown_frame();
        click(window->key_with_code(KEY_DOWN));
        QTRY_VERIFY(window->display_widget()->shown_frame() != frame);
    }

    void dragging_the_face_moves_the_terminal() {
        window->move(100, 100);
        QTest::qWait(20);
        const QPoint start = window->pos();
        const QPoint grip(115, 210); // on the face between the display and the keys
        QVERIFY(window->childAt(grip) == nullptr);
        QTest::mousePress(window.get(), Qt::LeftButton, {}, grip);
        QMouseEvent move(QEvent::MouseMove, QPointF(grip + QPoint(30, 40)),
                         QPointF(window->mapToGlobal(grip) + QPoint(30, 40)), Qt::NoButton, Qt::LeftButton, {});
        QApplication::sendEvent(window.get(), &move);
        QTest::mouseRelease(window.get(), Qt::LeftButton, {}, grip + QPoint(30, 40));
        QTRY_COMPARE(window->pos(), start + QPoint(30, 40));
    }

    void the_beeper_plays_square_waves() {
        const std::vector<ToneSegment> sequence = {{1000, 0, 20}, {0, 20, 20}};
        const QByteArray data = BeeperAudio::samples(sequence);
        QCOMPARE(data.size(), qsizetype(2 * 882 * 2));
        const auto* pcm = reinterpret_cast<const qint16*>(data.constData());
        for (int i = 0; i < 882; ++i) QCOMPARE(pcm[i], qint16((i / 22) % 2 ? 8000 : -8000));
        for (int i = 882; i < 1764; ++i) QCOMPARE(pcm[i], qint16(0));
        BeeperAudio beeper;
        beeper.play(sequence); // silent and quiet without a device
        beeper.play({});
    }
};

QTEST_MAIN(TerminalWindowTest)
#include "terminal_window_test.moc"
