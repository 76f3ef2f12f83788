// What a loader reports while it sends a file: progress events with a
// position, a status and a text. The window that shows them needs only the
// ranges of the status:
//
//   1000..1999  ended as the user wanted (sent, or aborted by the user):
//               the progress window hides itself 5 s later
//   2000..2999  under way: the window stays
//   3000..3999  failed, the text says why: the window stays until the user
//               closes it, so the reason can be read
//
// The position is the percentage (0..100) of the file the receiver has
// acknowledged. Every transfer ends with exactly one event whose status is
// not "under way"; a start that fails gives that event at once.
#pragma once

#include <string>

namespace formwick {

enum class LoaderStatus : int {
    Complete = 1000,
    Aborted = 1001,

    Waiting = 2000,   // the port is open; waiting for the receiver's first request
    Sending = 2001,   // blocks going out; the text counts the bytes acknowledged
    Finishing = 2002, // the file is acknowledged; closing the batch

    FileError = 3000,           // the file is missing, unreadable or not a file
    PortError = 3001,           // the port does not exist, is busy or refuses the settings
    LinkError = 3002,           // the port failed during the transfer
    NoReceiver = 3003,          // no receiver asked for the file in time
    NoAnswer = 3004,            // the receiver fell silent during the transfer
    CancelledByReceiver = 3005, // the receiver sent a cancel
    Refused = 3006,             // the receiver refused a block every try
    Unsupported = 3007,         // the receiver wants a variant that is not sent, or the name cannot be sent
};

inline bool is_under_way(LoaderStatus s) { return static_cast<int>(s) >= 2000 && static_cast<int>(s) < 3000; }
inline bool is_failure(LoaderStatus s) { return static_cast<int>(s) >= 3000; }

struct LoaderEvent {
    int position = 0; // 0..100
    LoaderStatus status = LoaderStatus::Waiting;
    std::string text;

    bool operator==(const LoaderEvent&) const = default;
};

// Receives a loader's events, on the thread that drives the loader. It may
// call the loader's abort() from inside loader_event().
class LoaderObserver {
  public:
    virtual ~LoaderObserver() = default;
    virtual void loader_event(const LoaderEvent& event) = 0;
};

} // namespace formwick
