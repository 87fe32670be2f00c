// VxDbObjectId: the host's id of a database object.
//
// Ids are never reused within one run of the host. The 64-bit integer form round-trips:
// fromInt64(id.asInt64()) == id. An integer that names no object is a valid id value
// all the same; opening it answers Vx::eUnknownHandle.
#pragma once

#include <cstdint>

class VxDbObjectId {
  public:
    constexpr VxDbObjectId() = default;
    static constexpr VxDbObjectId fromInt64(std::uint64_t value) { return VxDbObjectId(value); }

    static const VxDbObjectId kNull;

    constexpr bool isNull() const { return value_ == 0; }
    constexpr std::uint64_t asInt64() const { return value_; }
    void setNull() { value_ = 0; }

    friend constexpr bool operator==(VxDbObjectId a, VxDbObjectId b) {
        return a.value_ == b.value_;
    }
    friend constexpr bool operator!=(VxDbObjectId a, VxDbObjectId b) {
        return a.value_ != b.value_;
    }
    friend constexpr bool operator<(VxDbObjectId a, VxDbObjectId b) { return a.value_ < b.value_; }

  private:
    constexpr explicit VxDbObjectId(std::uint64_t value) : value_(value) {}
    std::uint64_t value_ = 0;
};

inline constexpr VxDbObjectId VxDbObjectId::kNull{};
