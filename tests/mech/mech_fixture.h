// A fresh host with its working database for each test, and small builders for drawings.
#pragma once

#include <gtest/gtest.h>

#include "host/vx_db.h"
#include "host/vxm_bom.h"
#include "host/vxm_partref.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/mech/mech_control.h"

class MechTest : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::resetHost();
        db = &sim::workingDatabase();
        bom = getVxmBomMgr();
    }
    void TearDown() override { sim::clearFaults(); }

    VxDbObjectId modelSpace() const { return db->modelSpaceId(); }
    VxDbObjectId addPartRef(VxDbObjectId entry = {}, VxDbObjectId block = {}) {
        return db->appendEntity(block.isNull() ? modelSpace() : block, new VxmPartRef(entry));
    }
    VxDbObjectId addBlockRef(VxDbObjectId target, VxDbObjectId block = {}) {
        return db->appendEntity(block.isNull() ? modelSpace() : block,
                                new VxDbBlockReference(VxGePoint3d{}, target));
    }
    VxDbObjectId addBlock(const char16_t* name, const char16_t* xrefPath = u"") {
        return db->addBlock(VxString(name), VxString(xrefPath));
    }
    VxDbObjectId addLine() { return db->appendEntity(modelSpace(), new VxDbLine()); }
    void erase(VxDbObjectId id) {
        VxDbObject* object = nullptr;
        ASSERT_EQ(vxdbOpenVxDbObject(object, id, VxDb::kForWrite), Vx::eOk);
        ASSERT_EQ(object->erase(), Vx::eOk);
        ASSERT_EQ(object->close(), Vx::eOk);
    }
    VxmStringMap partData(VxDbObjectId id) {
        VxmStringMap data;
        EXPECT_EQ(bom->getPartData(id, data), Vx::eOk);
        return data;
    }

    sim::Database* db = nullptr;
    VxmBOMManager* bom = nullptr;
};
