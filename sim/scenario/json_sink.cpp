#include "sim/scenario/json_sink.h"

#include <array>
#include <charconv>
#include <stdexcept>

#include "sim/host/utf8_text.h"

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
    // Keys are distinct: no need to look for the key among those before it.
    auto& members = parent.get_ref<Json::object_t&>();
    members.emplace_back(key, std::move(value));
    return members.back().second;
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

void JsonBuilder::text(const std::string& key, std::u16string_view value) {
    std::string utf8;
    appendUtf8(value, utf8);
    place(key, Json(std::move(utf8)));
}

void JsonBuilder::text(const std::string& key, std::string_view value) {
    place(key, Json(std::string(value)));
}

void JsonBuilder::integer(const std::string& key, std::int64_t value) {
    place(key, Json(value));
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

void JsonTextWriter::handOnWhenFull() {
    if (buffer_.size() >= kHandOnBytes) {
        handOn();
    }
}

// Nearly every text of a drawing needs no escape and goes as it is; the serializer writes
// the others, so that each is escaped exactly as dump escapes it.
void JsonTextWriter::string(std::string_view utf8) {
    static constexpr std::array<bool, 256> kEscaped = [] {
        std::array<bool, 256> escaped{};
        for (std::size_t c = 0; c < 0x20; ++c) {
            escaped[c] = true;
        }
        escaped['"'] = true;
        escaped['\\'] = true;
        return escaped;
    }();
    for (const char c : utf8) {
        if (kEscaped[static_cast<unsigned char>(c)]) {
            serializer_.dump(Json(std::string(utf8)), false, false, 0);
            return;
        }
    }
    const std::size_t at = buffer_.size();
    buffer_.resize(at + utf8.size() + 2);
    buffer_[at] = '"';
    utf8.copy(buffer_.data() + at + 1, utf8.size());
    buffer_[at + utf8.size() + 1] = '"';
}

void JsonTextWriter::newLine(std::size_t depth, bool comma) {
    // One append for the comma, the line break and the indent: a drawing has millions of
    // lines.
    static const std::string kLines = ",\n" + std::string(2 * 64, ' ');
    const std::size_t length = 1 + 2 * depth;
    if (length + 1 <= kLines.size()) {
        buffer_.append(kLines, comma ? 0 : 1, length + (comma ? 1 : 0));
    } else {
        buffer_.append(comma ? ",\n" : "\n");
        buffer_.append(2 * depth, ' ');
    }
}

void JsonTextWriter::startMember(const std::string& key) {
    if (open_.empty()) {
        return;
    }
    Open& parent = open_.back();
    newLine(open_.size(), parent.members++ > 0);
    if (parent.object) {
        string(key);
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
    handOnWhenFull();
}

void JsonTextWriter::text(const std::string& key, std::u16string_view value) {
    startMember(key);
    utf8_.clear();
    appendUtf8(value, utf8_);
    string(utf8_);
    handOnWhenFull();
}

void JsonTextWriter::text(const std::string& key, std::string_view value) {
    startMember(key);
    string(value);
    handOnWhenFull();
}

void JsonTextWriter::integer(const std::string& key, std::int64_t value) {
    startMember(key);
    char digits[24];
    const auto written = std::to_chars(digits, digits + sizeof digits, value);
    buffer_.append(digits, written.ptr);
    handOnWhenFull();
}

void JsonTextWriter::end() {
    if (open_.empty()) {
        throw std::logic_error("JSON sink: end without begin");
    }
    const Open closed = open_.back();
    open_.pop_back();
    if (closed.members > 0) {
        newLine(open_.size(), false);
    }
    buffer_ += closed.object ? '}' : ']';
    if (open_.empty() || buffer_.size() >= kHandOnBytes) {
        handOn();
    }
}

}  // namespace sim
