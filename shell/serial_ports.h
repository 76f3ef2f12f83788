// The serial ports of this machine, numbered the way the settings keep them
// ("COM" is a number). The numbering is fixed by the device's name, so a
// port keeps its number whatever else is plugged in:
//
//   ttyS<k>     port k + 1      (ttyS0 is COM1)
//   ttyUSB<k>   port 101 + k    (USB serial adapters)
//   ttyACM<k>   port 201 + k    (USB modems and many terminal cradles)
//   ttyAMA<k>   port 301 + k    (on-board ports of ARM boards)
//   rfcomm<k>   port 401 + k    (Bluetooth serial links)
//
// for k from 0 to 99. Other devices have no number and are not listed.
//
// A device outside this numbering (a pseudo-terminal, a /dev/serial/by-id
// name) gets a number through a link "COM<n>" to it in the user's port
// folder, ~/.config/Formwick/ports; a link takes the place of the fixed
// device with the same number.
#pragma once

#include <QString>

#include <vector>

namespace formwick {

struct SerialPortEntry {
    int number = 0;       // 1 and up
    QString friendlyName; // may be empty: the list then shows "COM<number>"
};

// The port number of a device name ("ttyUSB0" or "/dev/ttyUSB0"); 0 when
// it has none.
int port_number_for_device(const QString& device);
// The user's folder of port links.
QString port_links_folder();
// The device of a port number: its link in `links`, else the fixed device
// under `dev_folder` ("/dev/ttyS2" for 3); empty when the number names none.
QString device_for_port(int number, const QString& dev_folder = QStringLiteral("/dev"),
                        const QString& links = port_links_folder());
// The entries of the links "COM<n>" in `links`, listed as "COMn (TARGET)".
std::vector<SerialPortEntry> linked_port_entries(const QString& links);

struct SerialDevice {
    QString name;        // "ttyUSB0"
    QString description; // the driver's or the adapter's own description, may be empty
};

// The entries of these devices, sorted by port number (stable). A device
// with a description is listed as "DESCRIPTION (COMn, /dev/NAME)".
std::vector<SerialPortEntry> serial_port_entries(const std::vector<SerialDevice>& devices);
// The entries of the ports present (QSerialPortInfo) and of the user's
// links, sorted by number.
std::vector<SerialPortEntry> enumerate_serial_ports();

// What the port list shows for an entry.
QString port_entry_text(const SerialPortEntry& entry);

} // namespace formwick
