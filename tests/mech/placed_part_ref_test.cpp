// A part reference placed the way a module places one: constructed from the host heap with or
// without a data entry, given the drawing's defaults, moved, appended to model space held open
// for write, then filled and handed to the parts list.
#include "tests/mech/mech_fixture.h"

namespace {

class PlacedPartRef : public MechTest {
  protected:
    // Appends into model space opened for write; model space stays open for the caller.
    VxDbObjectId place(VxmPartRef* partRef, VxGeVector3d at) {
        EXPECT_EQ(partRef->setDatabaseDefaults(), Vx::eOk);
        VxGeMatrix3d move;
        EXPECT_EQ(partRef->transformBy(move.setToTranslation(at)), Vx::eOk);
        VxDbObjectId id;
        EXPECT_EQ(space->appendVxDbEntity(id, partRef), Vx::eOk);
        EXPECT_EQ(partRef->close(), Vx::eOk);
        return id;
    }
    void openSpace() {
        VxDbBlockTable* table = nullptr;
        ASSERT_EQ(db->getSymbolTable(table, VxDb::kForRead), Vx::eOk);
        ASSERT_EQ(table->getAt(u"*Model_Space", space, VxDb::kForWrite), Vx::eOk);
        ASSERT_EQ(table->close(), Vx::eOk);
    }
    VxDbBlockTableRecord* space = nullptr;
};

TEST_F(PlacedPartRef, EmptyPartRefGetsItsOwnDataAndRowWhileModelSpaceIsOpen) {
    db->header().entityDefaults = {VxString(u"PARTREF"), 2, VxString(u"DASHED")};
    const VxDbObjectId list = sim::createPartsList(*db, {});
    openSpace();
    const VxDbObjectId id = place(new VxmPartRef(), VxGeVector3d{5, 6, 0});
    EXPECT_TRUE(sim::partRefDataEntry(*db, id).isNull()) << "no data entry before data arrive";

    const VxmStringMap data{{u"ORBKEY", u"P1"}, {u"DESCR", u"Shaft"}};
    ASSERT_EQ(bom->setPartData(id, data), Vx::eOk);
    VxDbObjectId found;
    VxString name;
    ASSERT_EQ(bom->findBom(found, name, {}, 0), Vx::eOk);
    EXPECT_EQ(found, list);
    EXPECT_EQ(name, VxString(u"*Model_Space"));
    VxDbObjectIdArray refs;
    refs.append(id);
    VxDbObjectIdArray rows;
    ASSERT_EQ(bom->addPartRefsToBom(found, refs, rows, 0), Vx::eOk);
    ASSERT_EQ(space->close(), Vx::eOk);
    EXPECT_EQ(sim::openObjectCount(), 0u);

    const auto listed = sim::rowsOf(*db, list);
    ASSERT_EQ(listed.size(), 1u);
    EXPECT_EQ(listed[0].id, rows[0]);
    EXPECT_EQ(listed[0].dataEntry, sim::partRefDataEntry(*db, id));
    EXPECT_EQ(sim::dataEntryData(*db, listed[0].dataEntry), data) << "the row's cells are its data";

    VxmPartRef* placed = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(placed, id, VxDb::kForRead), Vx::eOk);
    EXPECT_DOUBLE_EQ(placed->position().x, 5);
    EXPECT_DOUBLE_EQ(placed->position().y, 6);
    EXPECT_EQ(placed->layer(), VxString(u"PARTREF"));
    EXPECT_EQ(placed->colorIndex(), 2);
    EXPECT_EQ(placed->linetype(), VxString(u"DASHED"));
    placed->close();
}

TEST_F(PlacedPartRef, PartRefWithARowsDataEntryJoinsThatRow) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId entry = sim::createDataEntry(*db, {{u"ORBD_PARTNO", u"4711"}});
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 1, entry);
    const VxDbObjectId first = addPartRef(entry);
    openSpace();
    const VxDbObjectId further = place(new VxmPartRef(entry), VxGeVector3d{1, 1, 0});
    ASSERT_EQ(space->close(), Vx::eOk);

    EXPECT_EQ(partData(further), (VxmStringMap{{u"ORBD_PARTNO", u"4711"}}));
    VxmCObjArray<VxArray<VxDbObjectId>> paths;
    VxDbObjectIdArray second;
    ASSERT_EQ(bom->getPartRefPaths(row, paths, second), Vx::eOk);
    ASSERT_EQ(paths.length(), 2);
    EXPECT_EQ((*paths[0])[0], first);
    EXPECT_EQ((*paths[1])[0], further) << "the new part reference belongs to the row";

    // Data written through either part reference are the row's.
    ASSERT_EQ(bom->setPartData(further, {{u"ORBD_PARTNO", u"4712"}}), Vx::eOk);
    EXPECT_EQ(partData(first), (VxmStringMap{{u"ORBD_PARTNO", u"4712"}}));
    EXPECT_EQ(sim::rowsOf(*db, list).size(), 1u);
}

TEST_F(PlacedPartRef, DrawingPartDataLiveOnModelSpaceWhileItIsOpen) {
    openSpace();
    ASSERT_EQ(bom->setPartData(modelSpace(), {{u"ORBKEY", u"D1.1"}}), Vx::eOk);
    ASSERT_EQ(space->close(), Vx::eOk);
    EXPECT_EQ(sim::blockPartData(*db, modelSpace()), (VxmStringMap{{u"ORBKEY", u"D1.1"}}));
}

}  // namespace
