// An open database that closes itself: a run can be stopped while a
// database is open (a message box waits for a key during a search), and
// the stop unwinds through here, so no file stays open after the run.
#pragma once

#include "runtime/db/database.h"

namespace formwick {

class OpenDatabase {
public:
    OpenDatabase() = default;
    OpenDatabase(const OpenDatabase&) = delete;
    OpenDatabase& operator=(const OpenDatabase&) = delete;
    ~OpenDatabase() { close(); }

    int open(const DatabaseDescriptor& d) { return track(db_open(d, handle)); }
    int create(const DatabaseDescriptor& d) { return track(db_create(d, handle)); }
    // 0, or the failure of writing the index back.
    int close() {
        if (!open_) return 0;
        open_ = false;
        return db_close(handle);
    }

    DatabaseHandle handle;

private:
    int track(int r) {
        open_ = r == 0;
        return r;
    }
    bool open_ = false;
};

} // namespace formwick
