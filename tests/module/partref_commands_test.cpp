// The part-reference commands as a user types them, with the module loaded from its file.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "host/vx_status.h"
#include "sim/host/faults.h"
#include "tests/module/loaded_module_test.h"

namespace {

using PartRefCommandsTest = LoadedModuleTest;

const std::string kPoint = "Position of the part reference: ";

TEST_F(PartRefCommandsTest, CreatePartRefReadsTheKeyThenThePoint) {
    Run(u"ORBDCREATEPARTREF D7\n1,2\n");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"ORBKEY: =D7", kPoint + "=1,2"}));
    EXPECT_EQ(EventsOf("foreground").size(), 1u);
    ASSERT_EQ(ModelSpaceEntities().size(), 1u);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]).at(u"DESCRIPTION"), u"Washer");

    Run(u"ORBDCREATEPARTREF \x1b");
    EXPECT_EQ(Prompts().back(), "ORBKEY:  cancelled");
    EXPECT_EQ(EventsOf("foreground").size(), 1u) << "a cancelled prompt ends the command";
}

TEST_F(PartRefCommandsTest, CreatePartRef2TakesASectionWithBlanks) {
    UseMapping({"[Parts Of Folder]", "DESCRIPTION=@(DESCR:t)"});
    Run(u"ORBDCREATEPARTREF2 P1 Folder_All_Part Parts Of Folder\n3,4\n");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"ORBKEY: =P1", "DBNAME: =Folder_All_Part",
                                                   "SECTION: =Parts Of Folder", kPoint + "=3,4"}));
    ASSERT_EQ(ModelSpaceEntities().size(), 1u);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]),
              (VxmStringMap{{u"DESCRIPTION", u"Washer B"}, {u"ORBKEY", u"P1"}}));

    Run(u"ORBDCREATEPARTREF2 P1 \x1b");
    EXPECT_EQ(Prompts().back(), "DBNAME:  cancelled") << "no SECTION prompt after a cancel";
    EXPECT_EQ(ModelSpaceEntities().size(), 1u);
}

TEST_F(PartRefCommandsTest, UpdatePartRefsGoesOnWithoutPdmPartAndSyncsOnlyWithAKey) {
    const VxDbObjectId row = AddRow(u"1", 1, {{u"ORBKEY", u"D7"}});
    sim::pdm::setHasPart(u"0");
    Run(u"ORBDUPDATEPARTREFS\n");
    EXPECT_EQ(CellsOf(row).at(u"DESCRIPTION"), u"Washer");
    EXPECT_FALSE(
        sim::blockPartData(db(), db().modelSpaceId()).value_or(VxmStringMap{}).count(u"ORBKEY"))
        << "no drawing key, no synchronisation";

    SetEnv(u"ORBKEY", u"D8");
    Run(u"ORBDUPDATEPARTREFS\n");
    EXPECT_EQ(sim::blockPartData(db(), db().modelSpaceId()),
              (VxmStringMap{{u"TITLE", u"Bolt"}, {u"ORBKEY", u"D8"}}));
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(PartRefCommandsTest, UpdatePartRefsNeedsAPartsList) {
    SetEnv(u"ORBKEY", u"D8");
    Run(u"ORBDUPDATEPARTREFS\n");
    EXPECT_EQ(Alerts(), (std::vector<std::u16string>{kText42}));
    EXPECT_FALSE(
        sim::blockPartData(db(), db().modelSpaceId()).value_or(VxmStringMap{}).count(u"ORBKEY"));
}

TEST_F(PartRefCommandsTest, ChangePartRefKeyAndSyncPartData) {
    const VxDbObjectId partRef = db().appendEntity(
        db().modelSpaceId(), new VxmPartRef(sim::createDataEntry(db(), {{u"ORBKEY", u"D7"}})));
    Run(u"ORBDCHANGEPARTREFKEY * D8\n");
    EXPECT_EQ(Prompts(), (std::vector<std::string>{"Old ORBKEY: =*", "New ORBKEY: =D8"}));
    EXPECT_EQ(PartDataOf(partRef).at(u"ORBKEY"), u"D8");
    EXPECT_TRUE(EventsOf("foreground").empty()) << "the host is not brought to the front";

    Run(u"ORBDSYNCPARTDATA\n");
    EXPECT_FALSE(
        sim::blockPartData(db(), db().modelSpaceId()).value_or(VxmStringMap{}).count(u"ORBKEY"));
    EXPECT_TRUE(Prints().empty() && Alerts().empty()) << "an empty ORBKEY: nothing at all";
    SetEnv(u"ORBKEY", u"D7");
    Run(u"ORBDSYNCPARTDATA\n");
    EXPECT_EQ(sim::blockPartData(db(), db().modelSpaceId())->at(u"TITLE"), u"Washer");
}

TEST_F(PartRefCommandsTest, ATypedKeyThatCannotStandInAQueryIsRefusedWhole) {
    const VxmStringMap stored{{u"ORBKEY", u"D7"}, {u"DESCRIPTION", u"Washer"}};
    const VxDbObjectId partRef =
        db().appendEntity(db().modelSpaceId(), new VxmPartRef(sim::createDataEntry(db(), stored)));
    const std::u16string refused = u"\neInvalidInput D8\"\n";

    Run(u"ORBDCHANGEPARTREFKEY D7 D8\"\n");
    EXPECT_EQ(PartDataOf(partRef), stored) << "the old key and its fields stay";
    EXPECT_EQ(Prints(), std::vector<std::u16string>{refused});

    Run(u"ORBDCREATEPARTREF D8\"\n");
    Run(u"ORBDCREATEPARTREF2 D8\" Folder_All_Part Parts\n");
    EXPECT_EQ(ModelSpaceEntities().size(), 1u) << "nothing placed";
    EXPECT_EQ(Prints(), (std::vector<std::u16string>{refused, refused, refused}))
        << "no point is asked for";
    EXPECT_TRUE(PdmExpressions().empty());
}

TEST_F(PartRefCommandsTest, CreateVirtualCompAsksThePdmsSelection) {
    sim::pdm::setCatalogueText(u"zorn606", u"Pick a part");
    sim::pdm::queueSelection(u"P2");
    Run(u"ORBDCREATEVIRTUALCOMP\n5,6\n");
    const std::vector<sim::Event> preps = EventsOf("pdm.prep");
    ASSERT_FALSE(preps.empty());
    EXPECT_EQ(preps[0].value("expr", ""), "#(call SelectItem \"'Pick a part'\")");
    EXPECT_TRUE(preps[0].value("modal", false));
    EXPECT_EQ(EventsOf("foreground").size(), 1u);
    ASSERT_EQ(ModelSpaceEntities().size(), 1u);
    EXPECT_EQ(PartDataOf(ModelSpaceEntities()[0]), (VxmStringMap{{u"DESCRIPTION", u"Nut"}}));

    // Cancelled, or answered with the PDM's error text: no selection, nothing placed.
    Run(u"ORBDCREATEVIRTUALCOMP\n");
    sim::armFault("orbdPrepWithModalDialog", 1, 2);
    Run(u"ORBDCREATEVIRTUALCOMP\n");
    EXPECT_EQ(EventsOf("foreground").size(), 3u) << "the host comes to the front whatever";
    EXPECT_EQ(ModelSpaceEntities().size(), 1u);
    EXPECT_EQ(Prompts().size(), 1u) << "no point asked without a selection";
}

}  // namespace
