// The drawing's indexes against plain scans: after each change, the paths a row's part
// references give and the row a data entry has must be what walking the drawing finds.
#include <algorithm>

#include "sim/host/host_internals.h"
#include "sim/mech/mech_objects.h"
#include "sim/mech/parts_list_rows.h"
#include "sim/mech/vxm_internals.h"
#include "tests/mech/mech_fixture.h"

namespace {

using Path = std::vector<VxDbObjectId>;
using Paths = std::vector<Path>;

class IndexMaintenance : public MechTest {
  protected:
    // Down from model space in entity order, entering no block twice on one path.
    void scan(VxDbObjectId block, VxDbObjectId entry, Path& chain, Path& entered, Paths& found) {
        for (const VxDbObjectId id : db->entitiesOf(block, false)) {
            chain.push_back(id);
            const VxDbObject* object = db->lookup(id);
            if (const auto* partRef = dynamic_cast<const VxmPartRef*>(object)) {
                if (partRef->dataEntryId() == entry) {
                    found.push_back(chain);
                }
            } else if (const auto* ref = dynamic_cast<const VxDbBlockReference*>(object)) {
                const VxDbObjectId target = ref->blockTableRecord();
                const VxDbObject* record = db->lookup(target);
                if (record != nullptr && !record->isErased() &&
                    std::find(entered.begin(), entered.end(), target) == entered.end()) {
                    entered.push_back(target);
                    scan(target, entry, chain, entered, found);
                    entered.pop_back();
                }
            }
            chain.pop_back();
        }
    }
    Paths scannedPaths(VxDbObjectId entry) {
        Path chain;
        Path entered;
        Paths found;
        scan(modelSpace(), entry, chain, entered, found);
        return found;
    }
    Paths indexedPaths(VxDbObjectId row) {
        VxmCObjArray<VxArray<VxDbObjectId>> paths;
        VxDbObjectIdArray ends;
        EXPECT_EQ(bom->getPartRefPaths(row, paths, ends), Vx::eOk);
        Paths result;
        for (int i = 0; i < paths.length(); ++i) {
            result.emplace_back(paths[i]->begin(), paths[i]->end());
        }
        return result;
    }
    void expectSame(VxDbObjectId row, VxDbObjectId entry, const char* after) {
        EXPECT_EQ(indexedPaths(row), scannedPaths(entry)) << "after " << after;
    }
    void setErased(VxDbObjectId id, bool erasing) {
        VxDbObject* object = nullptr;
        ASSERT_EQ(vxdbOpenVxDbObject(object, id, VxDb::kForWrite, nullptr, true), Vx::eOk);
        ASSERT_EQ(object->erase(erasing), Vx::eOk);
        ASSERT_EQ(object->close(), Vx::eOk);
    }
};

TEST_F(IndexMaintenance, PartRefPathsFollowErasureRepointingAndExternalReferences) {
    const VxDbObjectId entry = sim::createDataEntry(*db);
    const VxDbObjectId other = sim::createDataEntry(*db);
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 1, entry);
    const VxDbObjectId xref = addBlock(u"XR", u"parts/xr.dwg");
    const VxDbObjectId plain = addBlock(u"PLAIN");
    const VxDbObjectId inXref = addPartRef(entry, xref);
    const VxDbObjectId direct = addPartRef(entry);
    const VxDbObjectId xrefRef = addBlockRef(xref);
    const VxDbObjectId plainRef = addBlockRef(plain);
    addPartRef(other);
    expectSame(row, entry, "loading");
    EXPECT_EQ(indexedPaths(row), (Paths{{direct}, {xrefRef, inXref}}));

    setErased(direct, true);
    expectSame(row, entry, "erasing a part reference");
    setErased(direct, false);
    expectSame(row, entry, "unerasing it");
    setErased(xrefRef, true);
    expectSame(row, entry, "erasing the external reference's insertion");
    setErased(xrefRef, false);
    expectSame(row, entry, "unerasing it");

    auto* moved = db->lookupAs<VxmPartRef>(direct);
    VxmInternals::dataEntry(*moved) = other;
    db->repointPartRef(direct, entry, other);
    expectSame(row, entry, "re-pointing a part reference to another data entry");
    EXPECT_TRUE(std::find(db->partRefsOf(other).begin(), db->partRefsOf(other).end(), direct) !=
                db->partRefsOf(other).end())
        << "the other data entry lists it";

    auto* reference = db->lookupAs<VxDbBlockReference>(xrefRef);
    VxHostInternals::setBlock(*reference, plain);
    expectSame(row, entry, "re-pointing the block reference away from the external reference");
    VxHostInternals::setBlock(*db->lookupAs<VxDbBlockReference>(plainRef), xref);
    expectSame(row, entry, "re-pointing another block reference to it");
    EXPECT_EQ(indexedPaths(row), (Paths{{plainRef, inXref}}));
}

TEST_F(IndexMaintenance, PartRefWithoutDataEntryIsFiledWhenItGetsOne) {
    const VxDbObjectId bare = addPartRef();
    ASSERT_EQ(bom->setPartData(bare, VxmStringMap{{u"ORBKEY", u"P1"}}), Vx::eOk);
    const VxDbObjectId entry = db->lookupAs<VxmPartRef>(bare)->dataEntryId();
    ASSERT_FALSE(entry.isNull());
    const VxDbObjectId list = sim::createPartsList(*db, {});
    const VxDbObjectId row = sim::addRow(*db, list, u"1", 1, entry);
    expectSame(row, entry, "the data entry was created for it");
    EXPECT_EQ(indexedPaths(row), (Paths{{bare}}));
}

TEST_F(IndexMaintenance, RowOfDataEntryMatchesAScanThroughErasure) {
    const VxDbObjectId listId = sim::createPartsList(*db, {});
    std::vector<VxDbObjectId> entries;
    for (int i = 0; i < 5; ++i) {
        entries.push_back(sim::createDataEntry(*db));
        sim::addRow(*db, listId, u"1", 1, entries.back());
    }
    const auto* list = db->lookupAs<sim::PartsList>(listId);
    ASSERT_NE(list, nullptr);
    const auto scanned = [&](VxDbObjectId entry) {
        for (const VxDbObjectId id : list->rows) {
            if (db->lookupAs<sim::PartsListRow>(id)->dataEntry == entry) {
                return id;
            }
        }
        return VxDbObjectId();
    };
    const auto indexed = [&](VxDbObjectId entry) {
        const sim::PartsListRow* row = sim::rowOfDataEntry(*db, *list, entry);
        return row != nullptr ? row->objectId() : VxDbObjectId();
    };
    const VxDbObjectId erasedRow = list->rows[2];
    setErased(erasedRow, true);
    for (const VxDbObjectId entry : entries) {
        EXPECT_EQ(indexed(entry), scanned(entry)) << "with a row erased";
    }
    setErased(erasedRow, false);
    for (const VxDbObjectId entry : entries) {
        EXPECT_EQ(indexed(entry), scanned(entry)) << "with the row unerased";
    }
    EXPECT_EQ(indexed(sim::createDataEntry(*db)), VxDbObjectId()) << "an entry without a row";
}

}  // namespace
