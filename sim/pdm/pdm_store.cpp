#include "sim/pdm/pdm_store.h"

namespace sim::pdm {

PdmStore& store() {
    static PdmStore s = [] {
        PdmStore fresh;
        addStandardTables(fresh);
        return fresh;
    }();
    return s;
}

void addStandardTables(PdmStore& s) {
    for (const char16_t* name : {u"Folder_All_Document", u"Folder_All_Part", u"XREF_ELEMENT",
                                 u"Folder_Xref_Child_Part_General"}) {
        s.tables.try_emplace(name);
    }
}

}  // namespace sim::pdm
