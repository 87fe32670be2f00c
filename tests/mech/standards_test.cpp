#include "host/vevu_2d_structure.h"
#include "host/vxm_standard.h"
#include "tests/mech/mech_fixture.h"

namespace {

class Standards : public MechTest {
  protected:
    VxDbObjectId bomStdId() {
        VxDbObjectId standardId;
        EXPECT_EQ(getVxmStdMgr()->getCurrentStandard(standardId), Vx::eOk);
        VxmStandard* standard = nullptr;
        EXPECT_EQ(vxdbOpenVxDbObject(standard, standardId, VxDb::kForRead), Vx::eOk);
        VxDbObjectId id;
        EXPECT_EQ(standard->getCurrentSymbolStd(id, u"VxmBOMStd"), Vx::eOk);
        standard->close();
        return id;
    }
};

TEST_F(Standards, ColumnsKeepOrderAndAttributes) {
    sim::setStandardColumns(*db, {{u"ITEM", true, 29, 0, u"ITEM"}, {u"QTY", false, 5, 1, u"Qty"}});
    VxmBOMStd* std = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(std, bomStdId(), VxDb::kForWrite), Vx::eOk);
    ASSERT_EQ(std->columnLength(), 2);
    ASSERT_EQ(std->appendColumn(29, 2, u"WEIGHT", u"Weight"), Vx::eOk);
    EXPECT_EQ(std->appendColumn(29, 0, u"QTY", u"again"), Vx::eDuplicateKey);
    EXPECT_EQ(std->appendColumn(29, 0, u"", u"empty"), Vx::eInvalidInput);
    EXPECT_EQ(std->appendColumn(29, 0, nullptr, u"none"), Vx::eInvalidInput);

    int index = -1;
    VxmCColumnDef* weight = std->column(u"WEIGHT", &index);
    ASSERT_NE(weight, nullptr);
    EXPECT_EQ(index, 2);
    EXPECT_TRUE(weight->isVisible()) << "appended columns start visible";
    weight->setVisible(false);
    EXPECT_EQ(std->column(u"weight"), nullptr) << "names are case-sensitive";
    EXPECT_EQ(std->column(3), nullptr);
    EXPECT_EQ(std->column(-1), nullptr);
    EXPECT_EQ(std::u16string(std->column(1)->columnName()), u"QTY");
    EXPECT_FALSE(std->column(1)->isVisible());
    std->close();

    const std::vector<sim::ColumnSpec> expected{{u"ITEM", true, 29, 0, u"ITEM"},
                                                {u"QTY", false, 5, 1, u"Qty"},
                                                {u"WEIGHT", false, 29, 2, u"Weight"}};
    EXPECT_EQ(sim::standardColumns(*db), expected);
}

TEST_F(Standards, ChangesNeedTheStandardOpenForWrite) {
    VxmBOMStd* std = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(std, bomStdId(), VxDb::kForRead), Vx::eOk);
    EXPECT_EQ(std->appendColumn(29, 0, u"ORBKEY", u"ORBKEY"), Vx::eNotOpenForWrite);
    std->close();
    sim::setStandardColumns(*db, {{u"ORBKEY", true, 29, 0, u"ORBKEY"}});
    ASSERT_EQ(vxdbOpenVxDbObject(std, bomStdId(), VxDb::kForRead), Vx::eOk);
    std->column(u"ORBKEY")->setVisible(false);
    EXPECT_TRUE(std->column(u"ORBKEY")->isVisible());
    std->close();
}

TEST_F(Standards, SymbolStandardOfAnotherKindIsNotFound) {
    VxDbObjectId standardId;
    ASSERT_EQ(getVxmStdMgr()->getCurrentStandard(standardId), Vx::eOk);
    VxDbObjectId again;
    ASSERT_EQ(getVxmStdMgr()->getCurrentStandard(again, db), Vx::eOk);
    EXPECT_EQ(standardId, again);
    VxmStandard* standard = nullptr;
    ASSERT_EQ(vxdbOpenVxDbObject(standard, standardId, VxDb::kForRead), Vx::eOk);
    VxDbObjectId id;
    EXPECT_EQ(standard->getCurrentSymbolStd(id, u"VxmBalloonStd"), Vx::eKeyNotFound);
    EXPECT_EQ(standard->getCurrentSymbolStd(id, nullptr), Vx::eKeyNotFound);
    standard->close();
    VxmStandard* wrong = nullptr;
    EXPECT_EQ(vxdbOpenVxDbObject(wrong, bomStdId(), VxDb::kForRead), Vx::eNotThatKindOfClass);
}

TEST_F(Standards, StructureFlagFollowsTheWorkingDrawing) {
    EXPECT_EQ(CVevu2DStructureMgr().Is2DStructureEnabled(), 0);
    sim::setStructure2d(*db, true);
    EXPECT_EQ(CVevu2DStructureMgr().Is2DStructureEnabled(), 1);
    sim::resetHost();
    EXPECT_EQ(CVevu2DStructureMgr().Is2DStructureEnabled(), 0) << "a fresh drawing";
}

}  // namespace
