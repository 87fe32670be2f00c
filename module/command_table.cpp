#include "module/command_table.h"

#include "module/bom_commands.h"

namespace {

// Flags 3 and no string resources in every row; rows are added as their handlers land.
constexpr CommandRow kCommandTable[] = {
    {u"ORBDVMBOM", u"_ORBDBOM", u"ORBDBOM", 3, OnOrbdBom, nullptr, -1},
    {u"ORBDVMBOM", u"_ORBDBOMEXPORT", u"ORBDBOMEXPORT", 3, OnOrbdBomExport, nullptr, -1},
};

}  // namespace

std::span<const CommandRow> CommandTable() {
    return kCommandTable;
}
