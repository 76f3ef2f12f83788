#include "comm/ymodem_sender.h"

#include <utility>

namespace formwick {

using namespace ymodem;

namespace {

constexpr int kCansOnAbort = 8; // more than the two a receiver needs, in case some are lost
constexpr int kAbortRounds = 3;

std::string seconds(Millis t) {
    const auto ms = t.count();
    if (ms % 1000 == 0) return std::to_string(ms / 1000) + " s";
    return std::to_string(ms) + " ms";
}

} // namespace

YmodemSender::YmodemSender(std::string name, std::vector<std::uint8_t> contents, YmodemTimeouts timeouts)
    : name_(std::move(name)), contents_(std::move(contents)), timeouts_(timeouts),
      blocks_(data_block_count(contents_.size())) {
    if (timeouts_.tries < 1) timeouts_.tries = 1;
}

void YmodemSender::start(Millis now) {
    if (phase_ != SenderPhase::Idle) return;
    current_ = header_block(name_, contents_.size());
    if (current_.empty()) {
        phase_ = SenderPhase::Ended;
        finish(SenderOutcome::BadName, "The file name \"" + name_ + "\" cannot be sent");
        return;
    }
    phase_ = SenderPhase::Waiting;
    await_ = Await::FirstRequest;
    deadline_ = now + timeouts_.start;
}

void YmodemSender::receive(std::span<const std::uint8_t> bytes, Millis now) {
    for (std::uint8_t byte : bytes) {
        if (!running()) return;
        on_byte(byte, now);
    }
}

void YmodemSender::tick(Millis now) {
    if (running() && now >= deadline_) on_timeout(now);
}

void YmodemSender::abort(Millis now) {
    if (!running() || phase_ == SenderPhase::Aborting) return;
    phase_ = SenderPhase::Aborting;
    send_cans(now);
}

void YmodemSender::send_cans(Millis now) {
    output_.insert(output_.end(), kCansOnAbort, kCan);
    ++abort_rounds_;
    deadline_ = now + timeouts_.abort_linger;
}

Bytes YmodemSender::take_output() { return std::exchange(output_, {}); }

void YmodemSender::on_byte(std::uint8_t byte, Millis now) {
    if (phase_ == SenderPhase::Aborting) {
        // Anything but a CAN shows the receiver has not taken the cancel.
        if (byte != kCan && abort_rounds_ < kAbortRounds) send_cans(now);
        return;
    }
    if (byte == kCan) {
        if (last_was_can_) {
            finish(SenderOutcome::CancelledByReceiver, "The receiver cancelled the transfer");
            return;
        }
        last_was_can_ = true;
        return;
    }
    last_was_can_ = false;

    switch (await_) {
    case Await::FirstRequest:
        if (byte == kCrcRequest) {
            phase_ = SenderPhase::Sending;
            await_ = Await::HeaderAck;
            tries_ = 0;
            send_block(now);
        } else if (byte == kNak && ++naks_at_start_ >= timeouts_.tries) {
            finish(SenderOutcome::ChecksumOnly,
                   "The receiver asks for checksum blocks; only CRC-16 blocks are sent");
        }
        return;
    case Await::HeaderAck:
        if (byte == kAck)
            wait_for(Await::DataRequest, now);
        else if (byte == kNak)
            resend(now, true);
        return;
    case Await::DataRequest:
        if (byte == kCrcRequest) after_header(now);
        return;
    case Await::DataAck:
        if (byte == kAck) {
            const DataBlock b = data_block(block_, contents_.size());
            acknowledged_ = b.offset + b.size;
            next_after_data(now);
        } else if (byte == kNak) {
            resend(now, true);
        }
        return;
    case Await::EotAck:
        if (byte == kAck) {
            phase_ = SenderPhase::Finishing;
            wait_for(Await::BatchRequest, now);
        } else if (byte == kNak) {
            resend(now, true);
        }
        return;
    case Await::BatchRequest:
        if (byte == kCrcRequest) {
            current_ = end_of_batch_block();
            await_ = Await::BatchAck;
            tries_ = 0;
            send_block(now);
            deadline_ = now + timeouts_.batch_end;
        }
        return;
    case Await::BatchAck:
        if (byte == kAck)
            finish(SenderOutcome::Complete, "");
        else if (byte == kNak && tries_ < timeouts_.tries) {
            resend(now, true);
            deadline_ = now + timeouts_.batch_end;
        }
        return;
    }
}

void YmodemSender::on_timeout(Millis now) {
    if (phase_ == SenderPhase::Aborting) {
        finish(SenderOutcome::Aborted, "Transfer aborted");
        return;
    }
    switch (await_) {
    case Await::FirstRequest:
        finish(SenderOutcome::NoReceiver, "No answer from the receiver within " + seconds(timeouts_.start) +
                                              (naks_at_start_ > 0 ? " (it asks for checksum blocks, which are not sent)"
                                                                  : ": is it waiting for a file?"));
        return;
    case Await::DataRequest:
        if (++tries_ >= timeouts_.tries) {
            finish(SenderOutcome::NoAnswer, "The receiver stopped answering after the file header (no answer for " +
                                                std::to_string(tries_) + " x " + seconds(timeouts_.answer) + ")");
            return;
        }
        deadline_ = now + timeouts_.answer;
        return;
    case Await::BatchRequest:
    case Await::BatchAck:
        // The file was acknowledged with its EOT, so it is complete on the
        // receiver even when the end of the batch is not confirmed.
        finish(SenderOutcome::Complete, "");
        return;
    case Await::HeaderAck:
    case Await::DataAck:
    case Await::EotAck:
        resend(now, false);
        return;
    }
}

void YmodemSender::send_block(Millis now) {
    output_.insert(output_.end(), current_.begin(), current_.end());
    ++tries_;
    deadline_ = now + timeouts_.answer;
}

void YmodemSender::resend(Millis now, bool refused) {
    if (tries_ >= timeouts_.tries) {
        const std::string sent = block_label() + " sent " + std::to_string(tries_) + " times";
        if (refused)
            finish(SenderOutcome::Refused, "The receiver refused the transfer: " + sent + ", refused each time");
        else
            finish(SenderOutcome::NoAnswer, "The receiver stopped answering: " + sent + ", no answer within " +
                                                seconds(timeouts_.answer) + " each time");
        return;
    }
    if (await_ != Await::EotAck) ++resent_;
    send_block(now);
}

void YmodemSender::after_header(Millis now) {
    block_ = 0;
    next_after_data(now);
}

void YmodemSender::next_after_data(Millis now) {
    tries_ = 0;
    if (block_ == blocks_) {
        current_ = {kEot};
        block_ = 0;
        await_ = Await::EotAck;
        send_block(now);
        return;
    }
    ++block_;
    const DataBlock b = data_block(block_, contents_.size());
    current_ = frame_block(static_cast<std::uint8_t>(block_ & 0xFF), contents_.data() + b.offset, b.size,
                           b.block_size, kPad);
    await_ = Await::DataAck;
    send_block(now);
}

void YmodemSender::wait_for(Await what, Millis now) {
    await_ = what;
    tries_ = 0;
    deadline_ = now + timeouts_.answer;
}

void YmodemSender::finish(SenderOutcome outcome, std::string message) {
    outcome_ = outcome;
    message_ = std::move(message);
    phase_ = SenderPhase::Ended;
}

std::string YmodemSender::block_label() const {
    switch (await_) {
    case Await::HeaderAck:
        return "the file header";
    case Await::EotAck:
        return "the end of the file";
    case Await::BatchAck:
        return "the end of the batch";
    default:
        return "block " + std::to_string(block_);
    }
}

} // namespace formwick
