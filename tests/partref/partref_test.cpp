#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "base/host_status_error.h"
#include "base/model_space.h"
#include "base/part_ref_paths.h"
#include "base/smart_ptr.h"
#include "host/vx_db.h"
#include "host/vxm_partref.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"

namespace {

class PartRefTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetHost();
        sim::clearFaults();
    }
    void TearDown() override {
        sim::clearFaults();
        EXPECT_EQ(sim::openObjectCount(), 0u) << "objects left open";
    }
    sim::Database& db() { return sim::workingDatabase(); }
    int Count(const char* operation) {
        const auto& counts = sim::checkpointCounts();
        const auto found = counts.find(operation);
        return found == counts.end() ? 0 : found->second;
    }
    std::vector<VxDbObjectId> Walk() {
        std::vector<VxDbObjectId> seen;
        ModelSpace space;
        WalkModelSpace(VxDb::kForRead, space, [&](VxDbObjectId id) {
            seen.push_back(id);
            return true;
        });
        return seen;
    }
};

// An entity that reports its own destruction.
bool probeDestroyed = false;
class Probe : public VxDbLine {
  public:
    ~Probe() override { probeDestroyed = true; }
};

TEST_F(PartRefTest, HolderDeletesAnObjectInNoDatabaseAndClosesAnyOther) {
    probeDestroyed = false;
    {
        SmartPtr<VxDbLine> holder;
        holder.slot() = new Probe();
    }
    EXPECT_TRUE(probeDestroyed);

    const VxDbObjectId line = db().appendEntity(db().modelSpaceId(), new VxDbLine());
    {
        SmartPtr<VxDbLine> holder;
        ASSERT_EQ(vxdbOpenVxDbObject(holder.slot(), line, VxDb::kForWrite), Vx::eOk);
        EXPECT_EQ(sim::openObjectCount(), 1u);
    }
    EXPECT_EQ(sim::openObjectCount(), 0u);
    {
        SmartPtr<VxDbLine> empty;  // releasing a holder that nothing filled does nothing
        EXPECT_FALSE(empty);
    }
}

TEST_F(PartRefTest, WalkVisitsTopLevelEntitiesOnlyAndClosesEverything) {
    const VxDbObjectId first = db().appendEntity(db().modelSpaceId(), new VxDbLine());
    const VxDbObjectId block = db().addBlock(u"GEAR", u"gear.dwg");
    db().appendEntity(block, new VxmPartRef());
    const VxDbObjectId reference =
        db().appendEntity(db().modelSpaceId(), new VxDbBlockReference(VxGePoint3d{}, block));
    const VxDbObjectId erased = db().appendEntity(db().modelSpaceId(), new VxmPartRef());
    {
        VxDbObject* object = nullptr;
        ASSERT_EQ(vxdbOpenVxDbObject(object, erased, VxDb::kForWrite), Vx::eOk);
        object->erase();
        object->close();
    }
    const VxDbObjectId last = db().appendEntity(db().modelSpaceId(), new VxmPartRef());

    EXPECT_EQ(Walk(), (std::vector<VxDbObjectId>{first, reference, last}));

    // A step can end the walk; the record stays open for the caller until it drops it.
    std::vector<VxDbObjectId> seen;
    {
        ModelSpace space;
        WalkModelSpace(VxDb::kForWrite, space, [&](VxDbObjectId id) {
            seen.push_back(id);
            return false;
        });
        EXPECT_TRUE(space.record->isWriteEnabled());
        EXPECT_EQ(sim::openObjectCount(), 2u);
    }
    EXPECT_EQ(seen, (std::vector<VxDbObjectId>{first}));
}

TEST_F(PartRefTest, FailuresUnwindThroughTheHolders) {
    db().appendEntity(db().modelSpaceId(), new VxDbLine());
    sim::armFault("getAt", 1, Vx::eWasOpenForWrite);
    try {
        Walk();
        ADD_FAILURE() << "a refused model space must throw";
    } catch (const HostStatusError& failure) {
        EXPECT_EQ(failure.text(), vexaErrorStatusText(Vx::eWasOpenForWrite));
    }
    EXPECT_EQ(sim::openObjectCount(), 0u) << "the block table is closed while unwinding";

    // A step that throws leaves neither the iterator nor the holders behind.
    EXPECT_THROW(
        {
            ModelSpace space;
            WalkModelSpace(VxDb::kForRead, space,
                           [](VxDbObjectId) -> bool { throw std::runtime_error("step"); });
        },
        std::runtime_error);

    // No iterator: nothing is visited and nothing fails.
    sim::armFault("newIterator", 1, Vx::eOutOfMemory);
    EXPECT_TRUE(Walk().empty());
}

TEST_F(PartRefTest, FirstPartRefDataEntryOnlyFromModelSpace) {
    const VxDbObjectId list = sim::createPartsList(db(), VxDbObjectId::kNull);

    const VxDbObjectId direct = sim::createDataEntry(db());
    db().appendEntity(db().modelSpaceId(), new VxDbLine());
    db().appendEntity(db().modelSpaceId(), new VxmPartRef(direct));
    const VxDbObjectId directRow = sim::addRow(db(), list, u"1", 1, direct);

    const VxDbObjectId nested = sim::createDataEntry(db());
    const VxDbObjectId block = db().addBlock(u"SUB", u"");
    db().appendEntity(block, new VxmPartRef(nested));
    db().appendEntity(db().modelSpaceId(), new VxDbBlockReference(VxGePoint3d{}, block));
    const VxDbObjectId nestedRow = sim::addRow(db(), list, u"2", 1, nested);

    const VxDbObjectId lonelyRow = sim::addRow(db(), list, u"3", 1);

    ModelSpace space;
    OpenModelSpace(VxDb::kForRead, space);
    EXPECT_EQ(FirstPartRefDataEntry(directRow, *space.record), direct);
    EXPECT_TRUE(FirstPartRefDataEntry(nestedRow, *space.record).isNull())
        << "the first id of the path is the block reference";
    const int iterators = Count("newIterator");
    EXPECT_TRUE(FirstPartRefDataEntry(lonelyRow, *space.record).isNull());
    EXPECT_EQ(Count("newIterator"), iterators) << "no walk without a part reference";

    sim::armFault("getPartRefPaths", 1, Vx::eKeyNotFound);
    EXPECT_THROW(FirstPartRefDataEntry(directRow, *space.record), HostStatusError);
}

TEST_F(PartRefTest, FirstPathHeadNeedsAFirstPathWithAnId) {
    PartRefPaths paths;
    EXPECT_TRUE(FirstPathHead(paths).isNull());
    paths.append(nullptr);
    EXPECT_TRUE(FirstPathHead(paths).isNull());
    paths.setLogicalLength(0);
    paths.append(new PartRefPath());
    EXPECT_TRUE(FirstPathHead(paths).isNull());
    const VxDbObjectId id = VxDbObjectId::fromInt64(42);
    paths[0]->append(id);
    EXPECT_EQ(FirstPathHead(paths), id);
}

}  // namespace
