#include <gtest/gtest.h>

#include <optional>

#include "host/vx_status.h"
#include "partref/create_part_ref.h"
#include "partref/update_part_refs.h"
#include "sim/host/faults.h"
#include "tests/partref/part_ref_test_support.h"

namespace {

class UpdatePartRefsTest : public PartRefOpTest {
  protected:
    std::int32_t Update() {
        BomContext context{};
        context.bomId = partsList();
        return UpdatePartRefsFromPdm(context);
    }
};

TEST_F(UpdatePartRefsTest, EachRowFindsItsKeyByStoredKeyOrPartNumber) {
    UseStandardMapping();
    const VxDbObjectId keyed = AddRow(u"1", 1, {{u"ORBKEY", u"D7"}, {u"NOTE", u"kept"}});
    const VxDbObjectId emptyKey = AddRow(u"2", 1, {{u"ORBKEY", u""}, {u"ORBD_PARTNO", u"4711"}});
    const VxDbObjectId byRevision =
        AddRow(u"3", 1, {{u"ORBD_PARTNO", u"4711"}, {u"ORBD_PARTREV", u" B\t"}});
    const VxDbObjectId blankRevision =
        AddRow(u"4", 1, {{u"ORBD_PARTNO", u"4713"}, {u"ORBD_PARTREV", u"  "}});
    const VxDbObjectId unknown = AddRow(u"5", 1, {{u"ORBD_PARTNO", u"9999"}});
    const VxDbObjectId bare = AddRow(u"6", 1, {{u"NOTE", u"x"}});
    const VxDbObjectId unknownKey = AddRow(u"7", 1, {{u"ORBKEY", u"NOPE"}});

    EXPECT_EQ(Update(), 0);
    EXPECT_EQ(CellsOf(keyed), (VxmStringMap{{u"ORBKEY", u"D7"},
                                            {u"NOTE", u"kept"},
                                            {u"ORBD_PARTNO", u"4711"},
                                            {u"DESCRIPTION", u"Washer"}}));
    EXPECT_EQ(CellsOf(emptyKey), (VxmStringMap{{u"ORBKEY", u""}, {u"ORBD_PARTNO", u"4711"}}))
        << "an empty stored key leaves the row alone; its part number is not used";
    EXPECT_EQ(CellsOf(byRevision).at(u"DESCRIPTION"), u"Washer B");
    EXPECT_EQ(CellsOf(byRevision).count(u"ORBKEY"), 0u) << "the found key is not written";
    EXPECT_EQ(CellsOf(blankRevision).at(u"DESCRIPTION"), u"Nut");
    EXPECT_EQ(CellsOf(unknown), (VxmStringMap{{u"ORBD_PARTNO", u"9999"}}));
    EXPECT_EQ(CellsOf(bare), (VxmStringMap{{u"NOTE", u"x"}}));
    EXPECT_EQ(CellsOf(unknownKey),
              (VxmStringMap{{u"ORBKEY", u"NOPE"}, {u"ORBD_PARTNO", u""}, {u"DESCRIPTION", u""}}))
        << "a stored key the PDM does not know still writes what the queries answer";

    bool revisionQuery = false;
    bool identQuery = false;
    for (const std::u16string& expression : PdmExpressions()) {
        revisionQuery |=
            expression == u"#(where db=Folder_All_Part (IDENT=N'4711' AND REVISION=N'B') #ORBKEY)";
        identQuery |= expression == u"#(where db=Folder_All_Part IDENT=N'4713' #ORBKEY)";
    }
    EXPECT_TRUE(revisionQuery) << "the revision is stripped";
    EXPECT_TRUE(identQuery) << "a blank revision asks by ident alone";
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(UpdatePartRefsTest, ErrorAnswerOfTheKeyQueryIsNoKey) {
    UseStandardMapping();
    const VxDbObjectId row = AddRow(u"1", 1, {{u"ORBD_PARTNO", u"4711"}});
    sim::armFault("orbdPrep", 1, 3);  // the key query answers "!PDM failure 3"
    EXPECT_EQ(Update(), 0);
    EXPECT_EQ(CellsOf(row), (VxmStringMap{{u"ORBD_PARTNO", u"4711"}}));
}

TEST_F(UpdatePartRefsTest, AKeyAnswerHoldingSeveralKeysIsNoKey) {
    UseStandardMapping();
    sim::pdm::setTable(u"Folder_All_Part",
                       {{{u"ORBKEY", u"P9"}, {u"IDENT", u"4711"}, {u"DESCR", u"Washer"}},
                        {{u"ORBKEY", u"P8"}, {u"IDENT", u"4711"}, {u"DESCR", u"Shim"}}});
    const VxDbObjectId row =
        AddRow(u"1", 1, {{u"ORBD_PARTNO", u"4711"}, {u"DESCRIPTION", u"Mine"}});
    EXPECT_EQ(Update(), 0);
    EXPECT_EQ(CellsOf(row), (VxmStringMap{{u"ORBD_PARTNO", u"4711"}, {u"DESCRIPTION", u"Mine"}}))
        << "two parts share the part number: the row is left as it was";
    for (const std::u16string& expression : PdmExpressions()) {
        EXPECT_EQ(expression.find(u"P9"), std::u16string::npos) << "no query for the joined keys";
    }
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(UpdatePartRefsTest, ResultIsThatOfTheLastFetch) {
    AddRow(u"1", 1, {{u"ORBKEY", u"D7"}});
    AddRow(u"2", 1, {{u"ORBD_PARTNO", u"4711"}});
    UseMapping({"[KORDANEProductToVexa]", "DESCRIPTION=@(DESCR:t)"});
    EXPECT_EQ(Update(), 0) << "the failed fetch of row 1 is followed by a good one";

    AddRow(u"3", 1, {{u"ORBKEY", u"D8"}});
    PdmLink::Reset();
    EXPECT_EQ(Update(), -2) << "the section of keyed rows is missing";
    EXPECT_TRUE(Alerts().empty()) << "a failed fetch is not reported";

    PdmLink::Reset();
    BomContext none{};
    EXPECT_EQ(UpdatePartRefsFromPdm(none), -1) << "no rows to walk";
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{kText43}));
}

TEST_F(UpdatePartRefsTest, HostFailuresGiveOneAlertAndKeepEarlierRows) {
    UseStandardMapping();
    const VxDbObjectId first = AddRow(u"1", 1, {{u"ORBKEY", u"D7"}});
    const VxDbObjectId second = AddRow(u"2", 1, {{u"ORBKEY", u"D8"}});
    const VxDbObjectId third = AddRow(u"3", 1, {{u"ORBKEY", u"D8"}});
    sim::armFault("writeRow", 2, Vx::eWasOpenForWrite);
    EXPECT_EQ(Update(), -1);
    EXPECT_EQ(CellsOf(first).at(u"DESCRIPTION"), u"Washer");
    EXPECT_EQ(CellsOf(second).count(u"DESCRIPTION"), 0u);
    EXPECT_EQ(CellsOf(third).count(u"DESCRIPTION"), 0u) << "the walk ends at the refusal";
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{vexaErrorStatusText(Vx::eWasOpenForWrite)}));

    sim::clearFaults();
    sim::armFault("readRow", 1, Vx::eKeyNotFound);
    EXPECT_EQ(Update(), -1);
    EXPECT_EQ(Alerts().size(), 2u);
}

TEST_F(UpdatePartRefsTest, SyncPartDataWritesTheDrawingsOwnPartData) {
    UseStandardMapping();
    BomContext context{};
    EXPECT_EQ(SyncPartData(context, nullptr), -1);
    EXPECT_EQ(SyncPartData(context, u""), -1);
    EXPECT_EQ(SyncPartData(context, u"D8"), 0);
    EXPECT_EQ(sim::blockPartData(db(), db().modelSpaceId()),
              (VxmStringMap{{u"TITLE", u"Bolt"}, {u"ORBKEY", u"D8"}}));

    sim::armFault("setPartData", 1, Vx::eNotApplicable);
    EXPECT_EQ(SyncPartData(context, u"D7"), kPartDataRefused);
    EXPECT_EQ(Prints().back(),
              u"\n" + std::u16string(vexaErrorStatusText(Vx::eNotApplicable)) + u"\n");
    EXPECT_EQ(sim::blockPartData(db(), db().modelSpaceId())->at(u"TITLE"), u"Bolt");

    sim::armFault("getSymbolTable", 1, Vx::eOutOfMemory);
    EXPECT_EQ(SyncPartData(context, u"D7"), -1);

    // A section that yields no values writes nothing, not even the key.
    UseMapping({"[KORDANEPartDataToVexa]", "TITLE=(NoSuchFunction)"});
    PdmLink::Reset();
    sim::setBlockPartData(db(), db().modelSpaceId(), {{u"TITLE", u"old"}});
    EXPECT_EQ(SyncPartData(context, u"D7"), 0);
    EXPECT_EQ(sim::blockPartData(db(), db().modelSpaceId()), (VxmStringMap{{u"TITLE", u"old"}}));
}

}  // namespace
