#include "bench/app/data_check.h"

#include "runtime/app/descriptors.h"
#include "runtime/db/index_check.h"
#include "simulator/core/ramdisk/ram_disk.h"

#include <fstream>
#include <sstream>

namespace formwick::bench {

namespace {

// The lines of a file that ends every line in CR LF; a line without its
// CR LF is reported.
std::vector<std::string> read_lines(const std::filesystem::path& path, std::vector<std::string>& findings) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        findings.push_back("cannot read " + path.string());
        return {};
    }
    std::stringstream text;
    text << in.rdbuf();
    const std::string all = text.str();
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < all.size()) {
        const std::size_t end = all.find("\r\n", start);
        if (end == std::string::npos) {
            findings.push_back("the last line of " + path.filename().string() + " has no CR LF");
            lines.push_back(all.substr(start));
            break;
        }
        lines.push_back(all.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

} // namespace

std::vector<std::string> check_data_file(const CParameters& p, const std::filesystem::path& ramdisk,
                                         const std::vector<std::string>& expected) {
    std::vector<std::string> findings;
    const DatabaseDescriptor d = data_descriptor(p.dataFiles[0]);
    const std::vector<std::string> lines = read_lines(ramdisk / d.file_name, findings);
    if (lines.size() != expected.size())
        findings.push_back(std::string(d.file_name) + " holds " + std::to_string(lines.size()) + " lines, expected " +
                           std::to_string(expected.size()));
    for (std::size_t i = 0; i < std::min(lines.size(), expected.size()); ++i)
        if (lines[i] != expected[i]) {
            findings.push_back("line " + std::to_string(i + 1) + " of " + d.file_name + " is \"" + lines[i] +
                               "\", expected \"" + expected[i] + "\"");
            break;
        }

    CRamDisk disk(ramdisk);
    Terminal terminal;
    terminal.files = &disk;
    ScopedServices installed(terminal);
    for (const std::string& f : index_check(d)) findings.push_back(std::string(d.index_name) + ": " + f);
    return findings;
}

} // namespace formwick::bench
