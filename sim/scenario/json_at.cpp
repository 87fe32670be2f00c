#include "sim/scenario/json_at.h"

#include <algorithm>
#include <limits>

#include "sim/scenario/json_pointer.h"

namespace sim {
namespace {

std::string childPath(const std::string& path, const std::string& token) {
    return jsonPointerChild(path, token);
}

}  // namespace

const JsonAt& JsonAt::requireObject(std::initializer_list<const char*> allowed) const {
    if (!value_.is_object()) {
        fail("expected an object");
    }
    for (const auto& item : value_.items()) {
        const bool known = std::any_of(allowed.begin(), allowed.end(),
                                       [&](const char* key) { return item.key() == key; });
        if (!known) {
            throw ScenarioError(childPath(path_, item.key()), "unknown key \"" + item.key() + "\"");
        }
    }
    return *this;
}

const JsonAt& JsonAt::requireArray() const {
    if (!value_.is_array()) {
        fail("expected an array");
    }
    return *this;
}

JsonAt JsonAt::operator[](const std::string& key) const {
    if (!value_.is_object()) {
        fail("expected an object");
    }
    const auto found = value_.find(key);
    if (found == value_.end()) {
        fail("missing \"" + key + "\"");
    }
    return JsonAt(*found, childPath(path_, key));
}

JsonAt JsonAt::at(std::size_t index) const {
    return JsonAt(value_.at(index), childPath(path_, std::to_string(index)));
}

std::int64_t JsonAt::integer(std::int64_t min, std::int64_t max) const {
    if (!value_.is_number_integer()) {
        fail("expected an integer");
    }
    if (value_.is_number_unsigned() &&
        value_.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
        fail("integer out of range");
    }
    const std::int64_t n = value_.get<std::int64_t>();
    if (n < min || n > max) {
        fail("integer out of range " + std::to_string(min) + ".." + std::to_string(max));
    }
    return n;
}

std::string JsonAt::utf8() const {
    if (!value_.is_string()) {
        fail("expected a string");
    }
    const std::string& text = value_.get_ref<const std::string&>();
    // The host's texts end at a NUL: the rest would be lost on the way to the module.
    if (text.find('\0') != std::string::npos) {
        fail("a text cannot hold a NUL character");
    }
    return text;
}

bool JsonAt::boolean() const {
    if (!value_.is_boolean()) {
        fail("expected true or false");
    }
    return value_.get<bool>();
}

double JsonAt::number() const {
    if (!value_.is_number()) {
        fail("expected a number");
    }
    return value_.get<double>();
}

std::map<std::u16string, std::u16string> JsonAt::textMap() const {
    if (!value_.is_object()) {
        fail("expected an object of texts");
    }
    std::map<std::u16string, std::u16string> texts;
    // A field's place is only spelled out for an error: a drawing has many cells.
    static const std::string kNotText;
    for (const auto& item : value_.items()) {
        const auto field = [&] { return JsonAt(item.value(), childPath(path_, item.key())); };
        if (item.key().find('\0') != std::string::npos) {
            field().fail("a name cannot hold a NUL character");
        }
        const nlohmann::json& value = item.value();
        const std::string& text =
            value.is_string() ? value.get_ref<const std::string&>() : kNotText;
        if (!value.is_string() || text.find('\0') != std::string::npos) {
            field().utf8();  // throws what a text field answers
        }
        texts.insert_or_assign(texts.end(), VxString::fromUtf8(item.key()).str(),
                               VxString::fromUtf8(text).str());
    }
    return texts;
}

}  // namespace sim
