#include "fuzz/common/memory_files.h"

#include "simulator/core/ramdisk/ram_disk.h"

#include <algorithm>
#include <cstring>

namespace formwick::fuzz {

std::string MemoryFiles::key_of(std::string_view name) {
    std::string key(name);
    for (char& c : key)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    return key;
}

void MemoryFiles::put(std::string_view name, std::string_view bytes) { files_[key_of(name)] = std::string(bytes); }

const std::string* MemoryFiles::get(std::string_view name) const {
    auto it = files_.find(key_of(name));
    return it == files_.end() ? nullptr : &it->second;
}

MemoryFiles::Open* MemoryFiles::handle(int h) {
    if (h < 0 || static_cast<std::size_t>(h) >= open_.size() || open_[h].key.empty()) return nullptr;
    return &open_[h];
}

int MemoryFiles::open(const char* name, int mode) {
    if (!ramdisk_name_valid(name)) return -1;
    std::string key = key_of(name);
    auto it = files_.find(key);
    if (it == files_.end()) {
        if (!(mode & FILE_CREATE)) return -1;
        it = files_.emplace(key, std::string()).first;
    }
    if (mode & FILE_TRUNCATE) it->second.clear();
    auto free = std::find_if(open_.begin(), open_.end(), [](const Open& o) { return o.key.empty(); });
    if (free == open_.end()) free = open_.insert(open_.end(), Open{});
    free->key = key;
    free->position = 0;
    return static_cast<int>(free - open_.begin());
}

long long MemoryFiles::read(int h, void* buffer, long long count) {
    Open* o = handle(h);
    if (!o || count < 0) return -1;
    const std::string& bytes = files_[o->key];
    if (o->position >= static_cast<long long>(bytes.size())) return 0;
    long long n = std::min<long long>(count, static_cast<long long>(bytes.size()) - o->position);
    std::memcpy(buffer, bytes.data() + o->position, static_cast<std::size_t>(n));
    o->position += n;
    return n;
}

long long MemoryFiles::write(int h, const void* buffer, long long count) {
    Open* o = handle(h);
    if (!o || count < 0) return -1;
    std::string& bytes = files_[o->key];
    if (o->position + count > static_cast<long long>(bytes.size()))
        bytes.resize(static_cast<std::size_t>(o->position + count), '\0');
    std::memcpy(bytes.data() + o->position, buffer, static_cast<std::size_t>(count));
    o->position += count;
    return count;
}

long long MemoryFiles::seek(int h, long long offset, int from) {
    Open* o = handle(h);
    if (!o) return -1;
    long long base = from == FILE_SEEK_SET ? 0 : from == FILE_SEEK_CUR ? o->position
                                                                       : static_cast<long long>(files_[o->key].size());
    // Far positions are refused so a hostile offset cannot make a write
    // allocate gigabytes.
    if (base + offset < 0 || base + offset > (1LL << 24)) return -1;
    o->position = base + offset;
    return o->position;
}

int MemoryFiles::truncate(int h, long long size) {
    Open* o = handle(h);
    if (!o || size < 0 || size > (1LL << 24)) return -1;
    files_[o->key].resize(static_cast<std::size_t>(size), '\0');
    return 0;
}

int MemoryFiles::close(int h) {
    Open* o = handle(h);
    if (!o) return -1;
    o->key.clear();
    return 0;
}

int MemoryFiles::remove(const char* name) {
    if (!ramdisk_name_valid(name)) return -1;
    return files_.erase(key_of(name)) ? 0 : -1;
}

int MemoryFiles::rename(const char* from, const char* to) {
    if (!ramdisk_name_valid(from) || !ramdisk_name_valid(to)) return -1;
    std::string a = key_of(from), b = key_of(to);
    auto it = files_.find(a);
    if (it == files_.end() || (a != b && files_.count(b))) return -1;
    std::string bytes = std::move(it->second);
    files_.erase(it);
    files_[b] = std::move(bytes);
    return 0;
}

long long MemoryFiles::file_size(const char* name) {
    const std::string* bytes = ramdisk_name_valid(name) ? get(name) : nullptr;
    return bytes ? static_cast<long long>(bytes->size()) : -1;
}

std::vector<RamDiskEntry> MemoryFiles::list() {
    std::vector<RamDiskEntry> entries;
    for (const auto& [name, bytes] : files_) entries.push_back({name, static_cast<long long>(bytes.size()), false});
    return entries;
}

} // namespace formwick::fuzz
