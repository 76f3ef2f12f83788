// Reads records out of JSON objects, checking every type and range; the
// reading half of the layouts in definition_json.cpp. A key that is absent
// leaves the field as it is (the target starts from a new definition); the
// first fault throws a JsonRefusal naming its path.
#pragma once

#include "appfile/json_path.h"
#include "appfile/value_ranges.h"
#include "model/choice_names.h"
#include "model/data_file.h"
#include "model/file_names.h"
#include "model/fixed_text.h"
#include "model/language.h"
#include "model/startup.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>
#include <vector>

namespace formwick {

class JsonIn : JsonPath {
public:
    using Json = nlohmann::json;
    explicit JsonIn(const Json& root) : cur_(&root) {}

    // Checks that the root is an object and that no key is left unknown
    // after `fn` has read it.
    template <class Fn> void root(Fn fn) { in_object("", *cur_, [&] { fn(*this); }); }

    template <class T> void integer(std::string_view key, T& v, ValueRange r) {
        if (const Json* j = find(key)) v = static_cast<T>(integer_value(at(key), *j, r));
    }
    template <class T> void flag(std::string_view key, T& v) {
        if (const Json* j = find(key)) v = flag_value(at(key), *j);
    }
    template <std::size_t N> void utf8(std::string_view key, Text<N>& t) {
        if (const Json* j = find(key)) set_text_bytes(t, utf8_value(at(key), *j, N - 1));
    }
    template <std::size_t N> void ansi(std::string_view key, Text<N>& t) {
        if (const Json* j = find(key)) set_text_bytes(t, ansi_value(at(key), *j, N - 1));
    }
    void file_name(std::string_view key, FileName& name);
    // A coded choice: its name (version 2) or its code (version 1).
    template <class T> void choice(std::string_view key, T& v, const ChoiceNames& names) {
        if (const Json* j = find(key)) v = static_cast<T>(choice_value(at(key), *j, names));
    }
    // The file name, then the index name; without an index name it follows
    // from the file name as the model derives it.
    template <class R> void file_names(R& r) {
        file_name("fileName", r.fileName);
        if (cur_->contains("fileName") && !cur_->contains("indexName")) r.setFileName(get_wide(r.fileName));
        file_name("indexName", r.indexName);
    }
    // Without a "recordLength" key, a data file's record length is the one
    // its fields, delimiter, date and time add up to.
    void record_length_default(CParamData& d);
    void set_version(int version) { version_ = version; }
    template <std::size_t N> void picture(std::string_view key, std::array<std::uint8_t, N>& p) {
        if (const Json* j = find(key)) picture_value(at(key), *j, p.data(), N);
    }
    template <std::size_t M> void pictures(std::string_view key, std::array<std::array<std::uint8_t, kMenuImageSize>, M>& ps) {
        if (const Json* j = find(key))
            each(key, *j, M, [&](std::size_t i, const Json& e) { picture_value(index(key, i), e, ps[i].data(), kMenuImageSize); });
    }
    void custom_font(CParamStartup& s);
    template <class R, class Fn> void object(std::string_view key, R& r, Fn fn) {
        if (const Json* j = find(key)) in_object(at(key), *j, [&] { fn(*this, r); });
    }
    template <class R, std::size_t M, class Fn> void objects(std::string_view key, std::array<R, M>& rs, Fn fn) {
        if (const Json* j = find(key))
            each(key, *j, M, [&](std::size_t i, const Json& e) { in_object(index(key, i), e, [&] { fn(*this, rs[i]); }); });
    }
    template <class R, std::size_t M, class Pick> void utf8_list(std::string_view key, std::array<R, M>& rs, Pick text) {
        if (const Json* j = find(key))
            each(key, *j, M, [&](std::size_t i, const Json& e) {
                auto& t = text(rs[i]);
                set_text_bytes(t, utf8_value(index(key, i), e, t.size() - 1));
            });
    }
    template <std::size_t N> void require_text(std::string_view key, const Text<N>& t) {
        if (t[0] == '\0') refuse(at(key), "cannot be empty");
    }
    // Without a "used" key, the language record counts as used when it holds any text.
    void language_used_default(CParamLanguage& l);
    // Refuses translated texts an application file would drop: any text of
    // a record marked not used, and texts beyond the slots the file holds.
    void language_kept(const CParamLanguage& l) const;

private:
    const Json* find(std::string_view key);
    template <class Fn> void in_object(std::string where, const Json& j, Fn fn) {
        if (!j.is_object()) refuse(where, expected("an object", j));
        Enter e(*this, std::move(where));
        const Json* saved = cur_;
        std::vector<std::string> saved_seen = std::move(seen_);
        cur_ = &j;
        seen_.clear();
        fn();
        check_known_keys();
        cur_ = saved;
        seen_ = std::move(saved_seen);
    }
    template <class Fn> void each(std::string_view key, const Json& j, std::size_t most, Fn fn) {
        if (!j.is_array()) refuse(at(key), expected("an array", j));
        if (j.size() > most)
            refuse(at(key), "at most " + std::to_string(most) + " entries, found " + std::to_string(j.size()));
        for (std::size_t i = 0; i < j.size(); ++i) fn(i, j[i]);
    }
    void check_known_keys() const;
    static std::string expected(const char* what, const Json& j);
    long long integer_value(const std::string& where, const Json& j, ValueRange r) const;
    std::uint8_t flag_value(const std::string& where, const Json& j) const;
    int choice_value(const std::string& where, const Json& j, const ChoiceNames& names) const;
    std::string utf8_value(const std::string& where, const Json& j, std::size_t most) const;
    std::string ansi_value(const std::string& where, const Json& j, std::size_t most) const;
    void picture_value(const std::string& where, const Json& j, std::uint8_t* p, std::size_t size);

    const Json* cur_;
    std::vector<std::string> seen_;
    int version_ = 1;
};

} // namespace formwick
