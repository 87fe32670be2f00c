#include "tests/mech/mech_fixture.h"

namespace {

using PartData = MechTest;

TEST_F(PartData, EachKindOfObjectKeepsItsPartDataWhereItBelongs) {
    const VxDbObjectId xref = addBlock(u"GEAR", u"parts/gear.dwg");
    const VxDbObjectId xrefRef = addBlockRef(xref);
    const VxDbObjectId partRef = addPartRef(sim::createDataEntry(*db, {{u"ORBKEY", u"P7"}}));

    EXPECT_EQ(partData(partRef), (VxmStringMap{{u"ORBKEY", u"P7"}}));

    ASSERT_EQ(bom->setPartData(xrefRef, {{u"ORBKEY", u"P9"}}), Vx::eOk);
    EXPECT_EQ(partData(xrefRef), (VxmStringMap{{u"ORBKEY", u"P9"}}));
    EXPECT_EQ(partData(xref), partData(xrefRef)) << "an xref reference's data are its block's";
    EXPECT_EQ(sim::blockPartData(*db, xref), (VxmStringMap{{u"ORBKEY", u"P9"}}));

    EXPECT_TRUE(partData(modelSpace()).empty()) << "the drawing's own part data start empty";
    ASSERT_EQ(bom->setPartData(modelSpace(), {{u"ORBKEY", u"D1.1"}, {u"TITLE", u"Pump"}}), Vx::eOk);
    EXPECT_EQ(partData(modelSpace()), (VxmStringMap{{u"ORBKEY", u"D1.1"}, {u"TITLE", u"Pump"}}));
    ASSERT_EQ(bom->setPartData(modelSpace(), {{u"TITLE", u"Valve"}}), Vx::eOk);
    EXPECT_EQ(partData(modelSpace()), (VxmStringMap{{u"TITLE", u"Valve"}})) << "written whole";
}

TEST_F(PartData, ObjectsWithoutPartDataAnswerAStatusAndLeaveTheMapAlone) {
    const VxDbObjectId plain = addBlock(u"PLAIN");
    const VxDbObjectId plainRef = addBlockRef(plain);
    const VxDbObjectId bareXref = addBlockRef(addBlock(u"BARE", u"bare.dwg"));
    const VxDbObjectId line = addLine();
    const VxmStringMap before{{u"KEEP", u"1"}};
    VxmStringMap data = before;

    EXPECT_EQ(bom->getPartData(plainRef, data), Vx::eNotApplicable);
    EXPECT_EQ(bom->getPartData(line, data), Vx::eNotApplicable);
    EXPECT_EQ(bom->getPartData(bareXref, data), Vx::eKeyNotFound)
        << "an external reference that never received part data";
    EXPECT_EQ(bom->getPartData(plain, data), Vx::eKeyNotFound);
    EXPECT_EQ(bom->getPartData({}, data), Vx::eNullObjectId);
    EXPECT_EQ(bom->getPartData(VxDbObjectId::fromInt64(0x7fffffffffff), data), Vx::eUnknownHandle);
    EXPECT_EQ(data, before);

    EXPECT_EQ(bom->setPartData(plainRef, {{u"ORBKEY", u"X"}}), Vx::eNotApplicable);
    EXPECT_EQ(bom->setPartData(line, {{u"ORBKEY", u"X"}}), Vx::eNotApplicable);
    EXPECT_FALSE(sim::blockPartData(*db, plain).has_value());
}

TEST_F(PartData, ErasedObjectsAnswerWasErased) {
    const VxDbObjectId partRef = addPartRef(sim::createDataEntry(*db, {{u"ORBKEY", u"P1"}}));
    erase(partRef);
    VxmStringMap data;
    EXPECT_EQ(bom->getPartData(partRef, data), Vx::eWasErased);
    EXPECT_EQ(bom->setPartData(partRef, {}), Vx::eWasErased);
}

TEST_F(PartData, NewPartReferenceGetsItsOwnDataEntryWhenFirstWritten) {
    const VxDbObjectId a = addPartRef();
    const VxDbObjectId b = addPartRef();
    EXPECT_TRUE(sim::partRefDataEntry(*db, a).isNull());
    EXPECT_TRUE(partData(a).empty());
    EXPECT_TRUE(sim::partRefDataEntry(*db, a).isNull()) << "reading creates nothing";

    ASSERT_EQ(bom->setPartData(a, {{u"ORBKEY", u"P1"}}), Vx::eOk);
    ASSERT_EQ(bom->setPartData(b, {{u"ORBKEY", u"P2"}}), Vx::eOk);
    EXPECT_FALSE(sim::partRefDataEntry(*db, a).isNull());
    EXPECT_NE(sim::partRefDataEntry(*db, a), sim::partRefDataEntry(*db, b));
    EXPECT_EQ(partData(a), (VxmStringMap{{u"ORBKEY", u"P1"}}));
    EXPECT_EQ(partData(b), (VxmStringMap{{u"ORBKEY", u"P2"}}));

    // A part reference built on another one's data entry shares its data.
    const VxDbObjectId twin = addPartRef(sim::partRefDataEntry(*db, a));
    EXPECT_EQ(partData(twin), partData(a));
}

TEST_F(PartData, PartDataWorkWhileTheCallerHoldsObjectsOpen) {
    // The update command reads an xref reference's part data with the reference and its
    // block open for read; part data are written while model space is open for write.
    const VxDbObjectId xref = addBlock(u"GEAR", u"gear.dwg");
    sim::setBlockPartData(*db, xref, {{u"ORBKEY", u"P9"}});
    const VxDbObjectId ref = addBlockRef(xref);
    const VxDbObjectId partRef = addPartRef();
    VxDbObject* openRef = nullptr;
    VxDbObject* openBlock = nullptr;
    VxDbObject* openSpace = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(openRef, ref, VxDb::kForRead), Vx::eOk);
    ASSERT_EQ(vxdbOpenVxDbObject(openBlock, xref, VxDb::kForRead), Vx::eOk);
    ASSERT_EQ(vxdbOpenVxDbObject(openSpace, modelSpace(), VxDb::kForWrite), Vx::eOk);
    EXPECT_EQ(partData(ref), (VxmStringMap{{u"ORBKEY", u"P9"}}));
    EXPECT_EQ(bom->setPartData(partRef, {{u"ORBKEY", u"P1"}}), Vx::eOk);
    openSpace->close();
    openBlock->close();
    openRef->close();
    EXPECT_EQ(sim::openObjectCount(), 0u) << "the layer opens nothing it leaves open";
}

}  // namespace
