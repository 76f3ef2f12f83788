// Transmitter: the loader (comm/loader.h) over a QSerialPort, driven from the
// window thread. Transmit gives it the port number and the path, in that
// order, and starts it; its progress events arrive as `progress` signals;
// abort() stops a running transfer.
#pragma once

#include "comm/loader.h"
#include "comm/serial_link.h"

#include <QObject>
#include <QSerialPort>
#include <QTimer>

namespace formwick {

// The serial link of the loader over a QSerialPort. Opening the port does
// not flush it, so a receiver's request sent just before is kept.
class QtSerialLink final : public SerialLink {
public:
    explicit QtSerialLink(QSerialPort& port) : port_(port) {}
    bool open(const std::string& device, int baud, std::string& error) override;
    bool write(std::span<const std::uint8_t> bytes, std::string& error) override;
    void close() override;

private:
    QSerialPort& port_;
};

class Transmitter final : public QObject, private LoaderObserver {
    Q_OBJECT
public:
    explicit Transmitter(QObject* parent = nullptr, LoaderSettings settings = {});
    ~Transmitter() override;

    // Sends `path` over the port with number `port` (serial_ports.h); the
    // events say how it goes. False when it could not start (its last event
    // says why).
    bool transmit(int port, const QString& path);
    void abort();
    bool running() const { return loader_.running(); }
    // The device the last transmit used.
    const std::string& device() const { return device_; }
    // Where port devices are looked for ("/dev"); tests point it elsewhere.
    void set_device_folder(const QString& folder) { deviceFolder_ = folder; }

signals:
    // One loader event: position 0..100, status (loader_event.h), text.
    void progress(int position, int status, const QString& text);

private:
    void loader_event(const LoaderEvent& event) override;
    void on_ready_read();
    void on_error(QSerialPort::SerialPortError error);
    void rearm();

    QSerialPort port_;
    QtSerialLink link_{port_};
    Loader loader_;
    QTimer tick_;
    QString deviceFolder_ = QStringLiteral("/dev");
    std::string device_;
};

} // namespace formwick
