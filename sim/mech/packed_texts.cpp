#include "sim/mech/packed_texts.h"

#include <algorithm>

namespace sim {

namespace {

bool narrow(const std::u16string& text) {
    return std::all_of(text.begin(), text.end(), [](char16_t unit) { return unit < 0x100; });
}

std::size_t lengthBytes(std::size_t length) {
    std::size_t bytes = 1;
    for (; length >= 0x80; length >>= 7) {
        ++bytes;
    }
    return bytes;
}

// A pair as the map holds it, or as the span points at it.
const VxmStringMap::value_type& pairOf(const VxmStringMap::value_type& pair) {
    return pair;
}
const PackedTexts::Pair& pairOf(const PackedTexts::Pair* pair) {
    return *pair;
}

}  // namespace

PackedTexts::PackedTexts(const VxmStringMap& map) {
    pack(map);
}

PackedTexts::PackedTexts(std::span<const Pair* const> byName) {
    pack(byName);
}

template <class Texts>
void PackedTexts::pack(const Texts& texts) {
    std::size_t units = 0;
    std::size_t lengths = 0;
    wide_ = false;
    for (const auto& each : texts) {
        const auto& [name, value] = pairOf(each);
        units += name.size() + value.size();
        lengths += lengthBytes(name.size()) + lengthBytes(value.size());
        wide_ = wide_ || !narrow(name) || !narrow(value);
    }
    packed_.reserve(lengths + units * (wide_ ? 2 : 1));
    for (const auto& each : texts) {
        const auto& [name, value] = pairOf(each);
        put(name);
        put(value);
    }
}

VxmStringMap PackedTexts::map() const {
    VxmStringMap map;
    forEach([&](const std::u16string& name, const std::u16string& value) {
        map.emplace_hint(map.end(), name, value);
    });
    return map;
}

void PackedTexts::put(const std::u16string& text) {
    const std::size_t at = packed_.size();
    packed_.resize(at + lengthBytes(text.size()) + text.size() * (wide_ ? 2 : 1));
    char* out = packed_.data() + at;
    std::size_t length = text.size();
    for (; length >= 0x80; length >>= 7) {
        *out++ = static_cast<char>(0x80 | (length & 0x7f));
    }
    *out++ = static_cast<char>(length);
    if (!wide_) {
        std::transform(text.begin(), text.end(), out,
                       [](char16_t unit) { return static_cast<char>(unit); });
        return;
    }
    for (const char16_t unit : text) {
        *out++ = static_cast<char>(unit & 0xff);
        *out++ = static_cast<char>(unit >> 8);
    }
}

void PackedTexts::take(std::size_t& at, std::u16string& text) const {
    std::size_t length = 0;
    for (int shift = 0;; shift += 7) {
        const auto byte = static_cast<unsigned char>(packed_[at++]);
        length |= static_cast<std::size_t>(byte & 0x7f) << shift;
        if (byte < 0x80) {
            break;
        }
    }
    const auto* units = reinterpret_cast<const unsigned char*>(packed_.data() + at);
    text.resize(length);
    if (!wide_) {
        std::copy(units, units + length, text.begin());
        at += length;
        return;
    }
    for (std::size_t i = 0; i < length; ++i) {
        text[i] = static_cast<char16_t>(units[2 * i] | (units[2 * i + 1] << 8));
    }
    at += 2 * length;
}

}  // namespace sim
