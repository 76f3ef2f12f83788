#include "fake_terminal.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace formwick::testing {

namespace {

struct FontSize {
    int width, height;
};
constexpr FontSize kFonts[5] = {{6, 6}, {8, 8}, {6, 12}, {8, 16}, {12, 24}};

bool same_name(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

} // namespace

FakeDisplay::FakeDisplay() { set_font(3); }

void FakeDisplay::set_font(int font) {
    if (font < 0 || font > 4) font = 3;
    state_.glyphWidth = kFonts[font].width;
    state_.glyphHeight = kFonts[font].height;
    state_.columns = 128 / state_.glyphWidth;
    state_.rows = 128 / state_.glyphHeight;
    state_.wideFont = false;
    fonts.push_back(font);
}

void FakeDisplay::set_custom_font(const std::uint8_t* image, std::size_t size) {
    // Narrow images start with height and width; wide ones carry them at 8194.
    bool wide = size >= 2 && image[0] == 0xFE && image[1] == 0xFE;
    int h = 16, w = 8;
    if (wide && size >= 8196) {
        h = image[8194];
        w = image[8195];
    } else if (!wide && size >= 2) {
        h = image[0];
        w = image[1];
    }
    state_.glyphWidth = w > 0 ? w : 8;
    state_.glyphHeight = h > 0 ? h : 16;
    state_.columns = 128 / state_.glyphWidth;
    state_.rows = 128 / state_.glyphHeight;
    state_.wideFont = wide;
    fonts.push_back(-1);
}

void FakeDisplay::glyph(int code) {
    const int w = state_.glyphWidth, h = state_.glyphHeight;
    const int x = state_.cursorColumn * w;
    const int y = state_.cursorRow * h + state_.textYOffset;
    for (auto it = cells.begin(); it != cells.end();) {
        const int cy = it->first.first, cx = it->first.second;
        bool overlap = cx < x + w && x < cx + it->second.width && cy < y + h && y < cy + it->second.height;
        it = overlap ? cells.erase(it) : std::next(it);
    }
    cells[{y, x}] = Cell{code, state_.reverse, w, h};
}

void FakeDisplay::putc(int code) {
    if (escape_) {
        escape_ = false;
        if (code == 'r') {
            state_.reverse = !state_.reverse;
            return;
        }
    }
    switch (code) {
    case 1: state_.reverse = false; return;
    case 2: state_.reverse = true; return;
    case 7: return;
    case 8:
        if (state_.cursorColumn > 0) --state_.cursorColumn;
        else if (state_.cursorRow > 0) { --state_.cursorRow; state_.cursorColumn = state_.columns - 1; }
        else return;
        glyph(' ');
        return;
    case 9: escape_ = true; return;
    case 10: state_.cursorColumn = 0; if (state_.cursorRow < state_.rows - 1) ++state_.cursorRow; return;
    case 12:
        cells.clear();
        images.clear();
        state_.cursorColumn = state_.cursorRow = 0;
        ++clears;
        return;
    case 13: state_.cursorColumn = 0; return;
    default:
        glyph(code);
        ++state_.cursorColumn;
    }
}

void FakeDisplay::line(int x0, int y0, int x1, int y1, int mode) { lines.push_back({x0, y0, x1, y1, mode}); }

void FakeDisplay::image(int x, int y, ImageView image) {
    if (image.data == nullptr || image.size < 2) return;
    const int w = image.data[0], h = image.data[1];
    for (auto it = cells.begin(); it != cells.end();) {
        const int cy = it->first.first, cx = it->first.second;
        bool covered = cx >= x && cx < x + w && cy >= y && cy < y + h;
        it = covered ? cells.erase(it) : std::next(it);
    }
    images.push_back({x, y, w, h, image.data});
}

int FakeDisplay::save(const char* name) {
    if (fail_save) return -1;
    saved[name] = cells;
    saves.push_back(name);
    return 0;
}

int FakeDisplay::restore(const char* name) {
    auto it = saved.find(name);
    if (it == saved.end()) return -1;
    cells = it->second;
    restores.push_back(name);
    return 0;
}

std::string FakeDisplay::row_view(int y, char (*shown)(const Cell&)) const {
    int step = 0;
    for (const auto& [pos, cell] : cells)
        if (pos.first == y && (step == 0 || cell.width < step)) step = cell.width;
    if (step == 0) return {};
    std::string out(static_cast<std::size_t>(128 / step), ' ');
    for (const auto& [pos, cell] : cells)
        if (pos.first == y && pos.second / step < static_cast<int>(out.size()))
            out[static_cast<std::size_t>(pos.second / step)] = shown(cell);
    return out;
}

std::string FakeDisplay::text_at(int y) const {
    return row_view(y, [](const Cell& c) { return static_cast<char>(c.code); });
}

std::string FakeDisplay::reverse_at(int y) const {
    return row_view(y, [](const Cell& c) { return c.reverse ? '#' : '.'; });
}

std::string FakeDisplay::screen() const {
    std::string out;
    for (int r = 0; r < state_.rows; ++r) {
        std::string line = row(r);
        line.erase(line.find_last_not_of(' ') + 1);
        if (r) out += '\n';
        out += line;
    }
    out.erase(out.find_last_not_of('\n') + 1);
    return out;
}

int FakeKeys::get() {
    if (before_key) before_key();
    while (!script.empty() && script.front().is_barcode) script.pop_front();
    if (script.empty()) throw TerminalStop{};
    int key = script.front().key;
    script.pop_front();
    taken.push_back(key);
    return key;
}

int FakeKeys::get_timeout() {
    if (script.empty()) {
        if (timeouts_left-- > 0) {
            ++timeouts;
            return KEY_NONE;
        }
        throw TerminalStop{};
    }
    return get();
}

int FakeKeys::wait_for(const int* codes, int count) {
    for (;;) {
        int key = get();
        if (std::find(codes, codes + count, key) != codes + count) {
            flush();
            return key;
        }
    }
}

void FakeKeys::flush() { ++flushes; }

// Takes the front key off the queue, as the terminal host does.
int FakeKeys::poll() {
    if (script.empty() || script.front().is_barcode) return KEY_NONE;
    const int key = script.front().key;
    script.pop_front();
    return key;
}

void FakeKeys::wait_ms(int ms) {
    waited_ms += ms;
    // A wait with nothing left to happen would last for ever: end the run.
    if (script.empty()) throw TerminalStop{};
}

int FakeKeys::scanner_read(char* buffer, int max_length) {
    if (!armed || script.empty() || !script.front().is_barcode) return -1;
    std::string code = script.front().barcode;
    script.pop_front();
    if (code.empty() || static_cast<int>(code.size()) > max_length) {
        armed = false;
        return -1;
    }
    std::memcpy(buffer, code.c_str(), code.size() + 1);
    return 0;
}

int FakeSound::count_like(int steps, int volume, std::vector<int> tones) const {
    return static_cast<int>(std::count_if(calls.begin(), calls.end(), [&](const SoundCall& c) {
        return c.steps == steps && c.volume == volume && c.tones == tones;
    }));
}

int FakeClock::set_date(const DateRecord& d) {
    set_calls.push_back(d);
    bool ok = d.year >= 1601 && d.year <= 30827 && d.month >= 1 && d.month <= 12 && d.day >= 1 && d.day <= 31;
    return ok ? 0 : -1;
}

int FakeFiles::open(const char*, int) { return -1; }

int FakeFiles::remove(const char* name) {
    for (const auto& refused : refuse_remove)
        if (same_name(refused, name)) return -1;
    auto it = std::find_if(entries.begin(), entries.end(), [&](const RamDiskEntry& e) { return same_name(e.name, name); });
    if (it == entries.end()) return -1;
    entries.erase(it);
    removed.push_back(name);
    return 0;
}

long long FakeFiles::file_size(const char* name) {
    for (const auto& e : entries)
        if (!e.directory && same_name(e.name, name)) return e.size;
    return -1;
}

bool FakeFiles::exists(const std::string& name) const {
    return std::any_of(entries.begin(), entries.end(), [&](const RamDiskEntry& e) { return same_name(e.name, name); });
}

} // namespace formwick::testing
