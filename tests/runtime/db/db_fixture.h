// A RAM disk in a temporary folder, installed as the terminal's files, and
// small helpers to lay out data files for the database tests.
#pragma once

#include "runtime/db/database.h"
#include "runtime/db/block_cache.h"
#include "runtime/db/index_check.h"
#include "runtime/services/terminal.h"
#include "simulator/core/ramdisk/ram_disk.h"

#include <gtest/gtest.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>
#include <vector>

namespace formwick::test {

inline DatabaseDescriptor csv(const char* file, const char* index, int key_field = 0, int flags = DB_SEPARATED | DB_KEYED,
                              char separator = ',') {
    DatabaseDescriptor d;
    db_set_names(d, file, index);
    d.flags = static_cast<std::uint8_t>(flags | DB_SEPARATED);
    d.record_length = DB_LINE_MAX;
    d.key_field = key_field;
    d.separator = separator;
    return d;
}

// Fixed layout with the given (offset, length) fields; record length counts CR LF.
inline DatabaseDescriptor fixed(const char* file, const char* index, int record_length,
                                std::vector<DatabaseField> fields, int key_field = 0, int flags = DB_KEYED) {
    DatabaseDescriptor d;
    db_set_names(d, file, index);
    d.flags = static_cast<std::uint8_t>(flags & ~DB_SEPARATED);
    d.record_length = record_length;
    d.key_field = key_field;
    for (std::size_t i = 0; i < fields.size() && i < DB_FIELDS; ++i) d.fields[i] = fields[i];
    return d;
}

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        std::string name = std::string(info->test_suite_name()) + "_" + info->name();
        for (char& c : name)
            if (c == '/') c = '_';
        folder = std::filesystem::temp_directory_path() / ("fw_db_" + std::to_string(::getpid()) + "_" + name);
        std::filesystem::remove_all(folder);
        std::filesystem::create_directories(folder);
        disk = std::make_unique<CRamDisk>(folder);
        install(disk.get());
        db_runtime_start();
        db_clear_last_error();
        db_record_position = -1;
    }
    void TearDown() override {
        services_uninstall();
        disk.reset();
        std::filesystem::remove_all(folder);
    }

    void install(FileService* files) {
        Terminal t;
        t.files = files;
        services_install(t);
    }

    void put(const std::string& name, const std::string& text) {
        std::ofstream(folder / name, std::ios::binary) << text;
    }
    std::string get(const std::string& name) {
        std::ifstream in(folder / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    bool exists(const std::string& name) { return std::filesystem::exists(folder / name); }

    // Writes `line` as a new record (or over the record found last).
    int write_line(DatabaseHandle& h, const std::string& line) {
        std::snprintf(db_record, sizeof db_record, "%s", line.c_str());
        return db_write_record(h);
    }

    // The checker's findings joined, for a readable failure.
    static std::string findings(const DatabaseDescriptor& d) {
        std::string all;
        for (const auto& f : index_check(d)) all += f + "\n";
        return all;
    }

    std::filesystem::path folder;
    std::unique_ptr<CRamDisk> disk;
};

} // namespace formwick::test
