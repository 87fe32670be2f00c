#include <optional>

#include "sim/mech/part_ref_paths.h"
#include "tests/mech/mech_fixture.h"

namespace {

class PartRefPaths : public MechTest {
  protected:
    std::vector<std::vector<VxDbObjectId>> pathsOf(VxDbObjectId row,
                                                   std::vector<VxDbObjectId>* second = nullptr) {
        VxmCObjArray<VxArray<VxDbObjectId>> paths;
        VxDbObjectIdArray others;
        EXPECT_EQ(bom->getPartRefPaths(row, paths, others), Vx::eOk);
        std::vector<std::vector<VxDbObjectId>> result;
        for (int i = 0; i < paths.length(); ++i) {
            result.emplace_back(paths[i]->begin(), paths[i]->end());
        }
        if (second != nullptr) {
            second->assign(others.begin(), others.end());
        }
        return result;
    }
    VxDbObjectId rowFor(VxDbObjectId entry) {
        if (list_.isNull()) {
            list_ = sim::createPartsList(*db, {});
        }
        return sim::addRow(*db, list_, u"1", 1, entry);
    }

    VxDbObjectId list_;
};

using Paths = std::vector<std::vector<VxDbObjectId>>;

TEST_F(PartRefPaths, PathsFollowModelSpaceOrderThroughNestedBlocks) {
    const VxDbObjectId entry = sim::createDataEntry(*db);
    const VxDbObjectId inner = addBlock(u"INNER");
    const VxDbObjectId outer = addBlock(u"OUTER", u"outer.dwg");
    const VxDbObjectId deep = addPartRef(entry, inner);
    const VxDbObjectId innerRef = addBlockRef(inner, outer);
    const VxDbObjectId inOuter = addPartRef(entry, outer);

    const VxDbObjectId direct = addPartRef(entry);
    addLine();
    addPartRef(sim::createDataEntry(*db));  // another row's part reference
    const VxDbObjectId outerRef = addBlockRef(outer);
    const VxDbObjectId innerDirectRef = addBlockRef(inner);

    std::vector<VxDbObjectId> second;
    EXPECT_EQ(
        pathsOf(rowFor(entry), &second),
        (Paths{{direct}, {outerRef, innerRef, deep}, {outerRef, inOuter}, {innerDirectRef, deep}}));
    EXPECT_EQ(second, (std::vector<VxDbObjectId>{direct, deep, inOuter, deep}));
}

TEST_F(PartRefPaths, ErasedEntitiesAndUnreferencedBlocksGiveNoPath) {
    const VxDbObjectId entry = sim::createDataEntry(*db);
    addPartRef(entry, addBlock(u"LONELY"));  // in a block nobody references
    const VxDbObjectId block = addBlock(u"B");
    const VxDbObjectId inBlock = addPartRef(entry, block);
    const VxDbObjectId erasedRef = addBlockRef(block);
    const VxDbObjectId erasedPart = addPartRef(entry);
    const VxDbObjectId kept = addPartRef(entry);
    const VxDbObjectId row = rowFor(entry);
    EXPECT_EQ(pathsOf(row), (Paths{{erasedRef, inBlock}, {erasedPart}, {kept}}));
    erase(erasedRef);
    erase(erasedPart);
    EXPECT_EQ(pathsOf(row), (Paths{{kept}}));
    EXPECT_TRUE(pathsOf(rowFor(sim::createDataEntry(*db))).empty()) << "a row without parts";
}

TEST_F(PartRefPaths, BlockThatReferencesItselfIsEnteredOnce) {
    const VxDbObjectId entry = sim::createDataEntry(*db);
    const VxDbObjectId loop = addBlock(u"LOOP");
    const VxDbObjectId selfRef = addBlockRef(loop, loop);
    const VxDbObjectId part = addPartRef(entry, loop);
    const VxDbObjectId top = addBlockRef(loop);
    (void)selfRef;
    EXPECT_EQ(pathsOf(rowFor(entry)), (Paths{{top, part}}));
}

// What a block adds is remembered only off loops, where it cannot depend on the way in.
TEST_F(PartRefPaths, CountsAgreeWithTheListingThroughLoopsOfBlocks) {
    const VxDbObjectId entry = sim::createDataEntry(*db);
    const VxDbObjectId a = addBlock(u"A");
    const VxDbObjectId b = addBlock(u"B");
    const VxDbObjectId c = addBlock(u"C");
    const VxDbObjectId d = addBlock(u"D");
    addPartRef(entry, a);
    addPartRef(entry, d);
    addBlockRef(a, b);  // A and B insert each other
    addBlockRef(b, a);
    addBlockRef(a, c);
    addBlockRef(b, c);
    addBlockRef(a, d);
    addBlockRef(d, a);  // D and A too
    addBlockRef(c);
    addBlockRef(b);
    addBlockRef(d);
    const VxDbObjectId row = rowFor(entry);
    sim::PartRefPathCounter counter(*db);
    const std::size_t listed = pathsOf(row).size();
    EXPECT_EQ(listed, 8u);
    EXPECT_EQ(counter.count(entry), std::optional<std::uint64_t>(listed));
    EXPECT_EQ(counter.count(entry), std::optional<std::uint64_t>(listed)) << "counted again";
    EXPECT_EQ(counter.count(sim::createDataEntry(*db)), std::optional<std::uint64_t>(0));
}

TEST_F(PartRefPaths, PathsAreFoundWhileModelSpaceIsOpenForWrite) {
    const VxDbObjectId entry = sim::createDataEntry(*db);
    const VxDbObjectId part = addPartRef(entry);
    const VxDbObjectId row = rowFor(entry);
    VxDbObject* space = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(space, modelSpace(), VxDb::kForWrite), Vx::eOk);
    EXPECT_EQ(pathsOf(row), (Paths{{part}}));
    space->close();

    VxmCObjArray<VxArray<VxDbObjectId>> paths;
    VxDbObjectIdArray second;
    EXPECT_EQ(bom->getPartRefPaths(part, paths, second), Vx::eNotThatKindOfClass);
    EXPECT_EQ(paths.length(), 0);
}

}  // namespace
