// Rows of a PDM table by the value of one field, so that a where-query comparing a field
// with a literal visits only the rows that can match instead of the whole table. An index is
// built on first use and built anew once its table has changed (the store counts changes).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

#include "sim/pdm/pdm_control.h"

namespace sim::pdm {

class TableIndexes {
  public:
    // The row numbers of table, ascending, whose field holds value (a row without the field
    // holds the empty text). generation is the store's count of table changes.
    std::vector<std::size_t> rowsWith(const std::u16string& tableName, const Table& table,
                                      std::uint64_t generation, const std::u16string& field,
                                      const std::u16string& value);

  private:
    struct Index {
        std::uint64_t generation = 0;
        std::unordered_map<std::u16string, std::vector<std::size_t>> rows;
    };
    std::map<std::pair<std::u16string, std::u16string>, Index> indexes_;
};

}  // namespace sim::pdm
