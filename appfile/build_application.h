// Build and load of application files (".HIX").
//
// A builder lives for one command: the caller gives it the path and a sink
// for the messages a person should see. build() writes the whole definition
// as a configuration image in Intel HEX; load() verifies a file completely
// and then reads it back into the definition.
#pragma once

#include "model/messages.h"
#include "model/parameters.h"

#include <cstdint>
#include <filesystem>
#include <vector>

namespace formwick {

// Why the last build or load failed. Some refusals carry no message for a
// person (the file is simply not taken); callers that must say something,
// like the command line, can tell them apart with this.
enum class AppFileFailure {
    None,
    CannotReplace,    // an existing file could not be replaced
    CannotCreate,     // the file could not be created
    WriteFailed,      // writing or closing failed (disk full, ...)
    Unreadable,       // the file could not be read
    NoEndRecord,      // the last line is not the end record
    Damaged,          // a record is damaged or out of place
    HeaderLength,     // the header range does not hold 29 bytes
    NotApplication,   // the header names another kind of file
    OtherVersion,     // another configuration format version
    BlockMissing,     // a block range is empty; the model is partly loaded
};

class CBuildApplication {
public:
    CBuildApplication(std::filesystem::path path, MessageSink& messages);

    // Writes the file; an existing file is replaced only once the new one is
    // complete, so a failed build leaves it as it was.
    bool build(const CParameters& parameters);
    // Reads the file into `parameters`. Every refusal before the first block
    // leaves the model unchanged; an empty block range stops the load with
    // the blocks before it in the model.
    bool load(CParameters& parameters);

    AppFileFailure failure() const { return failure_; }

private:
    bool fail(AppFileFailure why, const char* message = nullptr);

    std::filesystem::path path_;
    MessageSink& messages_;
    std::vector<std::uint8_t> work_; // 8192 bytes and a spare one, cleared before every block
    AppFileFailure failure_ = AppFileFailure::None;
};

} // namespace formwick
