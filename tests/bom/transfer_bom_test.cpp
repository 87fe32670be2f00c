#include <gtest/gtest.h>

#include "bom/transfer_bom.h"
#include "bom/transfer_guards.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_control.h"
#include "tests/bom/bom_test_drawing.h"

namespace {

using Calls = std::vector<std::pair<std::u16string, std::u16string>>;

class TransferBomTest : public BomTest {
  protected:
    std::int32_t Transfer() {
        BomContext context{};
        EXPECT_EQ(LocateBom(context), 0);
        sim::pdm::clearLog();
        return TransferBom(context);
    }
    // The framing calls only, without the write-back's evaluations.
    Calls Sent() const { return PdmCommands(); }
};

const std::vector<std::string> kWorkedMapping = {"[VexaBomToKORDANE]", "DESCR=DESCRIPTION",
                                                 "IDENT=ITEM", "POS_QTY=QTY", "SRCFILE=FILENAME"};

TEST_F(TransferBomTest, WorkedExampleSendsOneFramedElement) {
    UseMapping(kWorkedMapping);
    AddRowWithPartRef(u"12", 3, {{u"DESCRIPTION", u"Washer"}});

    EXPECT_EQ(Transfer(), 0);
    const Calls expected = {{u"BOMSTART", u""},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"DESCR \"Washer\""},
                            {u"BOMELEMENTINFO", u"IDENT \"12\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"3\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMEND", u"0"}};
    EXPECT_EQ(Sent(), expected);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_TRUE(sim::pdm::framingWhole());
}

TEST_F(TransferBomTest, FileNameComesFromTheExternalReferenceAndEmptyItemsAreSkipped) {
    UseMapping(kWorkedMapping);
    AddRow(u"", 1, {{u"DESCRIPTION", u"Loose note"}});
    AddXrefRow(u"14", 2, u"parts/gear.dwg", {{u"DESCRIPTION", u"Gear"}});
    AddRow(u"15", -4);

    EXPECT_EQ(Transfer(), 0);
    const Calls expected = {{u"BOMSTART", u""},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"DESCR \"Gear\""},
                            {u"BOMELEMENTINFO", u"IDENT \"14\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"2\""},
                            {u"BOMELEMENTINFO", u"SRCFILE \"parts/gear.dwg\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"IDENT \"15\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"-4\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMEND", u"0"}};
    EXPECT_EQ(Sent(), expected);
}

TEST_F(TransferBomTest, EmptyPartsListIsFramedAndWrittenBack) {
    UseMapping(kWorkedMapping);
    partsList();
    EXPECT_EQ(Transfer(), 0);
    EXPECT_EQ(Sent(), (Calls{{u"BOMSTART", u""}, {u"BOMEND", u"0"}}));
}

TEST_F(TransferBomTest, SuperSectionValuesWinAndSourcesMatchExactly) {
    UseMapping({"[VexaBomToKORDANE]", "SUPER=Common", "DESCR=DESCRIPTION", "IDENT=QTY", "LOWER=qty",
                "SPACED = ITEM", "[Common]", "IDENT=ITEM", "MATERIAL=MAT"});
    AddRow(u"12", 3,
           {{u"DESCRIPTION", u"say \"hi\""}, {u"MAT", u"Steel"}, {u"qty", u"lower cell"}});

    EXPECT_EQ(Transfer(), 0);
    // Key order: DESCR, IDENT, LOWER, MATERIAL, SPACED , SUPER. "qty" is a column, not the
    // quantity; " ITEM" names no column; "SUPER" names the column "Common", which is empty.
    const Calls expected = {{u"BOMSTART", u""},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"DESCR \"say \"hi\"\""},
                            {u"BOMELEMENTINFO", u"IDENT \"12\""},
                            {u"BOMELEMENTINFO", u"LOWER \"lower cell\""},
                            {u"BOMELEMENTINFO", u"MATERIAL \"Steel\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMEND", u"0"}};
    EXPECT_EQ(Sent(), expected);
}

TEST_F(TransferBomTest, RefusedStartSendsNothingElseAndShowsNothing) {
    UseMapping(kWorkedMapping);
    AddRow(u"12", 3, {{u"DESCRIPTION", u"Washer"}});
    sim::pdm::refuse(u"BOMSTART", 7);

    EXPECT_EQ(Transfer(), 7);
    EXPECT_EQ(Sent(), (Calls{{u"BOMSTART", u""}}));
    EXPECT_TRUE(Alerts().empty());
    EXPECT_TRUE(PdmExpressions().empty()) << "no write-back after a refused start";
}

TEST_F(TransferBomTest, RefusedElementCallsMarkOnlyTheirOwnRow) {
    UseMapping(kWorkedMapping);
    AddRow(u"12", 3, {{u"DESCRIPTION", u"Washer"}});
    AddRow(u"13", 5, {{u"DESCRIPTION", u"Bolt"}});
    AddRow(u"14", 1);
    sim::pdm::refuseNth(u"BOMELEMENTINFO", 1, 3);   // the first field of row 12
    sim::pdm::refuseNth(u"BOMELEMENTSTART", 3, 9);  // the start of row 14; its fields are
                                                    // accepted, so its end carries "0"

    EXPECT_EQ(Transfer(), 0);
    const Calls expected = {{u"BOMSTART", u""},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"DESCR \"Washer\""},
                            {u"BOMELEMENTEND", u"1"},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"DESCR \"Bolt\""},
                            {u"BOMELEMENTINFO", u"IDENT \"13\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"5\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"IDENT \"14\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"1\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMEND", u"0"}};
    EXPECT_EQ(Sent(), expected);
}

TEST_F(TransferBomTest, RefusedStartOfARowWithoutValuesEndsItWithOne) {
    UseMapping({"[VexaBomToKORDANE]", "DESCR=DESCRIPTION"});
    AddRow(u"12", 3);
    sim::pdm::refuse(u"BOMELEMENTSTART", 4);

    EXPECT_EQ(Transfer(), 0);
    const Calls expected = {
        {u"BOMSTART", u""}, {u"BOMELEMENTSTART", u""}, {u"BOMELEMENTEND", u"1"}, {u"BOMEND", u"0"}};
    EXPECT_EQ(Sent(), expected);
}

TEST_F(TransferBomTest, HostFailureOnTheThirdRowClosesTheFrameWithOne) {
    UseMapping(kWorkedMapping);
    AddRow(u"1", 1, {{u"DESCRIPTION", u"Plate"}});
    AddRow(u"2", 4);
    AddRow(u"3", 4);
    sim::armFault("readRow", 3, Vx::eUnknownHandle);

    EXPECT_EQ(Transfer(), -1);
    const Calls expected = {{u"BOMSTART", u""},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"DESCR \"Plate\""},
                            {u"BOMELEMENTINFO", u"IDENT \"1\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"1\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMELEMENTSTART", u""},
                            {u"BOMELEMENTINFO", u"IDENT \"2\""},
                            {u"BOMELEMENTINFO", u"POS_QTY \"4\""},
                            {u"BOMELEMENTEND", u"0"},
                            {u"BOMEND", u"1"}};
    EXPECT_EQ(Sent(), expected);
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{vexaErrorStatusText(Vx::eUnknownHandle)}));
    EXPECT_TRUE(PdmExpressions().empty()) << "no write-back after a failure";
    EXPECT_TRUE(sim::pdm::framingWhole());
}

TEST_F(TransferBomTest, FailedRowPreparationSendsNothing) {
    UseMapping(kWorkedMapping);
    AddRow(u"1", 1);
    sim::armFault("getRowState", 1, Vx::eWasErased);

    EXPECT_EQ(Transfer(), -1);
    EXPECT_TRUE(Sent().empty());
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{vexaErrorStatusText(Vx::eWasErased)}));
}

TEST_F(TransferBomTest, ConfigurationFailuresAreShownBeforeAnythingIsSent) {
    AddRow(u"1", 1);
    const std::u16string missingSection = std::u16string(u"VexaBomToKORDANE\n") + kTextVX16301;

    // No mapping file configured: the empty path, a line break and the text of VX16300.
    EXPECT_EQ(Transfer(), -1);
    EXPECT_EQ(Alerts().back(), std::u16string(u"\n") + kTextVX16300);
    EXPECT_TRUE(Sent().empty());

    // The file holds sections, but not the transfer's.
    PdmLink::Reset();
    UseMapping({"[KORDANEPartRefToVexa]", "DESCR=DESCRIPTION"});
    EXPECT_EQ(Transfer(), -1);
    EXPECT_EQ(Alerts().back(), missingSection);
    EXPECT_TRUE(Sent().empty());

    // The section is there but yields nothing: the file's path names the problem.
    PdmLink::Reset();
    UseMapping({"[VexaBomToKORDANE]", "no entry here"});
    EXPECT_EQ(Transfer(), -1);
    const std::u16string path = VxString::fromUtf8((dir_ / "mapping.ini").string()).str();
    EXPECT_EQ(Alerts().back(), path + u"\n" + kTextVX16301);
    EXPECT_TRUE(Sent().empty());
}

TEST_F(TransferBomTest, WrittenBackPartNumbersFollowACompleteTransfer) {
    UseMapping({"[VexaBomToKORDANE]", "IDENT=ITEM"});
    UseDocumentStructure({{u"12", u"4711"}, {u"13", u"4712"}});
    const VxDbObjectId fresh = AddRow(u"12", 3, {{u"DESCRIPTION", u"Washer"}});
    const VxDbObjectId keyed = AddRow(u"13", 1, {{u"ORBKEY", u""}, {u"DESCRIPTION", u"Bolt"}});
    const VxDbObjectId unknown = AddRow(u"99", 1, {{u"DESCRIPTION", u"Pin"}});

    EXPECT_EQ(Transfer(), 0);
    EXPECT_EQ(CellsOf(fresh),
              (VxmStringMap{{u"DESCRIPTION", u"Washer"}, {u"ORBD_PARTNO", u"4711"}}));
    EXPECT_EQ(CellsOf(keyed), (VxmStringMap{{u"ORBKEY", u""}, {u"DESCRIPTION", u"Bolt"}}));
    EXPECT_EQ(CellsOf(unknown), (VxmStringMap{{u"DESCRIPTION", u"Pin"}}));
}

}  // namespace
