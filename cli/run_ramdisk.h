// The RAM disk folder of `formwick-cli run`: the folder the user named, or a
// fresh temporary one that goes when the run is over, with the files the
// user asked for copied in.
#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace formwick::cli {

class RunRamDisk {
  public:
    RunRamDisk() = default;
    RunRamDisk(const RunRamDisk&) = delete;
    RunRamDisk& operator=(const RunRamDisk&) = delete;
    // Removes a temporary folder with everything in it; a named one stays.
    ~RunRamDisk();

    // Makes `folder` when missing, or a fresh temporary folder for an empty
    // path. False with the reason on stderr.
    bool prepare(const std::filesystem::path& folder);
    // Copies each host file into the RAM disk under its own name, replacing
    // a file of that name in any case. False with the reason on stderr.
    bool copy_in(const std::vector<std::filesystem::path>& files);

    const std::filesystem::path& folder() const { return folder_; }

  private:
    std::filesystem::path folder_;
    bool temporary_ = false;
};

} // namespace formwick::cli
