#include "sim/scenario/json_sink.h"

#include <stdexcept>

namespace sim {

using Json = nlohmann::ordered_json;

Json& JsonBuilder::place(const std::string& key, Json&& value) {
    if (open_.empty()) {
        root_ = std::move(value);
        return root_;
    }
    Json& parent = *open_.back();
    if (parent.is_array()) {
        parent.push_back(std::move(value));
        return parent.back();
    }
    Json& member = parent[key];
    member = std::move(value);
    return member;
}

// A pointer into an open container stays valid: nothing is added beside it until it ends.
void JsonBuilder::beginObject(const std::string& key) {
    open_.push_back(&place(key, Json::object()));
}

void JsonBuilder::beginArray(const std::string& key) {
    open_.push_back(&place(key, Json::array()));
}

void JsonBuilder::value(const std::string& key, Json&& value) {
    place(key, std::move(value));
}

void JsonBuilder::end() {
    if (open_.empty()) {
        throw std::logic_error("JSON sink: end without begin");
    }
    open_.pop_back();
}

namespace {

constexpr std::size_t kHandOnBytes = 1 << 20;

}  // namespace

JsonTextWriter::JsonTextWriter(std::ostream& out)
    : out_(out), serializer_(nlohmann::detail::output_adapter<char>(buffer_), ' ') {
    buffer_.reserve(kHandOnBytes + kHandOnBytes / 4);
}

void JsonTextWriter::handOn() {
    out_.write(buffer_.data(), static_cast<std::streamsize>(buffer_.size()));
    buffer_.clear();
}

void JsonTextWriter::newLine(std::size_t depth) {
    buffer_ += '\n';
    buffer_.append(2 * depth, ' ');
}

void JsonTextWriter::startMember(const std::string& key) {
    if (open_.empty()) {
        return;
    }
    Open& parent = open_.back();
    if (parent.members++ > 0) {
        buffer_ += ',';
    }
    newLine(open_.size());
    if (parent.object) {
        serializer_.dump(Json(key), false, false, 0);
        buffer_ += ": ";
    }
}

void JsonTextWriter::beginObject(const std::string& key) {
    startMember(key);
    buffer_ += '{';
    open_.push_back({true, 0});
}

void JsonTextWriter::beginArray(const std::string& key) {
    startMember(key);
    buffer_ += '[';
    open_.push_back({false, 0});
}

void JsonTextWriter::value(const std::string& key, Json&& value) {
    startMember(key);
    // What dump(2) does, starting at the depth the value sits at.
    serializer_.dump(value, true, false, 2, static_cast<unsigned int>(2 * open_.size()));
    if (buffer_.size() >= kHandOnBytes) {
        handOn();
    }
}

void JsonTextWriter::end() {
    if (open_.empty()) {
        throw std::logic_error("JSON sink: end without begin");
    }
    const Open closed = open_.back();
    open_.pop_back();
    if (closed.members > 0) {
        newLine(open_.size());
    }
    buffer_ += closed.object ? '}' : ']';
    if (open_.empty() || buffer_.size() >= kHandOnBytes) {
        handOn();
    }
}

}  // namespace sim
