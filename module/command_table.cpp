#include "module/command_table.h"

namespace {

// Flags 3 and no string resources in every row; rows are added as their handlers land.
constexpr CommandRow kCommandTable[] = {
    {nullptr, nullptr, nullptr, 0, nullptr, nullptr, -1},  // placeholder until the first handler lands
};

}  // namespace

std::span<const CommandRow> CommandTable() {
    return std::span<const CommandRow>(kCommandTable).subspan(1);
}
