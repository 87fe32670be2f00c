// PartRefOpTest: the parts-list fixture with what the part-reference operations need on top:
// typed input, the PDM's part records and the part references the module placed.
#pragma once

#include <string>
#include <vector>

#include "host/vx_db.h"
#include "host/vxm_partref.h"
#include "sim/host/command_line.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

inline constexpr const char16_t* kText50 = u"Position of the part reference: ";

class PartRefOpTest : public BomTest {
  protected:
    void SetUp() override {
        BomTest::SetUp();
        sim::pdm::setCatalogueText(u"VM2050", kText50);
        sim::pdm::setTable(u"Folder_All_Document",
                           {{{u"ORBKEY", u"D7"}, {u"IDENT", u"4711"}, {u"DESCR", u"Washer"}},
                            {{u"ORBKEY", u"D8"}, {u"IDENT", u"4712"}, {u"DESCR", u"Bolt"}}});
        sim::pdm::setTable(
            u"Folder_All_Part",
            {{{u"ORBKEY", u"P1"},
              {u"IDENT", u"4711"},
              {u"REVISION", u"B"},
              {u"DESCR", u"Washer B"}},
             {{u"ORBKEY", u"P2"}, {u"IDENT", u"4713"}, {u"REVISION", u""}, {u"DESCR", u"Nut"}}});
    }

    void Type(std::u16string_view text) { sim::typeText(text); }

    // Model-space entities added since the fixture's drawing was set up, in order.
    std::vector<VxDbObjectId> ModelSpaceEntities() {
        return db().entitiesOf(db().modelSpaceId(), false);
    }
    VxmPartRef* PartRef(VxDbObjectId id) { return dynamic_cast<VxmPartRef*>(db().lookup(id)); }
    VxmStringMap PartDataOf(VxDbObjectId partRef) {
        const VxDbObjectId entry = sim::partRefDataEntry(db(), partRef);
        return entry.isNull() ? VxmStringMap{} : sim::dataEntryData(db(), entry);
    }
    // The mapping sections the part-reference operations read.
    void UseStandardMapping() {
        UseMapping({"[KORDANEPartRefToVexa]", "ORBD_PARTNO=@(IDENT:t)", "DESCRIPTION=@(DESCR:t)",
                    "[KORDANEProductToVexa]", "ORBD_PARTNO=@(IDENT:t)", "DESCRIPTION=@(DESCR:t)",
                    "[KORDANEVirtualCompToVEXA]", "DESCRIPTION=@(DESCR:t)",
                    "[KORDANEPartDataToVexa]", "TITLE=@(DESCR:t)"});
    }
};
