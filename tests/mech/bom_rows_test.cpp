#include "tests/mech/mech_fixture.h"

namespace {

using BomRows = MechTest;

TEST_F(BomRows, WriteRowMergesCellsAndReadRowReplacesTheCallersMap) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId entry =
        sim::createDataEntry(*db, {{u"DESCR", u"Washer"}, {u"ORBKEY", u"P1"}});
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 2, entry);

    ASSERT_EQ(bom->writeRow(row, u"7", 5, {{u"ORBD_PARTNO", u"4711"}, {u"DESCR", u"Nut"}}),
              Vx::eOk);
    VxString item;
    std::int32_t quantity = 0;
    VxmStringMap cells{{u"STALE", u"x"}};
    ASSERT_EQ(bom->readRow(row, item, quantity, cells, {}), Vx::eOk);
    EXPECT_EQ(item.str(), u"7");
    EXPECT_EQ(quantity, 5);
    const VxmStringMap expected{{u"DESCR", u"Nut"}, {u"ORBKEY", u"P1"}, {u"ORBD_PARTNO", u"4711"}};
    EXPECT_EQ(cells, expected) << "unnamed cells keep their values, the caller's map is replaced";

    // A null item keeps the row's item; an empty map changes no cell.
    ASSERT_EQ(bom->writeRow(row, nullptr, -3, {}), Vx::eOk);
    ASSERT_EQ(bom->readRow(row, item, quantity, cells, {}), Vx::eOk);
    EXPECT_EQ(item.str(), u"7");
    EXPECT_EQ(quantity, -3);
    EXPECT_EQ(cells, expected);
}

TEST_F(BomRows, RowCellsAndPartDataOfItsPartReferencesAreOneMap) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId entry = sim::createDataEntry(*db, {{u"ORBKEY", u"P1"}});
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 1, entry);
    const VxDbObjectId first = addPartRef(entry);
    const VxDbObjectId second = addPartRef(entry);

    ASSERT_EQ(bom->writeRow(row, u"1", 1, {{u"DESCR", u"Bolt"}}), Vx::eOk);
    EXPECT_EQ(partData(first), (VxmStringMap{{u"DESCR", u"Bolt"}, {u"ORBKEY", u"P1"}}));

    // Part data are written whole, and the row sees them.
    ASSERT_EQ(bom->setPartData(second, {{u"ORBKEY", u"P2"}}), Vx::eOk);
    VxString item;
    std::int32_t quantity = 0;
    VxmStringMap cells;
    ASSERT_EQ(bom->readRow(row, item, quantity, cells, {}), Vx::eOk);
    EXPECT_EQ(cells, (VxmStringMap{{u"ORBKEY", u"P2"}}));
    EXPECT_EQ(partData(first), cells);
}

TEST_F(BomRows, RowOperationsRefuseIdsThatAreNoRow) {
    const VxDbObjectId line = addLine();
    VxString item;
    std::int32_t quantity = 0;
    VxmStringMap cells{{u"KEEP", u"1"}};
    EXPECT_EQ(bom->readRow({}, item, quantity, cells, {}), Vx::eNullObjectId);
    EXPECT_EQ(bom->readRow(line, item, quantity, cells, {}), Vx::eNotThatKindOfClass);
    EXPECT_EQ(bom->readRow(VxDbObjectId::fromInt64(0x7fffffffffff), item, quantity, cells, {}),
              Vx::eUnknownHandle);
    EXPECT_EQ(cells.size(), 1u) << "a failed read leaves the caller's map alone";
    EXPECT_EQ(bom->writeRow(line, u"1", 1, {}), Vx::eNotThatKindOfClass);
    EXPECT_EQ(bom->setRowState(line, 0), Vx::eNotThatKindOfClass);
    VxDbObjectId first, second;
    int flag = 0;
    EXPECT_EQ(bom->getRowState(line, first, second, flag), Vx::eNotThatKindOfClass);
}

TEST_F(BomRows, RowStateHoldsDataEntryListAndFlag) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId entry = sim::createDataEntry(*db);
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 1, entry, 3);
    VxDbObjectId first, second;
    int flag = 0;
    ASSERT_EQ(bom->getRowState(row, first, second, flag), Vx::eOk);
    EXPECT_EQ(first, entry);
    EXPECT_EQ(second, list);
    EXPECT_EQ(flag, 3);
    ASSERT_EQ(bom->setRowState(row, 0), Vx::eOk);
    ASSERT_EQ(bom->getRowState(row, first, second, flag), Vx::eOk);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(sim::rowsOf(*db, list).at(0).state, 0);
}

TEST_F(BomRows, AddPartRefsGivesNewDataEntriesTheirOwnRows) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId existingEntry = sim::createDataEntry(*db);
    sim::addRow(*db, list, u"9", 4, existingEntry);
    sim::addRow(*db, list, u"A-3", 1);  // not a number: does not count for the next item
    const VxDbObjectId sharing = addPartRef(existingEntry);
    const VxDbObjectId fresh = addPartRef();
    const VxDbObjectId freshTwin = addPartRef();

    VxDbObjectIdArray refs;
    refs.append(sharing).append(fresh).append(freshTwin).append(fresh);
    VxDbObjectIdArray rowIds;
    ASSERT_EQ(bom->addPartRefsToBom(list, refs, rowIds, 0), Vx::eOk);

    const auto rows = sim::rowsOf(*db, list);
    ASSERT_EQ(rows.size(), 4u);
    ASSERT_EQ(rowIds.length(), 4);
    EXPECT_EQ(rowIds[0], rows[0].id) << "a data entry with a row keeps it";
    EXPECT_EQ(rows[0].quantity, 4);
    EXPECT_EQ(rows[2].item, u"10");
    EXPECT_EQ(rows[2].quantity, 1);
    EXPECT_EQ(rows[2].state, 1);
    EXPECT_EQ(rows[3].item, u"11");
    EXPECT_EQ(rowIds[1], rows[2].id);
    EXPECT_EQ(rowIds[2], rows[3].id);
    EXPECT_EQ(rowIds[3], rows[2].id) << "the same part reference twice finds its new row";
    EXPECT_EQ(rows[2].dataEntry, sim::partRefDataEntry(*db, fresh))
        << "a part reference without a data entry receives one";
}

TEST_F(BomRows, AddPartRefsChangesNothingWhenOneIdIsNoPartReference) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    VxDbObjectIdArray refs;
    refs.append(addPartRef()).append(addLine());
    VxDbObjectIdArray rowIds;
    EXPECT_EQ(bom->addPartRefsToBom(list, refs, rowIds, 0), Vx::eNotThatKindOfClass);
    EXPECT_TRUE(sim::rowsOf(*db, list).empty());
    EXPECT_EQ(rowIds.length(), 0);
    EXPECT_EQ(bom->addPartRefsToBom(refs[0], refs, rowIds, 0), Vx::eNotThatKindOfClass)
        << "the parts list id must name a parts list";
}

TEST_F(BomRows, CursorWalksRowsInOrderAndIgnoresRowsAddedLater) {
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId a = sim::addRow(*db, list, u"2", 1);
    const VxDbObjectId b = sim::addRow(*db, list, u"1", 1);
    VxmBOMRowCursor* cursor = bom->newRowCursor(list, 0, 1);
    ASSERT_NE(cursor, nullptr);
    sim::addRow(*db, list, u"3", 1);
    std::vector<VxDbObjectId> seen;
    for (; !cursor->done(); cursor->step()) {
        seen.push_back(cursor->currentRowId());
    }
    cursor->step();
    EXPECT_TRUE(cursor->done()) << "stepping past the end stays done";
    EXPECT_TRUE(cursor->currentRowId().isNull());
    cursor->release();
    EXPECT_EQ(seen, (std::vector<VxDbObjectId>{a, b}));

    EXPECT_EQ(bom->newRowCursor(a, 0, 1), nullptr) << "a row is no parts list";
    EXPECT_EQ(bom->newRowCursor({}, 0, 1), nullptr);
    VxmBOMRowCursor* empty = bom->newRowCursor(sim::createPartsList(*db, addBlock(u"B")), 0, 1);
    ASSERT_NE(empty, nullptr);
    EXPECT_TRUE(empty->done());
    empty->release();
}

TEST_F(BomRows, CreateFindAndGetBom) {
    VxDbObjectId found;
    VxString name;
    ASSERT_EQ(bom->findBom(found, name, {}, 0), Vx::eOk);
    EXPECT_TRUE(found.isNull()) << "no parts list yet is not an error";
    VxDbObjectId current;
    ASSERT_EQ(bom->getBom(current, 0), Vx::eOk);
    EXPECT_TRUE(current.isNull());

    const VxDbObjectId block = addBlock(u"B");
    VxDbObjectId blockList;
    ASSERT_EQ(bom->createBom(blockList, block, 0, false, 0), Vx::eOk);
    ASSERT_EQ(bom->getBom(current, 0), Vx::eOk);
    EXPECT_TRUE(current.isNull()) << "created without becoming current";

    VxDbObjectId modelList;
    ASSERT_EQ(bom->createBom(modelList, {}, 0, true, 0), Vx::eOk);
    EXPECT_NE(modelList, blockList);
    ASSERT_EQ(bom->getBom(current, 0), Vx::eOk);
    EXPECT_EQ(current, modelList);
    ASSERT_EQ(bom->findBom(found, name, {}, 0), Vx::eOk);
    EXPECT_EQ(found, modelList);
    EXPECT_EQ(name.str(), u"*Model_Space");
    ASSERT_EQ(bom->findBom(found, name, block, 0), Vx::eOk);
    EXPECT_EQ(found, blockList);
    EXPECT_EQ(sim::partsListOwner(*db, blockList), block);

    VxDbObjectId again;
    EXPECT_EQ(bom->createBom(again, {}, 0, true, 0), Vx::eDuplicateKey) << "one list per block";
    EXPECT_TRUE(again.isNull());
    EXPECT_EQ(bom->createBom(again, addLine(), 0, true, 0), Vx::eNotThatKindOfClass);
    EXPECT_EQ(bom->findBom(found, name, addLine(), 0), Vx::eNotThatKindOfClass);
    EXPECT_EQ(sim::partsLists(*db), (std::vector<VxDbObjectId>{blockList, modelList}));
}

}  // namespace
