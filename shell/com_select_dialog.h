// CDlgComSelect: "Serial port selection dialog", a drop-down list of the
// serial ports (id 1294, in the group "COM port") with OK and Cancel.
#pragma once

#include "shell/serial_ports.h"

#include <QDialog>

#include <vector>

class QComboBox;

namespace formwick {

inline constexpr const char* kComSelectCaption = "Serial port selection dialog";

class CDlgComSelect : public QDialog {
    Q_OBJECT
public:
    // Lists `ports` and selects the entry of port `current`, or the first
    // entry when that port is not listed. Without ports nothing is selected
    // and the current port stays.
    CDlgComSelect(std::vector<SerialPortEntry> ports, int current, QWidget* parent = nullptr);

    // The chosen port number.
    int port() const { return port_; }
    QComboBox* list() const { return list_; }

private:
    std::vector<SerialPortEntry> ports_;
    int port_;
    QComboBox* list_;
};

} // namespace formwick
