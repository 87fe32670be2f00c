#include "sim/mech/packed_texts.h"

#include <stdexcept>

namespace sim {

namespace {

std::size_t packedSize(const std::u16string& name, const std::u16string& value) {
    return 4 + name.size() + value.size();
}

}  // namespace

PackedTexts::PackedTexts(const VxmStringMap& map) {
    std::size_t size = 0;
    for (const auto& [name, value] : map) {
        size += packedSize(name, value);
    }
    packed_.reserve(size);
    for (const auto& [name, value] : map) {
        put(name);
        put(value);
    }
}

PackedTexts::PackedTexts(std::span<const Pair* const> byName) {
    std::size_t size = 0;
    for (const Pair* pair : byName) {
        size += packedSize(pair->first, pair->second);
    }
    packed_.reserve(size);
    for (const Pair* pair : byName) {
        put(pair->first);
        put(pair->second);
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
    if (text.size() > UINT32_MAX) {
        throw std::length_error("a text of more than 2^32 code units");
    }
    const auto length = static_cast<std::uint32_t>(text.size());
    packed_ += static_cast<char16_t>(length >> 16);
    packed_ += static_cast<char16_t>(length & 0xffff);
    packed_ += text;
}

void PackedTexts::take(std::size_t& at, std::u16string& text) const {
    const std::uint32_t length = (static_cast<std::uint32_t>(packed_[at]) << 16) | packed_[at + 1];
    text.assign(packed_, at + 2, length);
    at += 2 + length;
}

}  // namespace sim
