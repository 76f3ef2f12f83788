// Small helpers of the application file tests: a private folder per test,
// whole-file reads and writes, and the definition as canonical JSON for
// comparing two definitions field by field.
#pragma once

#include "appfile/build_application.h"
#include "appfile/definition_json.h"
#include "appfile/hex_file.h"
#include "appfile/text_file.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace formwick::testing {

class TempDir {
public:
    TempDir() {
        char name[] = "/tmp/formwick-test-XXXXXX";
        path_ = mkdtemp(name);
    }
    ~TempDir() { std::filesystem::remove_all(path_); }
    std::filesystem::path operator/(const std::string& name) const { return path_ / name; }
    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

inline std::string read_file(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

inline void write_file(const std::filesystem::path& path, const std::string& text) {
    std::ofstream(path, std::ios::binary) << text;
}

inline std::string json_of(const CParameters& p) {
    CollectingSink sink;
    std::string text;
    EXPECT_TRUE(definition_to_json(p, text, sink)) << (sink.messages.empty() ? "" : sink.messages[0]);
    return text;
}

// Two definitions are the same when their canonical JSON is; a failure
// shows the first line that differs, not the whole text.
inline ::testing::AssertionResult same_definition(const CParameters& a, const CParameters& b) {
    std::istringstream x(json_of(a)), y(json_of(b));
    std::string lx, ly;
    for (int line = 1;; ++line) {
        bool ex = !std::getline(x, lx), ey = !std::getline(y, ly);
        if (ex && ey) return ::testing::AssertionSuccess();
        if (ex != ey || lx != ly)
            return ::testing::AssertionFailure() << "line " << line << ": " << lx.substr(0, 120) << " | " << ly.substr(0, 120);
    }
}

// Builds `p` at `path`; the test fails on any message.
inline void build_file(const CParameters& p, const std::filesystem::path& path) {
    CollectingSink sink;
    ASSERT_TRUE(CBuildApplication(path, sink).build(p));
    ASSERT_TRUE(sink.messages.empty());
}

inline std::vector<std::string> lines_of(const std::filesystem::path& path) {
    CTextFile file("HIX");
    std::vector<std::string> lines;
    EXPECT_TRUE(file.readAllLines(path, lines));
    return lines;
}

// The verified records of a file Formwick wrote.
inline HexFile hex_of(const std::filesystem::path& path) {
    HexFile hex;
    std::string error;
    EXPECT_TRUE(hex.parse(lines_of(path), error)) << error;
    return hex;
}

// The bytes [start, start + n) of the image in a file.
inline std::vector<std::uint8_t> image_bytes(const HexFile& hex, std::uint32_t start, std::size_t n) {
    std::vector<std::uint8_t> out(n);
    out.resize(hex.collect(start, start + static_cast<std::uint32_t>(n), out));
    return out;
}

} // namespace formwick::testing
