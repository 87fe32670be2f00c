#include <gtest/gtest.h>

#include "host/vx_status.h"
#include "partref/change_part_ref_key.h"
#include "partref/place_further_part_ref.h"
#include "partref/virtual_component.h"
#include "sim/host/faults.h"
#include "tests/partref/part_ref_test_support.h"

namespace {

class KeyChangeTest : public PartRefOpTest {
  protected:
    VxDbObjectId AddPartRef(const VxmStringMap& data) {
        return db().appendEntity(db().modelSpaceId(),
                                 new VxmPartRef(sim::createDataEntry(db(), data)));
    }
    std::u16string KeyOf(VxDbObjectId partRef) {
        const VxmStringMap data = PartDataOf(partRef);
        const auto key = data.find(u"ORBKEY");
        return key != data.end() ? key->second : u"(none)";
    }
};

TEST_F(KeyChangeTest, StarReKeysEveryKeyedPartRefInModelSpaceOnly) {
    UseStandardMapping();
    const VxDbObjectId first = AddPartRef({{u"ORBKEY", u"D7"}});
    const VxDbObjectId second = AddPartRef({{u"ORBKEY", u"X"}});
    const VxDbObjectId unkeyed = AddPartRef({{u"NOTE", u"n"}});
    const VxDbObjectId emptyKey = AddPartRef({{u"ORBKEY", u""}});
    const VxDbObjectId block = db().addBlock(u"SUB", u"");
    const VxDbObjectId entry = sim::createDataEntry(db(), {{u"ORBKEY", u"D7"}});
    const VxDbObjectId nested = db().appendEntity(block, new VxmPartRef(entry));
    db().appendEntity(db().modelSpaceId(), new VxDbBlockReference(VxGePoint3d{}, block));
    db().appendEntity(db().modelSpaceId(), new VxDbLine());

    BomContext context{};
    EXPECT_EQ(ChangePartRefKey(context, u"*", u"D8"), 0);
    EXPECT_EQ(
        PartDataOf(first),
        (VxmStringMap{{u"ORBKEY", u"D8"}, {u"ORBD_PARTNO", u"4712"}, {u"DESCRIPTION", u"Bolt"}}));
    EXPECT_EQ(KeyOf(second), u"D8");
    EXPECT_EQ(KeyOf(unkeyed), u"(none)");
    EXPECT_EQ(KeyOf(emptyKey), u"");
    EXPECT_EQ(KeyOf(nested), u"D7") << "a part reference inside a block is never re-keyed";

    // An empty old key re-keys the part references without a key.
    EXPECT_EQ(ChangePartRefKey(context, u"", u"D7"), 0);
    EXPECT_EQ(KeyOf(unkeyed), u"D7");
    EXPECT_EQ(KeyOf(emptyKey), u"D7");
    EXPECT_EQ(KeyOf(first), u"D8");
    EXPECT_TRUE(Prints().empty());
}

TEST_F(KeyChangeTest, MappingProblemsKeepOldKeysAndHostFailuresArePrinted) {
    const VxDbObjectId partRef = AddPartRef({{u"ORBKEY", u"D7"}});
    SetEnv(u"BOMIniFile", u"missing.ini");
    BomContext context{};
    EXPECT_EQ(ChangePartRefKey(context, u"D7", u"D8"), 0);
    EXPECT_EQ(KeyOf(partRef), u"D7");

    // No values for the new key: the key is still stored.
    UseMapping({"[KORDANEPartRefToVexa]", "DESCRIPTION=(NoSuchFunction)"});
    EXPECT_EQ(ChangePartRefKey(context, u"D7", u"D8"), 0);
    EXPECT_EQ(PartDataOf(partRef), (VxmStringMap{{u"ORBKEY", u"D8"}}));

    sim::armFault("getAt", 1, Vx::eWasOpenForWrite);
    EXPECT_EQ(ChangePartRefKey(context, u"*", u"D7"), -1);
    EXPECT_EQ(Prints(), (std::vector<std::u16string>{
                            u"\n" + std::u16string(vexaErrorStatusText(Vx::eWasOpenForWrite))}));
    EXPECT_EQ(KeyOf(partRef), u"D8");
}

using VirtualComponentTest = KeyChangeTest;

TEST_F(VirtualComponentTest, MatchingRowGetsAFurtherPartRefSharingItsDataEntry) {
    UseStandardMapping();
    const VxDbObjectId row = AddRowWithPartRef(u"1", 1, {{u"ORBD_PARTNO", u"4711"}});
    const VxDbObjectId existing = ModelSpaceEntities()[0];
    sim::pdm::clearLog();
    Type(u"7,8\n");
    BomContext context{};
    EXPECT_EQ(CreateVirtualComponent(context, u"P1"), 0);
    const std::vector<VxDbObjectId> entities = ModelSpaceEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(sim::partRefDataEntry(db(), entities[1]), sim::partRefDataEntry(db(), existing));
    EXPECT_EQ(PartRef(entities[1])->position().x, 7);
    EXPECT_EQ(CellsOf(row), (VxmStringMap{{u"ORBD_PARTNO", u"4711"}})) << "no PDM values";
    EXPECT_EQ(PdmExpressions(),
              (std::vector<std::u16string>{
                  u"#(HasPart)", u"@(Where \"db=Folder_All_Part\" \"ORBKEY=P1\" @(IDENT:t))"}));
}

TEST_F(VirtualComponentTest, OtherwiseANewPartRefFilledThroughTheVirtualSection) {
    UseStandardMapping();
    AddRowWithPartRef(u"1", 1, {{u"ORBD_PARTNO", u"0001"}});
    Type(u"1,1\n");
    BomContext context{};
    EXPECT_EQ(CreateVirtualComponent(context, u"P2"), 0);
    const std::vector<VxDbObjectId> entities = ModelSpaceEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_EQ(PartDataOf(entities[1]), (VxmStringMap{{u"DESCRIPTION", u"Nut"}}))
        << "no key written by a virtual component";
    EXPECT_EQ(sim::rowsOf(db(), partsList()).size(), 2u);

    EXPECT_EQ(CreateVirtualComponent(context, u""), -1);
    EXPECT_EQ(CreateVirtualComponent(context, nullptr), -1);
    EXPECT_EQ(ModelSpaceEntities().size(), 2u);
}

TEST_F(VirtualComponentTest, WithoutPartsListOneIsCreatedAndNoRowCompared) {
    UseStandardMapping();
    Type(u"1,1\n");
    BomContext context{};
    EXPECT_EQ(CreateVirtualComponent(context, u"P1"), 0);
    ASSERT_EQ(sim::partsLists(db()).size(), 1u);
    EXPECT_EQ(context.bomId, sim::partsLists(db())[0]);
    EXPECT_EQ(sim::rowsOf(db(), context.bomId).size(), 1u);
    for (const std::u16string& expression : PdmExpressions()) {
        EXPECT_EQ(expression.find(u"IDENT:t)"), std::u16string::npos) << "no ident asked";
    }

    sim::resetHost();
    sim::armFault("createBom", 1, Vx::eOutOfMemory);
    BomContext fresh{};
    EXPECT_EQ(CreateVirtualComponent(fresh, u"P1"), -1);
    EXPECT_TRUE(ModelSpaceEntities().empty());
}

TEST_F(VirtualComponentTest, UnreadableRowIsPrintedAndEndsTheCommand) {
    UseStandardMapping();
    AddRowWithPartRef(u"1", 1, {{u"ORBD_PARTNO", u"0001"}});
    sim::armFault("readRow", 1, Vx::eKeyNotFound);
    Type(u"1,1\n");
    BomContext context{};
    EXPECT_EQ(CreateVirtualComponent(context, u"P1"), -1);
    EXPECT_EQ(Prints(),
              (std::vector<std::u16string>{
                  u"\n" + std::u16string(vexaErrorStatusText(Vx::eKeyNotFound)) + u"\n"}));
    EXPECT_EQ(ModelSpaceEntities().size(), 1u) << "nothing placed";
}

TEST_F(VirtualComponentTest, FurtherPartRefOfARowWhoseFirstLiesInABlockHasNoDataEntry) {
    const VxDbObjectId row = AddXrefRow(u"1", 1, u"sub.dwg", {{u"ORBD_PARTNO", u"4711"}});
    EXPECT_EQ(PlaceFurtherPartRef(VxDbObjectId::kNull), -1);
    Type(u"2,3\n");
    EXPECT_EQ(PlaceFurtherPartRef(row), 0);
    const std::vector<VxDbObjectId> entities = ModelSpaceEntities();
    ASSERT_EQ(entities.size(), 2u);
    EXPECT_TRUE(sim::partRefDataEntry(db(), entities[1]).isNull());

    Type(u"\x1b");
    EXPECT_EQ(PlaceFurtherPartRef(row), 0) << "cancelled";
    sim::armFault("appendVxDbEntity", 1, Vx::eOutOfMemory);
    Type(u"2,3\n");
    EXPECT_EQ(PlaceFurtherPartRef(row), 0);
    EXPECT_EQ(ModelSpaceEntities().size(), 2u) << "the unappended entity is deleted";
    EXPECT_EQ(Prints().back(),
              u"\n" + std::u16string(vexaErrorStatusText(Vx::eOutOfMemory)) + u"\n");
}

}  // namespace
