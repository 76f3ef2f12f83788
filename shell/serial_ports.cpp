#include "shell/serial_ports.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QSerialPortInfo>

#include <algorithm>
#include <array>

namespace formwick {

namespace {

struct Family {
    const char* prefix;
    int first; // the number of <prefix>0
};

constexpr std::array<Family, 5> kFamilies{{
    {"ttyS", 1},
    {"ttyUSB", 101},
    {"ttyACM", 201},
    {"ttyAMA", 301},
    {"rfcomm", 401},
}};
constexpr int kPerFamily = 100;

void sort_by_number(std::vector<SerialPortEntry>& entries) {
    std::stable_sort(entries.begin(), entries.end(),
                     [](const SerialPortEntry& a, const SerialPortEntry& b) { return a.number < b.number; });
}

} // namespace

int port_number_for_device(const QString& device) {
    static const QRegularExpression pattern(QStringLiteral("^(?:/dev/)?([A-Za-z]+)(\\d{1,2})$"));
    const QRegularExpressionMatch m = pattern.match(device);
    if (!m.hasMatch()) return 0;
    const QString prefix = m.captured(1);
    const int k = m.captured(2).toInt();
    for (const Family& f : kFamilies)
        if (prefix == QLatin1String(f.prefix)) return f.first + k;
    return 0;
}

QString port_links_folder() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QStringLiteral("/Formwick/ports");
}

QString device_for_port(int number, const QString& dev_folder, const QString& links) {
    const QString link = QDir(links).filePath(QStringLiteral("COM%1").arg(number));
    if (number > 0 && QFileInfo(link).isSymLink()) return link;
    for (const Family& f : kFamilies)
        if (number >= f.first && number < f.first + kPerFamily)
            return dev_folder + u'/' + QLatin1String(f.prefix) + QString::number(number - f.first);
    return {};
}

std::vector<SerialPortEntry> serial_port_entries(const std::vector<SerialDevice>& devices) {
    std::vector<SerialPortEntry> entries;
    for (const SerialDevice& d : devices) {
        const int n = port_number_for_device(d.name);
        if (n == 0) continue;
        QString friendly;
        if (!d.description.trimmed().isEmpty())
            friendly = QStringLiteral("%1 (COM%2, /dev/%3)").arg(d.description.trimmed()).arg(n).arg(d.name);
        entries.push_back({n, friendly});
    }
    sort_by_number(entries);
    return entries;
}

std::vector<SerialPortEntry> linked_port_entries(const QString& links) {
    static const QRegularExpression name(QStringLiteral("^COM([1-9]\\d{0,4})$"));
    std::vector<SerialPortEntry> entries;
    for (const QFileInfo& link : QDir(links).entryInfoList(QDir::System | QDir::Files | QDir::NoDotAndDotDot)) {
        const QRegularExpressionMatch m = name.match(link.fileName());
        if (!m.hasMatch() || !link.isSymLink()) continue;
        const int n = m.captured(1).toInt();
        entries.push_back({n, QStringLiteral("COM%1 (%2)").arg(n).arg(link.symLinkTarget())});
    }
    sort_by_number(entries);
    return entries;
}

std::vector<SerialPortEntry> enumerate_serial_ports() {
    std::vector<SerialDevice> devices;
    for (const QSerialPortInfo& info : QSerialPortInfo::availablePorts())
        devices.push_back({info.portName(), info.description()});
    std::vector<SerialPortEntry> entries = serial_port_entries(devices);
    const std::vector<SerialPortEntry> linked = linked_port_entries(port_links_folder());
    std::erase_if(entries, [&linked](const SerialPortEntry& e) {
        return std::any_of(linked.begin(), linked.end(), [&e](const SerialPortEntry& l) { return l.number == e.number; });
    });
    entries.insert(entries.end(), linked.begin(), linked.end());
    sort_by_number(entries);
    return entries;
}

QString port_entry_text(const SerialPortEntry& entry) {
    return entry.friendlyName.isEmpty() ? QStringLiteral("COM%1").arg(entry.number) : entry.friendlyName;
}

} // namespace formwick
