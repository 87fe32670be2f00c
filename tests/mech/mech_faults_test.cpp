#include "host/vxm_standard.h"
#include "tests/mech/mech_fixture.h"

namespace {

using MechFaults = MechTest;

TEST_F(MechFaults, EveryOperationFailsAtItsCheckpointWithoutChangingAnything) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId entry = sim::createDataEntry(*db, {{u"A", u"1"}});
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 1, entry, 1);
    const VxDbObjectId partRef = addPartRef(entry);
    constexpr int kStatus = 42;
    const auto failNext = [](const char* operation) { sim::armFault(operation, 1, kStatus); };

    VxDbObjectId id;
    VxString name;
    failNext("createBom");
    EXPECT_EQ(bom->createBom(id, addBlock(u"B"), 0, true, 0), kStatus);
    failNext("findBom");
    EXPECT_EQ(bom->findBom(id, name, {}, 0), kStatus);
    failNext("getBom");
    EXPECT_EQ(bom->getBom(id, 0), kStatus);
    failNext("newRowCursor");
    EXPECT_EQ(bom->newRowCursor(list, 0, 1), nullptr);
    VxmStringMap data;
    failNext("getPartData");
    EXPECT_EQ(bom->getPartData(partRef, data), kStatus);
    failNext("setPartData");
    EXPECT_EQ(bom->setPartData(partRef, {}), kStatus);
    VxDbObjectIdArray refs;
    refs.append(addPartRef());
    VxDbObjectIdArray rows;
    failNext("addPartRefsToBom");
    EXPECT_EQ(bom->addPartRefsToBom(list, refs, rows, 0), kStatus);
    failNext("writeRow");
    EXPECT_EQ(bom->writeRow(row, u"9", 9, {{u"A", u"2"}}), kStatus);
    std::int32_t quantity = 0;
    failNext("readRow");
    EXPECT_EQ(bom->readRow(row, name, quantity, data, {}), kStatus);
    VxDbObjectId first, second;
    int flag = 0;
    failNext("getRowState");
    EXPECT_EQ(bom->getRowState(row, first, second, flag), kStatus);
    failNext("setRowState");
    EXPECT_EQ(bom->setRowState(row, 0), kStatus);
    VxmCObjArray<VxArray<VxDbObjectId>> paths;
    failNext("getPartRefPaths");
    EXPECT_EQ(bom->getPartRefPaths(row, paths, refs), kStatus);
    failNext("getCurrentStandard");
    EXPECT_EQ(getVxmStdMgr()->getCurrentStandard(id), kStatus);

    EXPECT_EQ(sim::partsLists(*db).size(), 1u);
    const auto after = sim::rowsOf(*db, list);
    ASSERT_EQ(after.size(), 1u);
    EXPECT_EQ(after[0].item, u"1");
    EXPECT_EQ(after[0].state, 1);
    EXPECT_EQ(sim::dataEntryData(*db, entry), (VxmStringMap{{u"A", u"1"}}));
    EXPECT_EQ(paths.length(), 0);

    const auto& counts = sim::checkpointCounts();
    for (const char* operation : {"createBom", "readRow", "getPartRefPaths", "newRowCursor"}) {
        EXPECT_EQ(counts.at(operation), 1) << operation;
    }
}

TEST_F(MechFaults, StandardOperationsPassTheirCheckpoints) {
    VxDbObjectId standardId;
    ASSERT_EQ(getVxmStdMgr()->getCurrentStandard(standardId), Vx::eOk);
    VxmStandard* standard = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(standard, standardId, VxDb::kForRead), Vx::eOk);
    VxDbObjectId bomStdId;
    sim::armFault("getCurrentSymbolStd", 1, 7);
    EXPECT_EQ(standard->getCurrentSymbolStd(bomStdId, u"VxmBOMStd"), 7);
    EXPECT_TRUE(bomStdId.isNull());
    ASSERT_EQ(standard->getCurrentSymbolStd(bomStdId, u"VxmBOMStd"), Vx::eOk);
    standard->close();
    VxmBOMStd* std = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(std, bomStdId, VxDb::kForWrite), Vx::eOk);
    sim::armFault("appendColumn", 2, 9);
    EXPECT_EQ(std->appendColumn(29, 0, u"A", u"A"), Vx::eOk);
    EXPECT_EQ(std->appendColumn(29, 0, u"B", u"B"), 9);
    EXPECT_EQ(std->columnLength(), 1);
    std->close();
}

}  // namespace
