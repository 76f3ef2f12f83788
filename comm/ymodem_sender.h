// The sending side of a YMODEM batch of one file, as a state machine without
// input or output of its own: the owner feeds it the bytes that come from the
// receiver and the time, sends what take_output() returns, and calls tick()
// when deadline() has passed.
//
//   receiver                    sender
//   'C'                  ->
//                        <-     block 0: name, size
//   ACK 'C'              ->
//                        <-     block 1, 2, ... (each waits for its ACK;
//   ACK                  ->      NAK or no answer sends it again)
//                        <-     EOT
//   NAK (or ACK)         ->     EOT again after a NAK
//   ACK 'C'              ->
//                        <-     empty block 0: the end of the batch
//   ACK                  ->     complete
//
// The end of the batch is sent once the file is acknowledged; a receiver
// that does not confirm it does not make the transfer fail.
//
// Two CANs in a row from the receiver cancel at any point; abort() sends
// CANs so that the receiver stops too. A receiver may miss CANs that arrive
// right behind a block (some drop what follows a block they have read), so
// after an abort the sender lingers: while the receiver goes on answering
// with anything but CAN, it sends the CANs again (a few times), and it ends
// once the receiver has been silent for `abort_linger`. Every wait has a time-out: the first
// 'C' may take `start` (the user puts the terminal into receive mode), any
// other answer `answer`; a block is sent at most `tries` times.
//
// A 'C' while an answer to a block is awaited is not taken as a NAK: a
// receiver repeats 'C' while it waits, and a block sent twice on an old 'C'
// would put every later ACK one block out of step.
#pragma once

#include "comm/ymodem_frame.h"

#include <chrono>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace formwick {

using Millis = std::chrono::milliseconds;

struct YmodemTimeouts {
    Millis start{60000};  // until the receiver's first 'C'
    Millis answer{10000}; // until the answer to a block, or the next 'C'
    int tries = 10;       // sends of one block (or waits for one 'C') before giving up
    // Until the receiver confirms the end of the batch. The file is complete
    // once its EOT is acknowledged, and some receivers end without this last
    // ACK, so the wait is short and its time-out is not an error.
    Millis batch_end{500};
    Millis abort_linger{1000}; // see above
};

enum class SenderPhase { Idle, Waiting, Sending, Finishing, Aborting, Ended };

enum class SenderOutcome {
    Running,
    Complete,
    CancelledByReceiver,
    Aborted,
    NoReceiver,   // no 'C' within the start time-out
    NoAnswer,     // the receiver fell silent during the transfer
    Refused,      // a block was refused (NAK) every try
    ChecksumOnly, // the receiver asks for checksum blocks (NAK), which are not sent
    BadName,      // the name cannot go in a header block
};

class YmodemSender {
  public:
    YmodemSender(std::string name, std::vector<std::uint8_t> contents, YmodemTimeouts timeouts = {});

    void start(Millis now);
    void receive(std::span<const std::uint8_t> bytes, Millis now);
    // Acts on a passed deadline; does nothing before it.
    void tick(Millis now);
    // Queues the CANs that stop the receiver and ends the transfer once it
    // is silent (at the latest after a few rounds of abort_linger).
    void abort(Millis now);

    // The bytes to send now, in order; empties the queue.
    ymodem::Bytes take_output();
    // When tick() must be called next (while running).
    Millis deadline() const { return deadline_; }
    bool running() const { return phase_ != SenderPhase::Idle && phase_ != SenderPhase::Ended; }

    SenderPhase phase() const { return phase_; }
    SenderOutcome outcome() const { return outcome_; }
    // Why the transfer failed; empty otherwise.
    const std::string& message() const { return message_; }
    // File bytes the receiver has acknowledged, of size().
    std::size_t acknowledged() const { return acknowledged_; }
    std::size_t size() const { return contents_.size(); }
    const std::string& name() const { return name_; }
    // Blocks sent again so far (after a NAK or a time-out); an EOT repeated
    // after the usual NAK is not counted.
    int resent() const { return resent_; }

  private:
    enum class Await { FirstRequest, HeaderAck, DataRequest, DataAck, EotAck, BatchRequest, BatchAck };

    void on_byte(std::uint8_t byte, Millis now);
    void on_timeout(Millis now);
    void send_cans(Millis now);
    void send_block(Millis now);
    void resend(Millis now, bool refused);
    void after_header(Millis now);
    void next_after_data(Millis now);
    void wait_for(Await what, Millis now);
    void finish(SenderOutcome outcome, std::string message);
    std::string block_label() const;

    std::string name_;
    std::vector<std::uint8_t> contents_;
    YmodemTimeouts timeouts_;

    SenderPhase phase_ = SenderPhase::Idle;
    SenderOutcome outcome_ = SenderOutcome::Running;
    std::string message_;
    Await await_ = Await::FirstRequest;
    ymodem::Bytes current_;  // the block waiting for its answer
    std::size_t block_ = 0;  // its data block number; 0 for headers and EOT
    std::size_t blocks_ = 0; // data blocks of the file
    int tries_ = 0;          // sends of current_ (or waits for a 'C')
    int naks_at_start_ = 0;
    int abort_rounds_ = 0; // CAN rounds sent since the abort
    int resent_ = 0;
    bool last_was_can_ = false;
    std::size_t acknowledged_ = 0;
    Millis deadline_{0};
    ymodem::Bytes output_;
};

} // namespace formwick
