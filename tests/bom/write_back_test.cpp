#include <gtest/gtest.h>

#include "bom/write_back.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

namespace {

class WriteBackTest : public BomTest {
  protected:
    void SetUp() override {
        BomTest::SetUp();
        UseDocumentStructure({{u"1", u"A-1"}, {u"2", u"A-2"}, {u"3", u"A-3"}});
    }
    std::int32_t WriteBack() {
        BomContext context{};
        context.bomId = partsList();
        return WriteBackPartNumbers(context);
    }
};

TEST_F(WriteBackTest, PdmErrorAnswerIsNotAPartNumber) {
    const VxDbObjectId first = AddRow(u"1", 1, {{u"NOTE", u"n"}});
    const VxDbObjectId second = AddRow(u"2", 2);
    sim::armFault("orbdPrep", 1, 3);  // the PDM fails the first position query

    EXPECT_EQ(WriteBack(), 0);
    EXPECT_EQ(CellsOf(first), (VxmStringMap{{u"NOTE", u"n"}}));
    EXPECT_EQ(CellsOf(second), (VxmStringMap{{u"ORBD_PARTNO", u"A-2"}}));
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(WriteBackTest, ReadFailureStopsButKeepsRowsAlreadyWritten) {
    const VxDbObjectId first = AddRow(u"1", 1);
    const VxDbObjectId second = AddRow(u"2", 1);
    sim::armFault("readRow", 2, Vx::eWasErased);

    EXPECT_EQ(WriteBack(), -1);
    EXPECT_EQ(CellsOf(first), (VxmStringMap{{u"ORBD_PARTNO", u"A-1"}}));
    EXPECT_TRUE(CellsOf(second).empty());
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{vexaErrorStatusText(Vx::eWasErased)}));
}

TEST_F(WriteBackTest, MissingCursorShowsText43) {
    BomContext context{};  // no parts list: the layer gives no cursor
    EXPECT_EQ(WriteBackPartNumbers(context), -1);
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{kText43}));
}

}  // namespace
