#include "display_fixture.h"

#include "simulator/core/display/screen_reader.h"

#include <algorithm>
#include <cstring>

namespace formwick::test {

int MemoryFiles::open(const char* name, int mode) {
    auto it = files.find(name);
    if (it == files.end()) {
        if (!(mode & FILE_CREATE)) return -1;
        it = files.emplace(name, std::vector<std::uint8_t>{}).first;
    }
    if (mode & FILE_TRUNCATE) it->second.clear();
    open_[next_] = Open{name, 0};
    return next_++;
}

long long MemoryFiles::read(int handle, void* buffer, long long count) {
    auto it = open_.find(handle);
    if (it == open_.end()) return -1;
    const auto& data = files[it->second.name];
    const std::size_t n = std::min<std::size_t>(static_cast<std::size_t>(count), data.size() - it->second.position);
    std::memcpy(buffer, data.data() + it->second.position, n);
    it->second.position += n;
    return static_cast<long long>(n);
}

long long MemoryFiles::write(int handle, const void* buffer, long long count) {
    auto it = open_.find(handle);
    if (it == open_.end() || fail_writes) return -1;
    auto& data = files[it->second.name];
    const auto* bytes = static_cast<const std::uint8_t*>(buffer);
    data.insert(data.end(), bytes, bytes + count);
    return count;
}

int MemoryFiles::close(int handle) { return open_.erase(handle) ? 0 : -1; }

long long MemoryFiles::file_size(const char* name) {
    auto it = files.find(name);
    return it == files.end() ? -1 : static_cast<long long>(it->second.size());
}

std::string DisplayTest::art(int x, int y, int w, int h) const {
    std::string out;
    for (int row = y; row < y + h; ++row) {
        for (int col = x; col < x + w; ++col) out += display.is_dark(col, row) ? '#' : '.';
        out += '\n';
    }
    return out;
}

std::vector<std::string> DisplayTest::text() {
    display.refresh();
    return read_screen_text(compose_screen(display), display.font(), st().textYOffset);
}

} // namespace formwick::test
