// The place in a JSON definition that the reader or writer is at, spelled
// as messages show it: "forms[2].lines[4].maximum".
#pragma once

#include <string>
#include <string_view>

namespace formwick {

// Thrown inside the JSON reader and writer, caught at their entry points.
struct JsonRefusal {
    std::string message;
};

class JsonPath {
protected:
    std::string at(std::string_view key) const { return path_.empty() ? std::string(key) : path_ + "." + std::string(key); }
    [[noreturn]] void refuse(const std::string& where, const std::string& what) const {
        throw JsonRefusal{(where.empty() ? std::string("definition") : where) + ": " + what};
    }

    // Enters a key or an index for the lifetime of the guard.
    class Enter {
    public:
        Enter(JsonPath& p, std::string next) : p_(p), saved_(std::move(p.path_)) { p_.path_ = std::move(next); }
        ~Enter() { p_.path_ = std::move(saved_); }
        Enter(const Enter&) = delete;
        Enter& operator=(const Enter&) = delete;

    private:
        JsonPath& p_;
        std::string saved_;
    };
    std::string index(std::string_view key, std::size_t i) const { return at(key) + "[" + std::to_string(i) + "]"; }

    std::string path_;
};

} // namespace formwick
