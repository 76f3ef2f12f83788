// The script player alone: a run that does nothing but take `keys` key
// presses, so the cost of handing one key from the player to the runtime
// thread (and waiting for it to wait again) can be set against a session.
#pragma once

#include "bench/app/session_run.h"

namespace formwick::bench {

struct PlayerTimes {
    bool ok = false;
    double wall = 0;
    double cpu = 0; // all threads
};

PlayerTimes run_player_baseline(int keys, MessageSink& sink);

} // namespace formwick::bench
