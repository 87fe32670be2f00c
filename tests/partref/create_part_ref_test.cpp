#include <gtest/gtest.h>

#include "host/vx_status.h"
#include "partref/create_part_ref.h"
#include "sim/host/faults.h"
#include "sim/host/lisp.h"
#include "tests/partref/part_ref_test_support.h"

namespace {

using CreatePartRefTest = PartRefOpTest;

TEST_F(CreatePartRefTest, PlacesFillsAndHandsTheNewPartRefToThePartsList) {
    UseStandardMapping();
    partsList();
    Type(u"10,20\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), 0);

    const std::vector<VxDbObjectId> entities = ModelSpaceEntities();
    ASSERT_EQ(entities.size(), 1u);
    const VxmPartRef* partRef = PartRef(entities[0]);
    ASSERT_NE(partRef, nullptr);
    EXPECT_EQ(partRef->position().x, 10);
    EXPECT_EQ(partRef->position().y, 20);
    EXPECT_EQ(partRef->layer().str(), u"0") << "the database defaults are applied";
    EXPECT_EQ(
        PartDataOf(entities[0]),
        (VxmStringMap{{u"ORBD_PARTNO", u"4711"}, {u"DESCRIPTION", u"Washer"}, {u"ORBKEY", u"D7"}}));
    const std::vector<sim::RowRecord> rows = sim::rowsOf(db(), partsList());
    ASSERT_EQ(rows.size(), 1u) << "handed to the parts list";
    EXPECT_EQ(rows[0].dataEntry, sim::partRefDataEntry(db(), entities[0]));
    EXPECT_EQ(Prints(), (std::vector<std::u16string>{u"\n"}));
    EXPECT_EQ(context.columnsEnsured, 1);
}

TEST_F(CreatePartRefTest, ModelSpaceStaysOpenForWriteWhileThePdmIsAsked) {
    UseMapping({"[KORDANEPartRefToVexa]", "SEEN=(Probe)"});
    bool modelSpaceOpenForWrite = false;
    bool partRefClosed = false;
    sim::defineHostFunction(u"Probe", [&](const VxResBuf*) {
        for (const VxDbObjectId id : db().openObjects()) {
            modelSpaceOpenForWrite |=
                id == db().modelSpaceId() && db().lookup(id)->isWriteEnabled();
        }
        const std::vector<VxDbObjectId> entities = ModelSpaceEntities();
        partRefClosed = entities.size() == 1 && !db().lookup(entities[0])->isWriteEnabled();
        return sim::HostFunctionResult{kRtNorm, vxutBuildList(kRtStr, u"yes", kRtNone)};
    });
    Type(u"0,0\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), 0);
    EXPECT_TRUE(modelSpaceOpenForWrite);
    EXPECT_TRUE(partRefClosed) << "the part reference is closed right after the append";
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]).at(u"SEEN"), u"yes");
}

TEST_F(CreatePartRefTest, CancelledPointOrNoKeyCreatesNothing) {
    UseStandardMapping();
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, nullptr, nullptr, nullptr, true), -1);
    EXPECT_TRUE(Prints().empty()) << "no prompt without a key";

    Type(u"\x1b");
    EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), 0);
    EXPECT_TRUE(ModelSpaceEntities().empty());
    EXPECT_EQ(Prints(), (std::vector<std::u16string>{u"\n"})) << "only the leading line break";
}

TEST_F(CreatePartRefTest, MappingProblemsAreReportedAndTheEmptyPartRefStays) {
    partsList();
    SetEnv(u"BOMIniFile", u"missing.ini");
    Type(u"1,1\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), -1);
    ASSERT_EQ(ModelSpaceEntities().size(), 1u);
    EXPECT_TRUE(PartDataOf(ModelSpaceEntities()[0]).empty());
    EXPECT_TRUE(sim::rowsOf(db(), partsList()).empty()) << "not handed to the parts list";
    EXPECT_EQ(Prints().back(), u"\nmissing.ini\n" + std::u16string(kTextVX16300) + u"\n");

    UseMapping({"[Other]", "A=@(IDENT:t)"});
    PdmLink::Reset();
    Type(u"2,2\n");
    EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), -2);
    EXPECT_EQ(Prints().back(), u"\nKORDANEPartRefToVexa\n" + std::u16string(kTextVX16301) + u"\n")
        << "the default section is named";
    Type(u"3,3\n");
    EXPECT_EQ(CreatePartRef(context, u"D7", u"", u"My Section", true), -2);
    EXPECT_EQ(Prints().back(), u"\nMy Section\n" + std::u16string(kTextVX16301) + u"\n");
    EXPECT_EQ(ModelSpaceEntities().size(), 3u);
}

TEST_F(CreatePartRefTest, KeyIsStoredOnlyWhenAskedOrMapped) {
    UseMapping({"[Virtual]", "DESCRIPTION=@(DESCR:t)", "[VirtualWithKey]", "ORBKEY=@(IDENT:t)"});
    BomContext context{};
    Type(u"0,0\n");
    EXPECT_EQ(CreatePartRef(context, u"P1", u"Folder_All_Part", u"Virtual", false), 0);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]), (VxmStringMap{{u"DESCRIPTION", u"Washer B"}}));
    Type(u"0,0\n");
    EXPECT_EQ(CreatePartRef(context, u"P1", u"Folder_All_Part", u"VirtualWithKey", true), 0);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[1]), (VxmStringMap{{u"ORBKEY", u"P1"}}))
        << "writeKey replaces what the section mapped";

    // A key the PDM does not know: empty answers are stored, and with writeKey the key.
    Type(u"0,0\n");
    EXPECT_EQ(CreatePartRef(context, u"P77", u"Folder_All_Part", u"Virtual", true), 0);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[2]),
              (VxmStringMap{{u"DESCRIPTION", u""}, {u"ORBKEY", u"P77"}}));
}

TEST_F(CreatePartRefTest, AnEmptyKeyTakesNoRecordsFields) {
    UseStandardMapping();
    // A record without a key, which "ORBKEY=" would find.
    sim::pdm::setTable(u"Folder_All_Document", {{{u"IDENT", u"0815"}, {u"DESCR", u"Stranger"}}});
    const VxDbObjectId row = AddRowWithPartRef(u"1", 1, {{u"NOTE", u"n"}});
    const VxDbObjectId unkeyed = ModelSpaceEntities()[0];
    Type(u"0,0\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"", nullptr, nullptr, true), 0) << "not refused";
    ASSERT_EQ(ModelSpaceEntities().size(), 2u);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[1]), (VxmStringMap{{u"ORBKEY", u""}}));

    EXPECT_EQ(AssignPartRefKey(context, unkeyed, u""), 0);
    EXPECT_EQ(CellsOf(row), (VxmStringMap{{u"NOTE", u"n"}, {u"ORBKEY", u""}}));
    EXPECT_TRUE(PdmExpressions().empty()) << "the PDM is asked nothing";
}

TEST_F(CreatePartRefTest, UnquotableKeyAsksThePdmNothing) {
    UseStandardMapping();
    Type(u"0,0\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"D7\" OR \"X=", nullptr, nullptr, true), 0);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]), (VxmStringMap{{u"ORBKEY", u"D7\" OR \"X="}}))
        << "its fields are left out as for a PDM error";
    for (const std::u16string& expression : PdmExpressions()) {
        EXPECT_EQ(expression.find(u"D7\""), std::u16string::npos);
    }
}

TEST_F(CreatePartRefTest, FailuresBeforeTheAppendDeleteTheEntity) {
    UseStandardMapping();
    for (const char* operation :
         {"setDatabaseDefaults", "transformBy", "getAt", "appendVxDbEntity", "vxdbUcs2Wcs"}) {
        sim::clearFaults();
        sim::armFault(operation, 1, Vx::eOutOfMemory);
        Type(u"5,5\n");
        BomContext context{};
        EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), 0) << operation;
        EXPECT_TRUE(ModelSpaceEntities().empty()) << operation;
        EXPECT_EQ(sim::openObjectCount(), 0u) << operation;
        EXPECT_EQ(PdmExpressions().size(), 0u) << operation << ": the PDM is not asked";
    }
    const std::vector<std::u16string> prints = Prints();
    ASSERT_FALSE(prints.empty());
    EXPECT_EQ(prints.back(), u"\n" + std::u16string(vexaErrorStatusText(kRtError)) + u"\n");
}

TEST_F(CreatePartRefTest, RefusedPartDataIsReported) {
    UseStandardMapping();
    partsList();
    sim::armFault("setPartData", 1, Vx::eWasOpenForWrite);
    Type(u"5,5\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"D7", nullptr, nullptr, true), kPartDataRefused);
    EXPECT_EQ(Prints().back(),
              u"\n" + std::u16string(vexaErrorStatusText(Vx::eWasOpenForWrite)) + u"\n");
    EXPECT_EQ(ModelSpaceEntities().size(), 1u) << "the appended part reference stays";
}

TEST_F(CreatePartRefTest, WithoutPartsListThePartRefIsStillFilled) {
    UseStandardMapping();
    Type(u"5,5\n");
    BomContext context{};
    EXPECT_EQ(CreatePartRef(context, u"D8", nullptr, nullptr, true), 0);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]).at(u"DESCRIPTION"), u"Bolt");
    EXPECT_TRUE(sim::partsLists(db()).empty());
}

TEST_F(CreatePartRefTest, AssignPartRefKeyStoresTheKeyWhateverTheSectionMaps) {
    UseMapping({"[KORDANEPartRefToVexa]", "ORBKEY=@(IDENT:t)", "DESCRIPTION=@(DESCR:t)"});
    const VxDbObjectId row = AddRowWithPartRef(u"1", 1, {{u"ORBKEY", u"OLD"}});
    const VxDbObjectId partRef = ModelSpaceEntities()[0];
    BomContext context{};
    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D8"), 0);
    EXPECT_EQ(CellsOf(row), (VxmStringMap{{u"ORBKEY", u"D8"}, {u"DESCRIPTION", u"Bolt"}}));
    EXPECT_TRUE(Prints().empty());

    sim::armFault("setPartData", 1, Vx::eNotApplicable);
    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D7"), kPartDataRefused);
    EXPECT_EQ(CellsOf(row).at(u"ORBKEY"), u"D8");

    UseMapping({"[Other]", "A=@(IDENT:t)"});
    PdmLink::Reset();
    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D7"), -2);
    EXPECT_EQ(CellsOf(row).at(u"ORBKEY"), u"D8") << "a failed fetch writes nothing";
}

TEST_F(CreatePartRefTest, AFieldWhosePdmQueryFailsKeepsItsValueOnlyForTheSameItem) {
    UseMapping({"[KORDANEPartRefToVexa]", "DESCRIPTION=@(DESCR:t)", "ORBD_PARTNO=@(IDENT:t)"});
    const VxDbObjectId row = AddRowWithPartRef(
        u"1", 1, {{u"ORBKEY", u"OLD"}, {u"DESCRIPTION", u"Stored"}, {u"NOTE", u"n"}});
    const VxDbObjectId partRef = ModelSpaceEntities()[0];
    BomContext context{};
    sim::armFault("orbdPrep", 1, 5);
    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D8"), 0);
    EXPECT_EQ(CellsOf(row),
              (VxmStringMap{{u"ORBKEY", u"D8"}, {u"ORBD_PARTNO", u"4712"}, {u"NOTE", u"n"}}))
        << "another item's description goes; the unmapped field stays";

    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D8"), 0);
    sim::armFault("orbdPrep", 1, 5);
    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D8"), 0);
    EXPECT_EQ(CellsOf(row), (VxmStringMap{{u"ORBKEY", u"D8"},
                                          {u"DESCRIPTION", u"Bolt"},
                                          {u"ORBD_PARTNO", u"4712"},
                                          {u"NOTE", u"n"}}))
        << "the same item keeps the value its failed query did not renew";

    sim::armFault("getPartData", 1, Vx::eNotApplicable);
    EXPECT_EQ(AssignPartRefKey(context, partRef, u"D9"), kPartDataRefused);
    EXPECT_EQ(CellsOf(row).at(u"ORBKEY"), u"D8") << "unreadable part data are not overwritten";
}

}  // namespace
