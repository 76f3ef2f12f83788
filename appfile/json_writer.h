// Writes records into JSON objects; the writing half of the layouts in
// definition_json.cpp.
#pragma once

#include "appfile/json_path.h"
#include "appfile/value_ranges.h"
#include "model/choice_names.h"
#include "model/file_names.h"
#include "model/fixed_text.h"
#include "model/startup.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cstdint>

namespace formwick {

class JsonOut : JsonPath {
public:
    using Json = nlohmann::ordered_json;
    explicit JsonOut(Json& root) : cur_(&root) { root = Json::object(); }

    template <class T> void integer(std::string_view key, const T& v, ValueRange) { put(key, static_cast<long long>(v)); }
    template <class T> void flag(std::string_view key, const T& v) { put(key, v != 0); }
    template <std::size_t N> void utf8(std::string_view key, const Text<N>& t) { put(key, checked_utf8(key, text_bytes(t))); }
    template <std::size_t N> void ansi(std::string_view key, const Text<N>& t) { put(key, ansi_to_utf8(text_bytes(t))); }
    void file_name(std::string_view key, const FileName& name);
    // A coded choice by its name; a code without a name stays a number.
    template <class T> void choice(std::string_view key, const T& v, const ChoiceNames& names) {
        std::string_view name = names.name(static_cast<int>(v));
        if (name.empty())
            put(key, static_cast<long long>(v));
        else
            put(key, std::string(name));
    }
    template <class R> void file_names(const R& r) {
        file_name("fileName", r.fileName);
        file_name("indexName", r.indexName);
    }
    template <class D> void record_length_default(const D&) {}
    template <std::size_t N> void picture(std::string_view key, const std::array<std::uint8_t, N>& p) {
        Json j;
        picture_json(at(key), p.data(), N, j);
        put(key, std::move(j));
    }
    template <std::size_t M> void pictures(std::string_view key, const std::array<std::array<std::uint8_t, kMenuImageSize>, M>& ps) {
        Json list = Json::array();
        for (std::size_t i = 0; i < M; ++i) {
            Json j;
            picture_json(index(key, i), ps[i].data(), kMenuImageSize, j);
            list.push_back(std::move(j));
        }
        put(key, std::move(list));
    }
    void custom_font(const CParamStartup& s);
    template <class R, class Fn> void object(std::string_view key, const R& r, Fn fn) {
        Json obj = Json::object();
        nested(at(key), obj, [&] { fn(*this, r); });
        put(key, std::move(obj));
    }
    template <class R, std::size_t M, class Fn> void objects(std::string_view key, const std::array<R, M>& rs, Fn fn) {
        Json list = Json::array();
        for (std::size_t i = 0; i < M; ++i) {
            Json obj = Json::object();
            nested(index(key, i), obj, [&] { fn(*this, rs[i]); });
            list.push_back(std::move(obj));
        }
        put(key, std::move(list));
    }
    // An array of UTF-8 texts; `text` picks the text out of an entry.
    template <class R, std::size_t M, class Pick> void utf8_list(std::string_view key, const std::array<R, M>& rs, Pick text) {
        Json list = Json::array();
        for (std::size_t i = 0; i < M; ++i) list.push_back(checked_utf8(index(key, i), text_bytes(text(rs[i]))));
        put(key, std::move(list));
    }
    template <class L> void language_used_default(const L&) {}
    template <class L> void language_kept(const L&) {}
    template <std::size_t N> void require_text(std::string_view, const Text<N>&) {}

private:
    template <class V> void put(std::string_view key, V&& v) { (*cur_)[std::string(key)] = std::forward<V>(v); }
    template <class Fn> void nested(std::string where, Json& obj, Fn fn) {
        Enter e(*this, std::move(where));
        Json* saved = cur_;
        cur_ = &obj;
        fn();
        cur_ = saved;
    }
    std::string checked_utf8(std::string_view key, std::string_view bytes) const {
        return checked_utf8(at(key), bytes);
    }
    std::string checked_utf8(const std::string& where, std::string_view bytes) const;
    static std::string ansi_to_utf8(std::string_view bytes);
    void picture_json(const std::string& where, const std::uint8_t* p, std::size_t size, Json& out) const;

    Json* cur_;
};

} // namespace formwick
