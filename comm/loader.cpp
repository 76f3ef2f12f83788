#include "comm/loader.h"

#include "comm/file_bytes.h"

#include <utility>

namespace formwick {

namespace {

LoaderStatus status_of(SenderOutcome outcome) {
    switch (outcome) {
    case SenderOutcome::Complete:
        return LoaderStatus::Complete;
    case SenderOutcome::Aborted:
        return LoaderStatus::Aborted;
    case SenderOutcome::CancelledByReceiver:
        return LoaderStatus::CancelledByReceiver;
    case SenderOutcome::NoReceiver:
        return LoaderStatus::NoReceiver;
    case SenderOutcome::NoAnswer:
        return LoaderStatus::NoAnswer;
    case SenderOutcome::Refused:
        return LoaderStatus::Refused;
    case SenderOutcome::ChecksumOnly:
    case SenderOutcome::BadName:
    case SenderOutcome::Running:
        break;
    }
    return LoaderStatus::Unsupported;
}

int percent(std::size_t part, std::size_t whole) {
    return whole == 0 ? 0 : static_cast<int>(part * 100 / whole);
}

} // namespace

Loader::Loader(SerialLink& link, LoaderObserver& observer, LoaderSettings settings)
    : link_(link), observer_(observer), settings_(settings) {}

Loader::~Loader() {
    // Going away mid-transfer still stops the receiver; nobody is told.
    if (!sender_) return;
    sender_->abort(Millis{0});
    std::string ignored;
    link_.write(sender_->take_output(), ignored);
    link_.close();
}

bool Loader::start(Millis now) {
    if (running()) return false;
    last_ = {};
    if (path_.empty()) {
        end(LoaderStatus::FileError, "No file to send");
        return false;
    }
    std::vector<std::uint8_t> contents;
    std::string error;
    if (!read_file_bytes(path_, contents, error)) {
        end(LoaderStatus::FileError, "Cannot read " + path_.string() + ": " + error);
        return false;
    }
    auto sender = std::make_unique<YmodemSender>(path_.filename().string(), std::move(contents), settings_.timeouts);
    sender->start(now);
    if (!sender->running()) {
        end(LoaderStatus::Unsupported, sender->message());
        return false;
    }
    if (device_.empty()) {
        end(LoaderStatus::PortError, "No serial port chosen");
        return false;
    }
    if (!link_.open(device_, settings_.baud, error)) {
        end(LoaderStatus::PortError, "Cannot open the serial port " + device_ + ": " + error);
        return false;
    }
    sender_ = std::move(sender);
    after_step();
    return true;
}

void Loader::abort(Millis now) {
    if (!sender_) return;
    sender_->abort(now);
    after_step();
}

void Loader::receive(std::span<const std::uint8_t> bytes, Millis now) {
    if (!sender_) return;
    sender_->receive(bytes, now);
    after_step();
}

void Loader::tick(Millis now) {
    if (!sender_) return;
    sender_->tick(now);
    after_step();
}

void Loader::link_failed(const std::string& reason) {
    if (sender_) end(LoaderStatus::LinkError, "The serial port " + device_ + " failed: " + reason);
}

Millis Loader::deadline() const { return sender_ ? sender_->deadline() : Millis::max(); }

void Loader::after_step() {
    if (!sender_) return;
    const ymodem::Bytes out = sender_->take_output();
    std::string error;
    if (!out.empty() && !link_.write(out, error)) {
        end(LoaderStatus::LinkError, "The serial port " + device_ + " failed: " + error);
        return;
    }
    if (!sender_->running()) {
        const LoaderStatus status = status_of(sender_->outcome());
        std::string text = sender_->message();
        if (status == LoaderStatus::Complete) {
            const std::string sent = sender_->name() + " sent: " + std::to_string(sender_->size()) + " bytes";
            text = text.empty() ? sent : sent + " (" + text + ")";
        }
        end(status, std::move(text));
        return;
    }
    if (sender_->phase() == SenderPhase::Aborting) return; // the final event comes when it ends
    LoaderEvent event = progress_event();
    if (!(event == last_)) emit(std::move(event));
}

LoaderEvent Loader::progress_event() const {
    const YmodemSender& s = *sender_;
    LoaderEvent event;
    event.position = percent(s.acknowledged(), s.size());
    switch (s.phase()) {
    case SenderPhase::Sending:
        event.status = LoaderStatus::Sending;
        event.text = "Sending " + s.name() + ": " + std::to_string(s.acknowledged()) + " of " +
                     std::to_string(s.size()) + " bytes";
        break;
    case SenderPhase::Finishing:
        event.status = LoaderStatus::Finishing;
        event.text = "Ending the transfer of " + s.name();
        break;
    default:
        event.status = LoaderStatus::Waiting;
        event.text = "Waiting for the receiver on " + device_ + " (" + std::to_string(settings_.baud) + " baud)";
        break;
    }
    return event;
}

void Loader::end(LoaderStatus status, std::string text) {
    if (sender_) {
        sender_.reset();
        link_.close();
    }
    LoaderEvent event;
    event.position = status == LoaderStatus::Complete ? 100 : last_.position;
    event.status = status;
    event.text = std::move(text);
    emit(std::move(event));
}

void Loader::emit(LoaderEvent event) {
    last_ = std::move(event);
    // A copy: the observer may start a new transfer, which replaces last_.
    const LoaderEvent shown = last_;
    observer_.loader_event(shown);
}

} // namespace formwick
