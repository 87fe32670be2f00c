// A map of texts kept as one block of bytes. A drawing holds one for every parts-list row and
// part reference; as a map of strings each would cost some forty allocations and twice the
// memory, and most texts are Latin-1, which one byte a code unit holds.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <utility>

#include "host/vxm_bom.h"

namespace sim {

class PackedTexts {
  public:
    PackedTexts() = default;
    explicit PackedTexts(const VxmStringMap& map);
    // The texts of a map, given as its pairs in name order, each name once.
    using Pair = std::pair<std::u16string, std::u16string>;
    explicit PackedTexts(std::span<const Pair* const> byName);

    VxmStringMap map() const;
    bool empty() const { return packed_.empty(); }
    // Calls visit(name, value) for each text in name order; the two strings are reused
    // between calls.
    template <class Visit>
    void forEach(Visit&& visit) const {
        std::u16string name;
        std::u16string value;
        for (std::size_t at = 0; at < packed_.size();) {
            take(at, name);
            take(at, value);
            visit(static_cast<const std::u16string&>(name),
                  static_cast<const std::u16string&>(value));
        }
    }

    // Equal maps pack alike: the width is the map's, not the order of its making.
    friend bool operator==(const PackedTexts&, const PackedTexts&) = default;

  private:
    // Each text is its length, seven bits a byte, low first, then its code units: one byte
    // each where every unit of the map is below 0x100, else two, low first. A text may hold
    // any code unit, NUL included.
    template <class Texts>
    void pack(const Texts& texts);
    void put(const std::u16string& text);
    void take(std::size_t& at, std::u16string& text) const;

    std::string packed_;
    bool wide_ = false;
};

}  // namespace sim
