#include <gtest/gtest.h>

#include "bom/bom_columns.h"
#include "bom/column_definition.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

namespace {

TEST(ColumnDefinition, TokensGiveDisplayVisibilityAndDataType) {
    struct Case {
        std::u16string value;
        std::u16string display;
        bool visible;
        int dataType;
    };
    const Case cases[] = {
        {u"Material", u"Material", true, 0},
        {u"Weight,1,d", u"Weight", true, 2},
        {u"Stock number;0", u"Stock number", false, 0},
        {u"Count|1|I", u"Count", true, 1},
        {u"Note,,,x", u"Note", false, 0},  // a run of separators is one: token 2 is x
        {u";,|Lead,1,D,extra", u"Lead", true, 2},
        {u"Size,1,i", u"Size", true, 1},
        {u"Flag,1,dd", u"Flag", true, 0},
        {u"Open,yes", u"Open", false, 0},
        {u" Spaced ,1", u" Spaced ", true, 0},
    };
    for (const Case& c : cases) {
        const std::optional<ColumnDefinition> definition = ParseColumnDefinition(c.value);
        ASSERT_TRUE(definition) << VxString(c.value).toUtf8();
        EXPECT_EQ(definition->displayText, c.display) << VxString(c.value).toUtf8();
        EXPECT_EQ(definition->visible, c.visible) << VxString(c.value).toUtf8();
        EXPECT_EQ(definition->dataType, c.dataType) << VxString(c.value).toUtf8();
    }
    EXPECT_FALSE(ParseColumnDefinition(u""));
    EXPECT_FALSE(ParseColumnDefinition(u",;|,"));
}

class EnsureBomColumnsTest : public BomTest {
  protected:
    void SetUp() override {
        BomTest::SetUp();
        SetColumns({{u"ITEM", true, 29, 0, u"Item"}, {u"QTY", true, 29, 0, u"Qty"}});
    }
};

TEST_F(EnsureBomColumnsTest, AddsHiddenKeyAndConfiguredColumnsOnce) {
    sim::pdm::setSetting(u"WeightLabel", u"Weight (kg)");
    UseMapping({"[KORDANEFieldsInVexaBOM]", "MATERIAL=#(Appl:Missing",
                "WEIGHT=#(Appl:WeightLabel),1,d", "STOCKNO=Stock number;0", "COUNT=Count|1|I",
                "NOTE=Note,,,x", "EMPTY=", "SEPS=,;|", "QTY=Quantity,0"});
    BomContext context{};
    EXPECT_EQ(EnsureBomColumns(context), 0);
    EXPECT_EQ(context.columnsEnsured, 1);

    // Keys in ordinal order; existing QTY untouched; entries without a token skipped; a
    // display text the PDM cannot evaluate stays as written.
    const std::vector<sim::ColumnSpec> expected = {
        {u"ITEM", true, 29, 0, u"Item"},
        {u"QTY", true, 29, 0, u"Qty"},
        {u"ORBKEY", false, 29, 0, u"ORBKEY"},
        {u"COUNT", true, 29, 1, u"Count"},
        {u"MATERIAL", true, 29, 0, u"#(Appl:Missing"},
        {u"NOTE", false, 29, 0, u"Note"},
        {u"STOCKNO", false, 29, 0, u"Stock number"},
        {u"WEIGHT", true, 29, 2, u"Weight (kg)"},
    };
    EXPECT_EQ(sim::standardColumns(db()), expected);

    // Within the same command nothing is opened again.
    const int opensBefore = sim::checkpointCounts().count("vxdbOpenVxDbObject")
                                ? sim::checkpointCounts().at("vxdbOpenVxDbObject")
                                : 0;
    EXPECT_EQ(EnsureBomColumns(context), 0);
    EXPECT_EQ(sim::checkpointCounts().at("vxdbOpenVxDbObject"), opensBefore);

    // A later command finds everything in place and changes nothing.
    BomContext later{};
    EXPECT_EQ(EnsureBomColumns(later), 0);
    EXPECT_EQ(sim::standardColumns(db()), expected);
}

TEST_F(EnsureBomColumnsTest, WithoutUsableMappingOnlyTheKeyIsEnsured) {
    BomContext context{};
    EXPECT_EQ(EnsureBomColumns(context), 0);  // "BOMIniFile" empty: the file does not load
    UseMapping({"[OTHER]", "A=B"});
    PdmLink::Reset();
    BomContext again{};
    EXPECT_EQ(EnsureBomColumns(again), 0);
    const std::vector<sim::ColumnSpec> expected = {{u"ITEM", true, 29, 0, u"Item"},
                                                   {u"QTY", true, 29, 0, u"Qty"},
                                                   {u"ORBKEY", false, 29, 0, u"ORBKEY"}};
    EXPECT_EQ(sim::standardColumns(db()), expected);
}

TEST_F(EnsureBomColumnsTest, UnopenableStandardAnswersItsStatus) {
    UseMapping({"[KORDANEFieldsInVexaBOM]", "MATERIAL=Material"});
    BomContext context{};
    sim::armFault("vxdbOpenVxDbObject", 1, Vx::eWasOpenForWrite);  // the standard
    EXPECT_EQ(EnsureBomColumns(context), Vx::eWasOpenForWrite);
    EXPECT_EQ(context.columnsEnsured, 0);

    sim::armFault("vxdbOpenVxDbObject", 2, Vx::eWasOpenForRead);  // the parts-list standard
    EXPECT_EQ(EnsureBomColumns(context), Vx::eWasOpenForRead);
    EXPECT_EQ(context.columnsEnsured, 1);
    EXPECT_EQ(sim::standardColumns(db()).size(), 2u);
}

}  // namespace
