// The terminal's RAM disk held in memory, for fuzz targets: no system call
// per read, and a fresh disk for every input. Names resolve without regard
// to case, as on the terminal; names that could leave a folder are refused
// like the real RAM disk refuses them.
#pragma once

#include "runtime/services/terminal.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace formwick::fuzz {

class MemoryFiles final : public FileService {
public:
    void put(std::string_view name, std::string_view bytes);
    // The file's bytes, or null when there is none.
    const std::string* get(std::string_view name) const;

    int open(const char* name, int mode) override;
    long long read(int handle, void* buffer, long long count) override;
    long long write(int handle, const void* buffer, long long count) override;
    long long seek(int handle, long long offset, int from) override;
    int truncate(int handle, long long size) override;
    int close(int handle) override;
    int remove(const char* name) override;
    int rename(const char* from, const char* to) override;
    long long file_size(const char* name) override;
    std::vector<RamDiskEntry> list() override;

private:
    struct Open {
        std::string key; // empty: the handle is free
        long long position = 0;
    };
    static std::string key_of(std::string_view name);
    Open* handle(int h);

    std::map<std::string, std::string> files_; // upper-case name -> bytes
    std::vector<Open> open_;
};

} // namespace formwick::fuzz
