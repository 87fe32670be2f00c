// KeyedTable: values by integer key, for keys that are mostly dense.
#pragma once

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <vector>

namespace sim {

// Values by integer key, a value-initialised Value standing for none: in a vector while the
// keys are dense, as a drawing's names and a database's ids are, and by hash past that, so
// that a name of 10^15 costs no more than a name of 10.
template <class Value>
class KeyedTable {
  public:
    // False, changing nothing, when key holds a value already.
    bool insert(std::uint64_t key, Value value) {
        if (count_ == 0 && dense_.empty()) {
            base_ = key;
        }
        const bool near = key >= base_ && key - base_ <= kSpread * (count_ + 1) + kSlack;
        if (near || inDense(key)) {
            // A key kept by hash when it lay far may lie in the vector's reach since.
            if (!sparse_.empty() && sparse_.count(key) != 0) {
                return false;
            }
            if (!inDense(key)) {
                dense_.resize(key - base_ + 1);
            }
            Value& slot = dense_[key - base_];
            if (slot != Value()) {
                return false;
            }
            slot = value;
        } else if (!sparse_.try_emplace(key, value).second) {
            return false;
        }
        ++count_;
        return true;
    }
    Value find(std::uint64_t key) const {
        if (inDense(key) && dense_[key - base_] != Value()) {
            return dense_[key - base_];
        }
        const auto found = sparse_.find(key);
        return found != sparse_.end() ? found->second : Value();
    }
    void erase(std::uint64_t key) {
        if (inDense(key) && dense_[key - base_] != Value()) {
            dense_[key - base_] = Value();
            --count_;
        } else {
            count_ -= sparse_.erase(key);
        }
    }

  private:
    // How far from the first key a key may lie and still be kept in the vector: ids of one
    // kind lie a few apart, as other objects are made between them. A vector at most eight
    // slots a value is no larger than a hash's nodes, and a small table stays small.
    static constexpr std::uint64_t kSpread = 8;
    static constexpr std::uint64_t kSlack = 256;

    bool inDense(std::uint64_t key) const { return key >= base_ && key - base_ < dense_.size(); }

    std::uint64_t base_ = 0;
    std::vector<Value> dense_;
    std::unordered_map<std::uint64_t, Value> sparse_;
    std::size_t count_ = 0;
};

}  // namespace sim
