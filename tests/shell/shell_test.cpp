// The generator shell: settings, folders, the single-instance guard, the
// serial port list, the progress window and the main window's commands,
// driven through their real controls with scripted dialogs.
#include "appfile/build_application.h"
#include "shell/com_select_dialog.h"
#include "shell/formwick_dlg.h"
#include "shell/help_window.h"
#include "shell/instance_checker.h"
#include "shell/program_folders.h"
#include "shell/serial_ports.h"
#include "shell/settings_file.h"
#include "widgets/dialogs.h"

#include "appfile/definition_json.h"
#include "editors/editor_pages.h"
#include "editors/editor_sheet.h"
#include "editors/prop_form.h"
#include "simulator/core/runner/stat_display_screen.h"
#include "tests/editors/editor_test_support.h"

#include "pty_peer.h"
#include "read_whole_file.h"

#include <QProcess>

#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QScrollBar>
#include <QTextBrowser>
#include <QtTest>

#include <cstring>
#include <fstream>
#include <sstream>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

using namespace formwick;
using namespace std::chrono_literals;

namespace {

void write_text(const QString& path, const std::string& text) {
    std::ofstream(path.toStdString(), std::ios::binary) << text;
}

std::string read_text(const QString& path) {
    std::ifstream in(path.toStdString(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

// Sets one data byte of an Intel HEX file's record at `offset` (of the
// 16-bit address field) and mends the record's checksum.
void patch_hex_byte(const QString& path, unsigned record_address, unsigned index, unsigned char value) {
    std::istringstream in(read_text(path));
    std::string out, line;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.size() > 11 && std::stoul(line.substr(3, 4), nullptr, 16) == record_address &&
            line.substr(7, 2) == "00") {
            std::vector<unsigned> bytes;
            for (std::size_t i = 1; i + 1 < line.size(); i += 2) bytes.push_back(std::stoul(line.substr(i, 2), nullptr, 16));
            bytes[4 + index] = value;
            unsigned sum = 0;
            for (std::size_t i = 0; i + 1 < bytes.size(); ++i) sum += bytes[i];
            bytes.back() = (0x100 - (sum & 0xFF)) & 0xFF;
            char hex[3];
            line = ":";
            for (unsigned b : bytes) {
                std::snprintf(hex, sizeof hex, "%02X", b);
                line += hex;
            }
            record_address = 0x10000; // only the first one
        }
        out += line + "\r\n";
    }
    write_text(path, out);
}

// The texts of a menu's actions, "-" for separators, submenus with ">".
QStringList menu_layout(const QMenu& menu) {
    QStringList items;
    for (QAction* a : menu.actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->menu() ? a->text() + " >" : a->text());
    return items;
}

QAction* action(QWidget* menu, const char* name) { return menu->findChild<QAction*>(QString::fromLatin1(name)); }

} // namespace

class ShellTest : public QObject {
    Q_OBJECT
    std::unique_ptr<QTemporaryDir> folder;
    std::unique_ptr<CParameters> definition;
    std::unique_ptr<CFormwickConfig> config;
    std::unique_ptr<CScriptedDialogs> dialogs;
    std::unique_ptr<CFormwickDlg> window;

    QString path(const char* name) const { return QDir(folder->path()).filePath(QString::fromLatin1(name)); }

    void open_window(int terminal = 1) {
        write_text(path("Formwick.CFG"), "[GLOBAL]\r\nCOM=3\r\nTERMINAL=" + std::to_string(terminal) + "\r\n");
        config->load(path("Formwick.CFG").toStdString());
        window = std::make_unique<CFormwickDlg>(*definition, *config, *dialogs, path("RAM_DISK").toStdString());
        QVERIFY(window->open(model_of_setting(config->terminal())));
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
    }

    QMenu* open_menu() {
        window->show_context_menu(window->mapToGlobal(QPoint(100, 100)));
        return window->context_menu();
    }

    // A text that tells definitions apart.
    static void set_prompt(CParameters& p, const char* text) { set_text_bytes(p.startup.constants[0], text); }
    static QString prompt(const CParameters& p) {
        return QString::fromStdString(std::string(text_bytes(p.startup.constants[0])));
    }

private slots:
    void init() {
        QSettings("Formwick", "Formwick").clear();
        folder = std::make_unique<QTemporaryDir>();
        QDir(folder->path()).mkdir("RAM_DISK");
        definition = std::make_unique<CParameters>();
        config = std::make_unique<CFormwickConfig>();
        dialogs = std::make_unique<CScriptedDialogs>();
    }
    void cleanup() {
        window.reset();
        QDir(port_links_folder()).removeRecursively();
    }

    // A link to `device` as port `number` in the user's port folder.
    static void link_port(int number, const QString& device) {
        QDir().mkpath(port_links_folder());
        QVERIFY(QFile::link(device, QDir(port_links_folder()).filePath(QStringLiteral("COM%1").arg(number))));
    }

    // Sends a built application from the window to rb; the last event.
    // `size` bytes of filler in place of a built application when not 0.
    void start_transfer_to_rb(test::PtyPeer& peer, const std::vector<std::string>& rb_options, std::size_t size = 0) {
        std::string why;
        if (test::find_ymodem_receiver().empty()) QSKIP("rb is not installed (Debian package lrzsz)");
        if (!peer.start(why)) QSKIP(why.c_str());
        QVERIFY2(peer.start_receiver(rb_options, why), why.c_str());
        link_port(60, QString::fromStdString(peer.sender_end()));
        open_window();
        config->set_port(60);
        set_prompt(*definition, "Sent");
        CollectingSink sink;
        if (size)
            write_text(path("STOCK.HIX"), std::string(size, 'x'));
        else
            QVERIFY(CBuildApplication(path("STOCK.HIX").toStdString(), sink).build(*definition));
        dialogs->fileNames = {path("STOCK.HIX")};
        action(open_menu(), "transmit")->trigger();
        QCOMPARE(QString::fromStdString(window->transmitter().device()), QDir(port_links_folder()).filePath("COM60"));
    }

    // ------------------------------------------------------------ settings
    void settings_file_data() {
        QTest::addColumn<QByteArray>("text");
        QTest::addColumn<int>("port");
        QTest::addColumn<int>("terminal");
        QTest::newRow("no file") << QByteArray() << 1 << 1;
        QTest::newRow("COM 4, no TERMINAL") << QByteArray("[GLOBAL]\r\nCOM=4\r\n") << 4 << 1;
        QTest::newRow("not a number reads 0") << QByteArray("[GLOBAL]\nCOM=abc\nTERMINAL=R58\n") << 0 << 0;
        QTest::newRow("empty value keeps default") << QByteArray("[GLOBAL]\nCOM=\nTERMINAL=0\n") << 1 << 0;
        QTest::newRow("names in either case") << QByteArray("[global]\n com = 12 \nterminal=0\n") << 12 << 0;
        QTest::newRow("other section ignored") << QByteArray("[OTHER]\nCOM=9\n[GLOBAL]\nTERMINAL=0\n") << 1 << 0;
    }
    void settings_file() {
        QFETCH(QByteArray, text);
        QFETCH(int, port);
        QFETCH(int, terminal);
        if (!text.isEmpty()) write_text(path("Formwick.CFG"), text.toStdString());
        config->load(path("Formwick.CFG").toStdString());
        QCOMPARE(config->port(), port);
        QCOMPARE(config->terminal(), terminal);
    }

    void settings_written_as_decimal_keeping_the_rest() {
        write_text(path("Formwick.CFG"), "; mine\r\n[OTHER]\r\nA=1\r\n[GLOBAL]\r\nCOM=2\r\n\r\n[LAST]\r\nB=x\r\n");
        config->load(path("Formwick.CFG").toStdString());
        config->set_terminal(0);
        config->set_port(-5);
        QCOMPARE(read_text(path("Formwick.CFG")),
                 std::string("; mine\r\n[OTHER]\r\nA=1\r\n[GLOBAL]\r\nCOM=-5\r\nTERMINAL=0\r\n\r\n[LAST]\r\nB=x\r\n"));
        // A missing file is made with the section.
        CFormwickConfig fresh;
        fresh.load(path("new.CFG").toStdString());
        fresh.set_terminal(1);
        QCOMPARE(read_text(path("new.CFG")), std::string("[GLOBAL]\r\nTERMINAL=1\r\n"));
    }

    // ------------------------------------------------------------- folders
    void folders_beside_the_program_or_in_the_users_folders() {
        const ProgramFolders beside = program_folders(QStringLiteral("/opt/fw"), true);
        QCOMPARE(QString::fromStdString(beside.settings_file.string()), QStringLiteral("/opt/fw/Formwick.CFG"));
        QCOMPARE(QString::fromStdString(beside.ramdisk.string()), QStringLiteral("/opt/fw/RAM_DISK"));
        const ProgramFolders user = program_folders(QStringLiteral("/usr/bin"), false);
        QCOMPARE(QString::fromStdString(user.settings_file.string()),
                 QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + "/Formwick/Formwick.CFG");
        QCOMPARE(QString::fromStdString(user.ramdisk.string()),
                 QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + "/Formwick/RAM_DISK");
    }

    void ram_disk_that_cannot_be_made() {
        write_text(path("file"), "x");
        QVERIFY(!make_folder(path("file").toStdString() + "/RAM_DISK"));
        QVERIFY(make_folder(path("a/b/RAM_DISK").toStdString()));
        QVERIFY(QFileInfo(path("a/b/RAM_DISK")).isDir());
    }

    // ------------------------------------------------------ single instance
    void second_instance_raises_the_first() {
        const QString name = QStringLiteral("formwick-test-%1").arg(QCoreApplication::applicationPid());
        CInstanceChecker first(name);
        QSignalSpy raised(&first, &CInstanceChecker::raiseRequested);
        QVERIFY(!first.another_instance_running());
        QVERIFY(first.listening());
        QVERIFY(!first.another_instance_running()); // asked again: still the only one
        CInstanceChecker second(name);
        QVERIFY(second.another_instance_running());
        QVERIFY(!second.listening());
        QTRY_COMPARE(raised.count(), 1);
    }

    void stale_socket_does_not_stop_the_start() {
        const QString name = QStringLiteral("formwick-stale-%1").arg(QCoreApplication::applicationPid());
        // What a crashed copy leaves: a socket file nobody listens on.
        const QByteArray file = QDir(QDir::tempPath()).filePath(name).toLocal8Bit();
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        std::strncpy(address.sun_path, file.constData(), sizeof address.sun_path - 1);
        QCOMPARE(::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
        ::close(fd);
        QVERIFY(QFileInfo::exists(QString::fromLocal8Bit(file)));
        CInstanceChecker next(name);
        QVERIFY(!next.another_instance_running());
        QVERIFY(next.listening());
    }

    // ----------------------------------------------------------- serial ports
    void port_numbers_of_devices_data() {
        QTest::addColumn<QString>("device");
        QTest::addColumn<int>("number");
        QTest::newRow("ttyS0") << "ttyS0" << 1;
        QTest::newRow("/dev/ttyS2") << "/dev/ttyS2" << 3;
        QTest::newRow("ttyUSB0") << "ttyUSB0" << 101;
        QTest::newRow("ttyACM3") << "ttyACM3" << 204;
        QTest::newRow("ttyAMA1") << "ttyAMA1" << 302;
        QTest::newRow("rfcomm0") << "rfcomm0" << 401;
        QTest::newRow("ttyS99") << "ttyS99" << 100;
        QTest::newRow("ttyS100 has none") << "ttyS100" << 0;
        QTest::newRow("pts has none") << "pts/3" << 0;
        QTest::newRow("ttyXYZ0 has none") << "ttyXYZ0" << 0;
    }
    void port_numbers_of_devices() {
        QFETCH(QString, device);
        QFETCH(int, number);
        QCOMPARE(port_number_for_device(device), number);
        if (number) QCOMPARE(port_number_for_device(device_for_port(number)), number);
    }

    void port_list_sorted_with_friendly_names() {
        const auto entries =
            serial_port_entries({{"ttyS2", ""}, {"pts7", ""}, {"ttyUSB0", "FT232R USB UART"}, {"ttyS0", ""}});
        QCOMPARE(entries.size(), std::size_t(3));
        QStringList shown;
        for (const SerialPortEntry& e : entries) shown << port_entry_text(e);
        QCOMPARE(shown, QStringList({"COM1", "COM3", "FT232R USB UART (COM101, /dev/ttyUSB0)"}));
        QCOMPARE(device_for_port(3), QStringLiteral("/dev/ttyS2"));
        QCOMPARE(device_for_port(0), QString());
    }

    void links_number_other_devices() {
        link_port(50, QStringLiteral("/dev/pts/77"));
        link_port(3, QStringLiteral("/dev/serial/by-id/usb-cradle"));
        QFile(QDir(port_links_folder()).filePath("notes.txt")).open(QIODevice::WriteOnly);
        const auto entries = linked_port_entries(port_links_folder());
        QCOMPARE(entries.size(), std::size_t(2));
        QCOMPARE(port_entry_text(entries[0]), QStringLiteral("COM3 (/dev/serial/by-id/usb-cradle)"));
        QCOMPARE(entries[1].number, 50);
        QCOMPARE(device_for_port(50), QDir(port_links_folder()).filePath("COM50"));
        QCOMPARE(device_for_port(3), QDir(port_links_folder()).filePath("COM3")); // in place of ttyS2
        QCOMPARE(device_for_port(4), QStringLiteral("/dev/ttyS3"));
        const auto all = enumerate_serial_ports();
        QCOMPARE(std::count_if(all.begin(), all.end(), [](const SerialPortEntry& e) { return e.number == 3; }), 1);
    }

    void port_dialog_selects_the_current_port() {
        const std::vector<SerialPortEntry> ports{{1, ""}, {10, ""}, {101, "USB (COM101, /dev/ttyUSB0)"}};
        {
            CDlgComSelect dialog(ports, 10, nullptr);
            QCOMPARE(dialog.windowTitle(), QStringLiteral("Serial port selection dialog"));
            auto* list = dialog.findChild<QComboBox*>("1294");
            QVERIFY(list);
            QCOMPARE(list->currentText(), QStringLiteral("COM10")); // not COM1, whose text begins "COM10"
            QCOMPARE(dialog.port(), 10);
            list->setCurrentIndex(2);
            QCOMPARE(dialog.port(), 101);
        }
        {
            CDlgComSelect dialog(ports, 101, nullptr);
            QCOMPARE(dialog.findChild<QComboBox*>("1294")->currentIndex(), 2); // listed under its name
        }
        {
            CDlgComSelect dialog(ports, 5, nullptr);
            QCOMPARE(dialog.findChild<QComboBox*>("1294")->currentIndex(), 0);
            QCOMPARE(dialog.port(), 1);
        }
        {
            CDlgComSelect dialog({}, 7, nullptr);
            QCOMPARE(dialog.findChild<QComboBox*>("1294")->currentIndex(), -1);
            QCOMPARE(dialog.port(), 7);
        }
    }

    // -------------------------------------------------------- progress window
    void progress_caption_and_reset() {
        CProgressWnd progress;
        QVERIFY(progress.isHidden());
        progress.set_text(QStringLiteral("Sending"));
        QCOMPARE(progress.set_pos(50), 0);
        QVERIFY(progress.isVisible());
        QCOMPARE(progress.windowTitle(), QStringLiteral("Progress [50%]"));
        progress.setWindowTitle(QStringLiteral("changed"));
        QCOMPARE(progress.set_pos(50), 50);
        QCOMPARE(progress.windowTitle(), QStringLiteral("changed")); // same percentage: caption left alone
        progress.set_pos(100);
        QCOMPARE(progress.windowTitle(), QStringLiteral("Progress [100%]"));
        QCOMPARE(progress.findChild<QLabel*>("11")->text(), QStringLiteral("Sending"));
        QSignalSpy cancelled(&progress, &CProgressWnd::cancelRequested);
        QTest::mouseClick(progress.findChild<QPushButton*>("10"), Qt::LeftButton);
        QCOMPARE(cancelled.count(), 1);
        QVERIFY(progress.cancelled());
        QVERIFY(progress.isHidden());
        progress.reset();
        QVERIFY(!progress.cancelled());
        QCOMPARE(progress.position(), 0);
        QCOMPARE(progress.text(), QString());
    }

    void progress_position_remembered_or_centred() {
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        {
            CProgressWnd progress;
            progress.move(screen.topLeft() + QPoint(30, 40));
        } // remembered when destroyed
        QSettings settings("Formwick", "Formwick");
        QCOMPARE(settings.value("Settings/X").toInt(), screen.left() + 30);
        QCOMPARE(settings.value("Settings/Y").toInt(), screen.top() + 40);
        {
            CProgressWnd progress;
            QCOMPARE(progress.pos(), screen.topLeft() + QPoint(30, 40));
        }
        settings.setValue("Settings/X", -20000);
        settings.setValue("Settings/Y", 5);
        settings.sync();
        CProgressWnd progress;
        QCOMPARE(progress.geometry().center().x() / 4, screen.center().x() / 4);
    }

    // ------------------------------------------------------------ main window
    void menu_holds_the_commands_in_order() {
        open_window();
        QCOMPARE(window->windowTitle(), QStringLiteral("Formwick for R58 and KTM3300"));
        QMenu* menu = open_menu();
        QVERIFY(menu);
        QCOMPARE(menu_layout(*menu),
                 QStringList({"Edit", "-", "New Application", "Load Build Application", "Build Application", "-",
                              "Terminal >", "Zoom >", "Communication >", "-", "Help", "About", "-", "Exit"}));
        QCOMPARE(menu_layout(*menu->findChild<QMenu*>("communication")),
                 QStringList({"COM port", "Transmit Build Application"}));
        QAction* ktm = action(menu, "model-KTM3300");
        QVERIFY(ktm->isChecked() && !ktm->isEnabled());
        QAction* r58 = action(menu, "model-R58");
        QVERIFY(!r58->isChecked() && r58->isEnabled());
    }

    void model_switch_writes_terminal() {
        open_window(1);
        action(open_menu(), "model-R58")->trigger();
        QCOMPARE(window->model(), TerminalModel::R58);
        QVERIFY(window->session().running());
        QVERIFY(read_text(path("Formwick.CFG")).find("TERMINAL=0\r\n") != std::string::npos);
        QAction* r58 = action(open_menu(), "model-R58");
        QVERIFY(r58->isChecked() && !r58->isEnabled());
        action(window->context_menu(), "model-KTM3300")->trigger();
        QVERIFY(read_text(path("Formwick.CFG")).find("TERMINAL=1\r\n") != std::string::npos);
        QCOMPARE(window->model(), TerminalModel::KTM3300);
    }

    void exit_yes_then_cancelled_save_keeps_the_window() {
        open_window();
        window->set_dirty(true);
        dialogs->answers = {DialogAnswer::Yes}; // and no file name: the save dialog is cancelled
        action(open_menu(), "exit")->trigger();
        QVERIFY(window->isVisible());
        QVERIFY(window->dirty());
        QCOMPARE(dialogs->shown.size(), std::size_t(2));
        QCOMPARE(dialogs->shown[0].kind, QStringLiteral("question"));
        QCOMPARE(dialogs->shown[0].text, QStringLiteral("Save and Build current program?"));
        QCOMPARE(dialogs->shown[1].kind, QStringLiteral("save"));
        // Cancel keeps it too; No closes without building.
        dialogs->answers = {DialogAnswer::Cancel};
        QVERIFY(!window->close());
        dialogs->answers = {DialogAnswer::No};
        QVERIFY(window->close());
        QVERIFY(!QFileInfo::exists(path("out.HIX")));
    }

    void exit_yes_builds_then_closes() {
        open_window();
        set_prompt(*definition, "Stock count");
        window->set_dirty(true);
        dialogs->answers = {DialogAnswer::Yes};
        dialogs->fileNames = {path("out")}; // the default extension is added
        QVERIFY(window->close());
        QVERIFY(!window->dirty());
        CParameters loaded;
        CollectingSink sink;
        QVERIFY(CBuildApplication(path("out.HIX").toStdString(), sink).load(loaded));
        QCOMPARE(prompt(loaded), QStringLiteral("Stock count"));
    }

    void failed_build_stays_unsaved() {
        open_window();
        window->set_dirty(true);
        dialogs->fileNames = {path("no/such/folder/x.HIX")};
        action(open_menu(), "build")->trigger();
        QCOMPARE(dialogs->shown.back().kind, QStringLiteral("error"));
        QVERIFY(window->dirty());
    }

    void refused_load_keeps_the_running_definition() {
        // A file of another configuration format version.
        CParameters other;
        set_prompt(other, "Other");
        CollectingSink sink;
        QVERIFY(CBuildApplication(path("v2.HIX").toStdString(), sink).build(other));
        patch_hex_byte(path("v2.HIX"), 0x0010, 11, '2'); // "V00.01" -> "V00.02"
        open_window();
        set_prompt(*definition, "Mine");
        window->set_dirty(true);
        dialogs->answers = {DialogAnswer::No};
        dialogs->fileNames = {path("v2.HIX")};
        action(open_menu(), "load")->trigger();
        QCOMPARE(dialogs->texts().back(),
                 QStringLiteral("This Formwick application does not support interpreter file version : :V00.02"));
        QCOMPARE(prompt(*definition), QStringLiteral("Mine"));
        QVERIFY(!window->dirty());
        QVERIFY(window->session().running());
        // A file refused without a word of its own is still named.
        dialogs->fileNames = {path("Formwick.CFG")};
        window->cmd_load();
        QVERIFY(dialogs->texts().back().endsWith("Formwick.CFG: not a definition or application file"));
        // The good file (and a JSON definition) loads.
        patch_hex_byte(path("v2.HIX"), 0x0010, 11, '1');
        dialogs->fileNames = {path("v2.HIX")};
        const std::size_t before = dialogs->shown.size();
        window->cmd_load();
        QCOMPARE(dialogs->shown.size(), before + 1); // the open dialog only
        QCOMPARE(prompt(*definition), QStringLiteral("Other"));
        QVERIFY(window->session().running());
        // So does a JSON definition.
        set_prompt(other, "From JSON");
        std::string json;
        QVERIFY(definition_to_json(other, json, sink));
        write_text(path("other.json"), json);
        dialogs->fileNames = {path("other.json")};
        window->cmd_load();
        QCOMPARE(prompt(*definition), QStringLiteral("From JSON"));
        // The next file dialog starts in the folder of the last file.
        window->cmd_build();
        QCOMPARE(dialogs->shown.back().kind, QStringLiteral("save"));
        QCOMPARE(dialogs->shown.back().text, QFileInfo(folder->path()).absoluteFilePath());
    }

    void new_application_resets() {
        open_window();
        set_prompt(*definition, "Mine");
        window->set_dirty(true);
        dialogs->answers = {DialogAnswer::No};
        action(open_menu(), "new")->trigger();
        QCOMPARE(prompt(*definition), prompt(CParameters()));
        QVERIFY(!window->dirty());
        QVERIFY(window->session().running());
    }

    void transmit_uses_the_port_number_and_shows_failures() {
        open_window(); // COM=3
        write_text(path("app.HIX"), ":00000001FF\r\n");
        window->transmitter().set_device_folder(folder->path());
        dialogs->fileNames = {path("app.HIX")};
        QSignalSpy events(&window->transmitter(), &Transmitter::progress);
        action(open_menu(), "transmit")->trigger();
        QCOMPARE(QString::fromStdString(window->transmitter().device()), folder->path() + "/ttyS2");
        QVERIFY(!events.isEmpty());
        QCOMPARE(events.last().at(1).toInt(), 3001);
        CProgressWnd& progress = window->progress_window();
        QVERIFY(progress.isVisible());
        QVERIFY(progress.text().contains("ttyS2"));
        QVERIFY(!progress.hide_timer_active()); // a failure stays up to be read
    }

    void transmit_reaches_the_receiver() {
        test::PtyPeer peer;
        start_transfer_to_rb(peer, {});
        QSignalSpy events(&window->transmitter(), &Transmitter::progress);
        QTRY_VERIFY_WITH_TIMEOUT(!window->transmitter().running(), 30000);
        QVERIFY(!events.isEmpty());
        QCOMPARE(events.last().at(1).toInt(), 1000);
        QCOMPARE(events.last().at(0).toInt(), 100);
        QCOMPARE(test::read_file(peer.received() / "STOCK.HIX"), read_text(path("STOCK.HIX")));
        QVERIFY(window->progress_window().isVisible());
        QVERIFY(window->progress_window().hide_timer_active());
        QVERIFY(window->progress_window().text().contains("STOCK.HIX sent"));
    }

    void cancel_in_the_progress_window_reaches_the_receiver() {
        test::PtyPeer peer;
        // A file big enough to be under way when Cancel comes; rb would wait
        // a minute for a block, so only the cancel ends it sooner.
        start_transfer_to_rb(peer, {"--timeout", "600"}, 1 << 20);
        QTRY_VERIFY_WITH_TIMEOUT(window->progress_window().position() >= 5 || !window->transmitter().running(), 30000);
        QVERIFY(window->transmitter().running());
        QTest::mouseClick(window->progress_window().cancel_button(), Qt::LeftButton);
        QSignalSpy events(&window->transmitter(), &Transmitter::progress);
        QTRY_VERIFY_WITH_TIMEOUT(!window->transmitter().running(), 10000);
        QCOMPARE(events.last().at(1).toInt(), 1001);
        QCOMPARE(peer.receiver().wait(std::chrono::milliseconds(10000)) > 0, true);
        QVERIFY(peer.receiver_log().find("ancel") != std::string::npos);
    }

    void progress_hides_5s_after_the_end_not_while_under_way() {
        open_window();
        CProgressWnd& progress = window->progress_window();
        emit window->transmitter().progress(40, 2000, QStringLiteral("Waiting"));
        QVERIFY(progress.isVisible());
        QVERIFY(!progress.hide_timer_active());
        QCOMPARE(progress.position(), 40);
        emit window->transmitter().progress(100, 1999, QStringLiteral("Done"));
        QVERIFY(progress.hide_timer_active());
        QTest::qWait(4500);
        QVERIFY(progress.isVisible());
        QTRY_VERIFY_WITH_TIMEOUT(progress.isHidden(), 2000);
        // The next transfer's first event keeps the window up.
        emit window->transmitter().progress(100, 1000, QStringLiteral("Done"));
        emit window->transmitter().progress(0, 2000, QStringLiteral("Waiting"));
        QVERIFY(!progress.hide_timer_active());
    }

    void progress_cancel_resets() {
        open_window();
        CProgressWnd& progress = window->progress_window();
        emit window->transmitter().progress(30, 2001, QStringLiteral("Sending"));
        QTest::mouseClick(progress.cancel_button(), Qt::LeftButton);
        QVERIFY(progress.isHidden());
        QVERIFY(!progress.cancelled());
        QCOMPARE(progress.position(), 0);
        QCOMPARE(progress.text(), QString());
    }

    // The road of one application through the window: Edit a prompt in the
    // real sheet, OK, see it on the terminal, Build, and get the same file
    // as the command line builds from the same definition.
    bool screen_shows(const char* text) {
        window->session().wait_waiting(100ms);
        for (const std::vector<std::string>& reading : StatDisplayScreen(window->session().display()).readings())
            for (const std::string& row : reading)
                if (row.find(text) != std::string::npos) return true;
        return false;
    }

    void edit_run_and_build_like_the_command_line() {
        open_window();
        test::with_modal([&] { window->cmd_edit(); },
                         [](QWidget* d) {
                             auto* sheet = qobject_cast<CEditorSheet*>(d);
                             QVERIFY(sheet);
                             QVERIFY(sheet->showPage(kPageForm));
                             QWidget* page = sheet->pageById(kPageForm);
                             test::choose(test::control<QWidget>(page, form_row_id(0, kColType)), kLineInteger);
                             test::type_into(test::control<QWidget>(page, form_row_id(0, kColPrompt)),
                                             QStringLiteral("Boxes:"));
                             test::choose(test::control<QWidget>(page, form_row_id(0, kColInput)), 1); // Keypad
                             test::control<QPushButton>(sheet, "IDOK")->click();
                         });
        QVERIFY(window->dirty());
        QVERIFY(window->session().running());
        // The start-up screen, then the terminal's menu; Enter is Input,
        // which starts Form 1.
        QTRY_VERIFY_WITH_TIMEOUT(screen_shows("Input"), 15000);
        window->session().key_press(KEY_ENTER);
        QTRY_VERIFY_WITH_TIMEOUT(screen_shows("Boxes:"), 5000);

        dialogs->fileNames = {path("BOXES.HIX")};
        action(open_menu(), "build")->trigger();
        QVERIFY(!window->dirty());
        std::string json;
        CollectingSink sink;
        QVERIFY(definition_to_json(*definition, json, sink));
        write_text(path("boxes.json"), json);
        QProcess cli;
        cli.start(QStringLiteral(FORMWICK_CLI), {"build", path("boxes.json"), path("CLI.HIX")});
        QVERIFY(cli.waitForFinished(30000));
        QCOMPARE(cli.exitCode(), 0);
        QVERIFY(!read_text(path("BOXES.HIX")).empty());
        QVERIFY(read_text(path("BOXES.HIX")) == read_text(path("CLI.HIX")));
    }

    void about_and_help() {
        open_window();
        action(open_menu(), "about")->trigger();
        QCOMPARE(dialogs->shown.back().title, QStringLiteral("About Formwick"));
        QCOMPARE(dialogs->shown.back().text,
                 QStringLiteral("Formwick for R58 and KTM3300\nVersion: ") + QStringLiteral(FORMWICK_VERSION));
        QVERIFY(!find_user_guide().isEmpty());
        action(open_menu(), "help")->trigger();
        QVERIFY(window->help_window());
        QVERIFY(window->help_window()->isVisible());
        const QString text = window->help_window()->browser()->toPlainText();
        QVERIFY2(text.contains("Transmit Build Application"), qPrintable(text.left(200)));
        // The contents lead to their headings.
        QCOMPARE(heading_anchor("The road of one application"), QStringLiteral("the-road-of-one-application"));
        QTextBrowser* browser = window->help_window()->browser();
        browser->resize(500, 300);
        QCOMPARE(browser->verticalScrollBar()->value(), 0);
        browser->setSource(QUrl("#where-formwick-keeps-its-files"));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
        QVERIFY(browser->toPlainText().contains("Transmit Build Application")); // the same page
        browser->setSource(QUrl("transfer.md#messages"));
        QVERIFY(browser->toPlainText().startsWith("Sending an application to a terminal"));
        QVERIFY(browser->verticalScrollBar()->value() > 0);
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
