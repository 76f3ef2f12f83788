#include "cli/definition_files.h"

#include "appfile/build_application.h"
#include "appfile/definition_json.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

namespace formwick::cli {

void StderrSink::error(std::string_view message) {
    std::fprintf(stderr, "%.*s\n", static_cast<int>(message.size()), message.data());
}

namespace {

void refuse(const std::filesystem::path& path, const std::string& why) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), why.c_str());
}

// The loader refuses some files without a message of its own; say why.
void explain(const std::filesystem::path& path, AppFileFailure failure) {
    switch (failure) {
    case AppFileFailure::NoEndRecord: refuse(path, "not an application file: the last line is not the end record"); break;
    case AppFileFailure::HeaderLength: refuse(path, "not an application file: no 29-byte application header"); break;
    case AppFileFailure::BlockMissing: refuse(path, "incomplete application file: a block of the image is missing"); break;
    default: break;
    }
}

bool looks_like_json(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t\r\n");
    return first != std::string::npos && text[first] == '{';
}

} // namespace

bool load_definition(const std::filesystem::path& path, CParameters& parameters) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        refuse(path, std::strerror(errno));
        return false;
    }
    std::ostringstream content;
    content << in.rdbuf();
    std::string text = content.str();
    StderrSink sink;
    if (looks_like_json(text)) {
        if (definition_from_json(text, parameters, sink)) return true;
        return false;
    }
    CParameters loaded = parameters;
    CBuildApplication builder(path, sink);
    if (!builder.load(loaded)) {
        explain(path, builder.failure());
        return false;
    }
    parameters = std::move(loaded);
    return true;
}

bool build_definition(const CParameters& parameters, const std::filesystem::path& path) {
    StderrSink sink;
    return CBuildApplication(path, sink).build(parameters);
}

bool write_text(const std::filesystem::path& path, const std::string& text) {
    if (path.empty()) {
        std::fwrite(text.data(), 1, text.size(), stdout);
        return std::fflush(stdout) == 0;
    }
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << text;
    out.close();
    if (!out) {
        refuse(path, std::string("cannot write: ") + std::strerror(errno));
        return false;
    }
    return true;
}

} // namespace formwick::cli
