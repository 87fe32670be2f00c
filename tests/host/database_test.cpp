#include <memory>

#include "host/vx_db.h"
#include "host_test_support.h"
#include "sim/host/database.h"
#include "sim/host/faults.h"

namespace {

class DatabaseTest : public HostTest {
  protected:
    VxDbObjectId addLine(VxDbObjectId block) {
        return sim::workingDatabase().appendEntity(block, new VxDbLine());
    }
    VxDbObjectId modelSpace() const { return sim::workingDatabase().modelSpaceId(); }
};

TEST_F(DatabaseTest, IdsRoundTripAndUnknownIdsFailCleanly) {
    const VxDbObjectId a = addLine(modelSpace());
    const VxDbObjectId b = addLine(modelSpace());
    EXPECT_LT(a, b);
    EXPECT_EQ(VxDbObjectId::fromInt64(a.asInt64()), a);

    VxDbObject* object = nullptr;
    EXPECT_EQ(
        vxdbOpenVxDbObject(object, VxDbObjectId::fromInt64(b.asInt64() + 1000), VxDb::kForRead),
        Vx::eUnknownHandle);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(vxdbOpenVxDbObject(object, VxDbObjectId::kNull, VxDb::kForRead), Vx::eNullObjectId);

    // Ids of a closed document name nothing any more, and are not given out again.
    sim::resetHost();
    EXPECT_EQ(vxdbOpenVxDbObject(object, a, VxDb::kForRead), Vx::eUnknownHandle);
    EXPECT_LT(b, addLine(modelSpace()));
}

TEST_F(DatabaseTest, OpenRulesAndLedger) {
    const VxDbObjectId id = addLine(modelSpace());
    VxDbObject* first = nullptr;
    VxDbObject* second = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(first, id, VxDb::kForRead), Vx::eOk);
    ASSERT_EQ(vxdbOpenVxDbObject(second, id, VxDb::kForRead), Vx::eOk);
    VxDbObject* writer = nullptr;
    EXPECT_EQ(vxdbOpenVxDbObject(writer, id, VxDb::kForWrite), Vx::eWasOpenForRead);
    EXPECT_EQ(sim::openObjectCount(), 1u);
    EXPECT_EQ(sim::workingDatabase().openObjects(), std::vector<VxDbObjectId>{id});

    EXPECT_EQ(first->close(), Vx::eOk);
    EXPECT_EQ(sim::openObjectCount(), 1u) << "one read open is still in force";
    EXPECT_EQ(second->close(), Vx::eOk);
    EXPECT_EQ(sim::openObjectCount(), 0u);
    EXPECT_EQ(second->close(), Vx::eWasNotOpen);

    ASSERT_EQ(vxdbOpenVxDbObject(writer, id, VxDb::kForWrite), Vx::eOk);
    EXPECT_TRUE(writer->isWriteEnabled());
    EXPECT_EQ(vxdbOpenVxDbObject(first, id, VxDb::kForRead), Vx::eWasOpenForWrite);
    EXPECT_EQ(vxdbOpenVxDbObject(first, id, VxDb::kForWrite), Vx::eWasOpenForWrite);
    EXPECT_EQ(writer->close(), Vx::eOk);
    EXPECT_EQ(sim::openObjectCount(), 0u);
}

TEST_F(DatabaseTest, RequiredClassAndErasedObjects) {
    const VxDbObjectId id = addLine(modelSpace());
    VxDbBlockReference* reference = nullptr;
    EXPECT_EQ(vxdbOpenVxDbObject(reference, id, VxDb::kForRead), Vx::eNotThatKindOfClass);
    EXPECT_EQ(sim::openObjectCount(), 0u);
    VxDbEntity* entity = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(entity, id, VxDb::kForRead), Vx::eOk);
    EXPECT_EQ(entity->erase(), Vx::eNotOpenForWrite);
    entity->close();

    ASSERT_EQ(vxdbOpenVxDbObject(entity, id, VxDb::kForWrite), Vx::eOk);
    EXPECT_EQ(entity->erase(), Vx::eOk);
    entity->close();
    EXPECT_EQ(vxdbOpenVxDbObject(entity, id, VxDb::kForRead), Vx::eWasErased);
    ASSERT_EQ(vxdbOpenVxDbObject(entity, id, VxDb::kForWrite, true), Vx::eOk);
    EXPECT_TRUE(entity->isErased());
    EXPECT_EQ(entity->erase(false), Vx::eOk);
    entity->close();
    EXPECT_EQ(vxdbOpenVxDbObject(entity, id, VxDb::kForRead), Vx::eOk);
    entity->close();
}

TEST_F(DatabaseTest, AppendLeavesEntityOpenAndIterationSkipsErased) {
    VxDbBlockTable* table = nullptr;
    ASSERT_EQ(sim::workingDatabase().getSymbolTable(table, VxDb::kForRead), Vx::eOk);
    VxDbBlockTableRecord* space = nullptr;
    ASSERT_EQ(table->getAt(u"*model_space", space, VxDb::kForRead), Vx::eOk);
    table->close();

    auto line = std::make_unique<VxDbLine>();
    VxDbObjectId id;
    EXPECT_EQ(space->appendVxDbEntity(id, line.get()), Vx::eNotOpenForWrite);
    EXPECT_TRUE(id.isNull());
    space->close();  // the caller still owns the line, and frees it

    ASSERT_EQ(vxdbOpenVxDbObject(space, modelSpace(), VxDb::kForWrite), Vx::eOk);
    VxDbObjectId kept;
    ASSERT_EQ(space->appendVxDbEntity(kept, line.get()), Vx::eOk);
    VxDbLine* appended = line.release();
    EXPECT_EQ(appended->objectId(), kept);
    EXPECT_TRUE(appended->isWriteEnabled()) << "a new entity stays open for its creator";
    EXPECT_EQ(sim::openObjectCount(), 2u);
    EXPECT_EQ(appended->close(), Vx::eOk);
    const VxDbObjectId erased = addLine(modelSpace());
    const VxDbObjectId last = addLine(modelSpace());
    VxDbObject* object = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(object, erased, VxDb::kForWrite), Vx::eOk);
    object->erase();
    object->close();

    VxDbBlockTableRecordIterator* iterator = nullptr;
    ASSERT_EQ(space->newIterator(iterator), Vx::eOk);
    std::vector<VxDbObjectId> seen;
    for (; !iterator->done(); iterator->step()) {
        VxDbObjectId each;
        ASSERT_EQ(iterator->getEntityId(each), Vx::eOk);
        seen.push_back(each);
    }
    delete iterator;
    space->close();
    EXPECT_EQ(seen, (std::vector<VxDbObjectId>{kept, last}));
    EXPECT_EQ(sim::openObjectCount(), 0u);

    vx_name name{};
    ASSERT_EQ(vxdbEntLast(name), kRtNorm);
    VxDbObjectId fromName;
    ASSERT_EQ(vxdbGetObjectId(fromName, name), Vx::eOk);
    EXPECT_EQ(fromName, last);
}

TEST_F(DatabaseTest, ExternalReferencesAndBlockLookup) {
    sim::Database& database = sim::workingDatabase();
    const VxDbObjectId gear = database.addBlock(VxString(u"GEAR"), VxString(u"parts/gear.dwg"));
    EXPECT_TRUE(database.addBlock(VxString(u"gear"), VxString()).isNull());
    EXPECT_EQ(database.blockIds(), std::vector<VxDbObjectId>{gear});

    VxDbBlockTable* table = nullptr;
    ASSERT_EQ(database.getSymbolTable(table, VxDb::kForRead), Vx::eOk);
    VxDbObjectId found;
    EXPECT_EQ(table->getAt(u"GEAR", found), Vx::eOk);
    EXPECT_EQ(found, gear);
    EXPECT_EQ(table->getAt(u"SHAFT", found), Vx::eKeyNotFound);
    table->close();

    VxDbBlockTableRecord* record = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(record, gear, VxDb::kForRead), Vx::eOk);
    VxString path;
    EXPECT_TRUE(record->isFromExternalReference());
    EXPECT_EQ(record->pathName(path), Vx::eOk);
    EXPECT_EQ(path.str(), u"parts/gear.dwg");
    record->close();
}

TEST_F(DatabaseTest, FaultCheckpointsFailTheNthCall) {
    const VxDbObjectId id = addLine(modelSpace());
    sim::armFault("vxdbOpenVxDbObject", 2, Vx::eOutOfMemory);
    VxDbObject* object = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(object, id, VxDb::kForRead), Vx::eOk);
    object->close();
    EXPECT_EQ(vxdbOpenVxDbObject(object, id, VxDb::kForRead), Vx::eOutOfMemory);
    EXPECT_EQ(object, nullptr);
    EXPECT_EQ(sim::openObjectCount(), 0u);

    sim::clearFaults();
    sim::armFault("*", 3, Vx::eInvalidInput);  // counts every operation's calls
    VxDbBlockTable* table = nullptr;
    ASSERT_EQ(sim::workingDatabase().getSymbolTable(table, VxDb::kForRead), Vx::eOk);
    VxDbObjectId found;
    EXPECT_EQ(table->getAt(u"*Model_Space", found), Vx::eOk);
    EXPECT_EQ(table->close(), Vx::eInvalidInput) << "the third call is close";
    EXPECT_EQ(sim::openObjectCount(), 0u) << "a failed close still ends the open";
    EXPECT_EQ(sim::checkpointCounts().at("getAt"), 1);

    sim::clearFaults();
    sim::armFault("appendVxDbEntity", 1, Vx::eOutOfMemory);
    ASSERT_EQ(vxdbOpenVxDbObject(object, modelSpace(), VxDb::kForWrite), Vx::eOk);
    auto line = std::make_unique<VxDbLine>();
    VxDbObjectId appended;
    EXPECT_EQ(static_cast<VxDbBlockTableRecord*>(object)->appendVxDbEntity(appended, line.get()),
              Vx::eOutOfMemory);
    EXPECT_TRUE(line->objectId().isNull());
    object->close();
}

TEST_F(DatabaseTest, StatusTextsNameEveryStatus) {
    EXPECT_EQ(std::u16string(vexaErrorStatusText(Vx::eWasOpenForRead)), u"eWasOpenForRead");
    EXPECT_EQ(std::u16string(vexaErrorStatusText(kRtCan)), u"kRtCan");
    EXPECT_EQ(std::u16string(vexaErrorStatusText(4711)), u"eUnknownStatus");
    for (int status = Vx::eOk; status <= Vx::eInvalidContext; ++status) {
        if (status != 3 && status != 4) {
            EXPECT_NE(std::u16string(vexaErrorStatusText(status)), u"eUnknownStatus") << status;
        }
    }
}

}  // namespace
