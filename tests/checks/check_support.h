// The checks tests start from one small clean definition (data/clean.json:
// Form 1 asks for a name and saves it into Data 1) and change a few places
// of it, given as JSON pointers and values.
#pragma once

#include "appfile/definition_json.h"
#include "model/messages.h"

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include <fstream>
#include <sstream>
#include <string>

namespace formwick::testing {

struct ThrowingSink final : MessageSink {
    void error(std::string_view message) override { ADD_FAILURE() << message; }
};

inline nlohmann::json clean_json() {
    std::ifstream in(std::string(FORMWICK_TEST_DATA) + "/clean.json");
    return nlohmann::json::parse(in);
}

// The clean definition with `changes` ({"/forms/0/lines/0/minimum": 9, ...}) applied.
inline CParameters changed(const nlohmann::json& changes) {
    nlohmann::json j = clean_json();
    for (const auto& [pointer, value] : changes.items()) j[nlohmann::json::json_pointer(pointer)] = value;
    CParameters p;
    ThrowingSink sink;
    EXPECT_TRUE(definition_from_json(j.dump(), p, sink)) << changes.dump();
    return p;
}

} // namespace formwick::testing
