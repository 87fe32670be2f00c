// JsonAt: a value of a scenario document together with its JSON pointer, so that every
// check can name the offending place when it throws sim::ScenarioError.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <map>
#include <string>

#include <nlohmann/json.hpp>

#include "host/vx_string.h"
#include "sim/scenario/scenario_error.h"

namespace sim {

class JsonAt {
  public:
    JsonAt(const nlohmann::json& value, std::string path) : value_(value), path_(std::move(path)) {}

    const nlohmann::json& value() const { return value_; }
    const std::string& path() const { return path_; }
    [[noreturn]] void fail(const std::string& message) const {
        throw ScenarioError(path_, message);
    }

    // Requires an object whose keys are all among allowed.
    const JsonAt& requireObject(std::initializer_list<const char*> allowed) const;
    const JsonAt& requireArray() const;
    bool has(const char* key) const { return value_.contains(key); }
    // A member that must be present.
    JsonAt operator[](const std::string& key) const;
    JsonAt at(std::size_t index) const;
    std::size_t size() const { return value_.size(); }

    std::int64_t integer(std::int64_t min, std::int64_t max) const;
    std::string utf8() const;
    VxString text() const { return VxString::fromUtf8(utf8()); }
    bool boolean() const;
    double number() const;
    // An object of texts: part data and cells.
    std::map<std::u16string, std::u16string> textMap() const;

  private:
    const nlohmann::json& value_;
    std::string path_;
};

}  // namespace sim
