#include "module/command_table.h"

#include "module/bom_commands.h"
#include "module/partref_commands.h"
#include "module/update_part_ref_command.h"

namespace {

// Flags 3 and no string resources in every row.
constexpr CommandRow kCommandTable[] = {
    {u"ORBDVMBOM", u"_ORBDBOM", u"ORBDBOM", 3, OnOrbdBom, nullptr, -1},
    {u"ORBDVMBOM", u"_ORBDBOMEXPORT", u"ORBDBOMEXPORT", 3, OnOrbdBomExport, nullptr, -1},
    {u"ORBDVMBOM", u"_ORBDCREATEPARTREF", u"ORBDCREATEPARTREF", 3, OnOrbdCreatePartRef, nullptr,
     -1},
    {u"ORBDVMBOM", u"_ORBDCREATEPARTREF2", u"ORBDCREATEPARTREF2", 3, OnOrbdCreatePartRef2, nullptr,
     -1},
    {u"ORBDVMBOM", u"_ORBDUPDATEPARTREF", u"ORBDUPDATEPARTREF", 3, OnOrbdUpdatePartRef, nullptr,
     -1},
    {u"ORBDVMBOM", u"_ORBDUPDATEPARTREFS", u"ORBDUPDATEPARTREFS", 3, OnOrbdUpdatePartRefs, nullptr,
     -1},
    {u"ORBDVMBOM", u"_ORBDCHANGEPARTREFKEY", u"ORBDCHANGEPARTREFKEY", 3, OnOrbdChangePartRefKey,
     nullptr, -1},
    {u"ORBDVMBOM", u"_ORBDSYNCPARTDATA", u"ORBDSYNCPARTDATA", 3, OnOrbdSyncPartData, nullptr, -1},
    {u"ORBDVMBOM", u"_ORBDCREATEVIRTUALCOMP", u"ORBDCREATEVIRTUALCOMP", 3, OnOrbdCreateVirtualComp,
     nullptr, -1},
};

}  // namespace

std::span<const CommandRow> CommandTable() {
    return kCommandTable;
}
