#include <gtest/gtest.h>

#include "bom/transfer_guards.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

namespace {

using TransferGuardsTest = BomTest;

TEST_F(TransferGuardsTest, StructureGuardRefusesOnlyA2DStructureWithoutPermission) {
    struct Case {
        bool structure2d;
        std::u16string setting;
        std::int32_t expected;
    };
    const Case cases[] = {{false, u"0", 0}, {false, u"", 0},  {true, u"1", 0},
                          {true, u"0", 1},  {true, u"1 ", 1}, {true, u"", 1}};
    for (const Case& c : cases) {
        sim::setStructure2d(db(), c.structure2d);
        sim::pdm::setSetting(u"BOMTransferFor2DStructure", c.setting);
        sim::pdm::clearLog();
        const std::size_t alertsBefore = Alerts().size();
        BomContext context{};
        EXPECT_EQ(CheckStructureTransfer(context), c.expected)
            << "2D " << c.structure2d << ", setting '" << VxString(c.setting).toUtf8() << "'";
        EXPECT_EQ(PdmExpressions(),
                  (std::vector<std::u16string>{u"#(Appl:BOMTransferFor2DStructure)"}));
        EXPECT_EQ(Alerts().size() - alertsBefore, static_cast<std::size_t>(c.expected));
    }
    EXPECT_EQ(Alerts().back(), kTextVX16303);
}

TEST_F(TransferGuardsTest, LocateBomFindsTheListAndAsksForThePdmPart) {
    BomContext none{};
    EXPECT_EQ(LocateBom(none), -1) << "no parts list";

    const VxDbObjectId list = partsList();
    const std::pair<std::u16string, std::int32_t> answers[] = {
        {u"1", 0}, {u"1 and more", 0}, {u"0", -2}, {u"", -2}, {u" 1", -2}};
    for (const auto& [hasPart, expected] : answers) {
        sim::pdm::setHasPart(hasPart);
        BomContext context{};
        EXPECT_EQ(LocateBom(context), expected) << VxString(hasPart).toUtf8();
        EXPECT_EQ(context.bomId, list);
    }

    // getBom knows no current list; findBom finds model space's.
    sim::setCurrentPartsList(db(), VxDbObjectId::kNull);
    sim::pdm::setHasPart(u"1");
    BomContext found{};
    EXPECT_EQ(LocateBom(found), 0);
    EXPECT_EQ(found.bomId, list);
}

}  // namespace
