// Runs formwick-cli as a user does, in a private folder per test: exit
// status, standard output and standard error.
#pragma once

#include "read_whole_file.h"

#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace formwick::test {

class Cli : public ::testing::Test {
protected:
    Cli() {
        char name[] = "/tmp/formwick-cli-XXXXXX";
        dir = mkdtemp(name);
    }
    ~Cli() override { std::filesystem::remove_all(dir); }

    struct Result {
        int status;
        std::string out, err;
    };
    Result run(const std::string& args) {
        std::string command = std::string(FORMWICK_CLI) + " " + args + " >" + (dir / "out").string() + " 2>" +
                              (dir / "err").string();
        int raw = std::system(command.c_str());
        return {WIFEXITED(raw) ? WEXITSTATUS(raw) : -1, read_file(dir / "out"), read_file(dir / "err")};
    }
    std::string at(const std::string& name) const { return (dir / name).string(); }
    void write(const std::string& name, const std::string& text) { std::ofstream(dir / name, std::ios::binary) << text; }

    const std::string example = std::string(FORMWICK_EXAMPLES) + "/stock.json";
    std::filesystem::path dir;
};

} // namespace formwick::test
