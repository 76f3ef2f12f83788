#include "shell/transmitter.h"

#include "comm/posix_transfer.h"
#include "shell/serial_ports.h"

#include <QElapsedTimer>

#include <algorithm>

namespace formwick {

namespace {
constexpr int kCloseDrainMs = 2000;
} // namespace

bool QtSerialLink::open(const std::string& device, int baud, std::string& error) {
    port_.setPortName(QString::fromStdString(device));
    if (!port_.open(QIODevice::ReadWrite)) {
        error = port_.errorString().toStdString();
        return false;
    }
    if (!port_.setBaudRate(baud) || !port_.setDataBits(QSerialPort::Data8) || !port_.setParity(QSerialPort::NoParity) ||
        !port_.setStopBits(QSerialPort::OneStop) || !port_.setFlowControl(QSerialPort::NoFlowControl)) {
        error = "the port refuses 8N1 at " + std::to_string(baud) + " baud: " + port_.errorString().toStdString();
        port_.close();
        return false;
    }
    return true;
}

bool QtSerialLink::write(std::span<const std::uint8_t> bytes, std::string& error) {
    const qint64 n = port_.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size()));
    if (n != static_cast<qint64>(bytes.size())) {
        error = port_.errorString().toStdString();
        return false;
    }
    return true;
}

void QtSerialLink::close() {
    if (!port_.isOpen()) return;
    QElapsedTimer waited;
    waited.start();
    while (port_.bytesToWrite() > 0 && waited.elapsed() < kCloseDrainMs)
        if (!port_.waitForBytesWritten(static_cast<int>(kCloseDrainMs - waited.elapsed()))) break;
    port_.close();
}

Transmitter::Transmitter(QObject* parent, LoaderSettings settings)
    : QObject(parent), loader_(link_, *this, settings) {
    tick_.setSingleShot(true);
    connect(&tick_, &QTimer::timeout, this, [this] {
        if (loader_.running()) loader_.tick(steady_now());
        rearm();
    });
    connect(&port_, &QSerialPort::readyRead, this, &Transmitter::on_ready_read);
    connect(&port_, &QSerialPort::errorOccurred, this, &Transmitter::on_error);
}

Transmitter::~Transmitter() {
    // Tells the receiver at once; the rest of the abort's wait is not kept.
    if (loader_.running()) loader_.abort(steady_now());
    link_.close();
}

bool Transmitter::transmit(int port, const QString& path) {
    if (loader_.running()) return false;
    device_ = device_for_port(port, deviceFolder_).toStdString();
    loader_.set_port(device_);
    loader_.set_path(path.toStdString());
    const bool started = loader_.start(steady_now());
    rearm();
    return started;
}

void Transmitter::abort() {
    if (!loader_.running()) return;
    loader_.abort(steady_now());
    rearm();
}

void Transmitter::loader_event(const LoaderEvent& event) {
    emit progress(event.position, static_cast<int>(event.status), QString::fromStdString(event.text));
}

void Transmitter::on_ready_read() {
    const QByteArray bytes = port_.readAll();
    if (!loader_.running()) return;
    loader_.receive(std::span(reinterpret_cast<const std::uint8_t*>(bytes.constData()), bytes.size()), steady_now());
    rearm();
}

void Transmitter::on_error(QSerialPort::SerialPortError error) {
    // Failures to open are the loader's to report (its open() returns them).
    if (error == QSerialPort::NoError || error == QSerialPort::TimeoutError || !port_.isOpen()) return;
    if (!loader_.running()) return;
    loader_.link_failed(port_.errorString().toStdString());
    rearm();
}

void Transmitter::rearm() {
    if (!loader_.running()) {
        tick_.stop();
        return;
    }
    const auto wait = loader_.deadline() - steady_now();
    tick_.start(static_cast<int>(std::clamp<long long>(wait.count(), 0, 60000)));
}

} // namespace formwick
