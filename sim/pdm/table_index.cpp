#include "sim/pdm/table_index.h"

namespace sim::pdm {

std::vector<std::size_t> TableIndexes::rowsWith(const std::u16string& tableName, const Table& table,
                                                std::uint64_t generation,
                                                const std::u16string& field,
                                                const std::u16string& value) {
    const auto [it, fresh] = indexes_.try_emplace({tableName, field});
    Index& index = it->second;
    if (fresh || index.generation != generation) {
        index.generation = generation;
        index.rows.clear();
        for (std::size_t i = 0; i < table.size(); ++i) {
            const auto found = table[i].find(field);
            index.rows[found == table[i].end() ? std::u16string() : found->second].push_back(i);
        }
    }
    const auto rows = index.rows.find(value);
    return rows == index.rows.end() ? std::vector<std::size_t>() : rows->second;
}

}  // namespace sim::pdm
