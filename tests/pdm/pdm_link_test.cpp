// PdmLink: catalogue slots, environment, evaluation, commands, the mapping file and the two
// host services.
#include <unistd.h>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include "pdm_test_support.h"
#include "sim/host/events.h"
#include "sim/winsys/window_control.h"

namespace {

using Calls = std::vector<std::vector<std::u16string>>;

TEST_F(PdmLinkTest, InstanceIsOneObjectUntilReset) {
    PdmLink* first = &PdmLink::Instance();
    EXPECT_EQ(first, &PdmLink::Instance());
}

TEST_F(PdmLinkTest, NumberedTextsClampNumberAndSlot) {
    sim::pdm::setCatalogueText(u"VM2042", u"forty-two");
    sim::pdm::setCatalogueText(u"VM20999", u"last");
    sim::pdm::setCatalogueText(u"VM20-3", u"negative");
    EXPECT_EQ(std::u16string(link().GetText(42)), u"forty-two");
    EXPECT_EQ(std::u16string(link().GetText(1234)), u"last");
    EXPECT_EQ(std::u16string(link().GetText(1000)), u"last");
    EXPECT_EQ(std::u16string(link().GetText(-3)), u"negative");
    EXPECT_EQ(std::u16string(link().GetText(7)), u"") << "an unknown key gives an empty text";
    EXPECT_EQ(callsOf("orbdGetText"),
              (Calls{{u"VM2042"}, {u"VM20999"}, {u"VM20999"}, {u"VM20-3"}, {u"VM207"}}));
}

TEST_F(PdmLinkTest, SlotsAreSharedAndReused) {
    sim::pdm::setCatalogueText(u"VM2058", u"Insert a part reference?");
    sim::pdm::setCatalogueText(u"VM2059", u"Erase the inserted part references?");
    const char16_t* first = link().GetText(58, 0);
    const char16_t* other = link().GetText(59, 1);
    EXPECT_NE(first, other);
    EXPECT_EQ(std::u16string(first), u"Insert a part reference?");
    EXPECT_EQ(std::u16string(other), u"Erase the inserted part references?");

    // A later lookup into slot 0 overwrites what the first one returned.
    const char16_t* again = link().GetText(59, 0);
    EXPECT_EQ(again, first);
    EXPECT_EQ(std::u16string(first), u"Erase the inserted part references?");
    // Slots above 1, and negative ones, mean slot 0.
    EXPECT_EQ(link().GetText(58, 5), first);
    EXPECT_EQ(link().GetText(58, -1), first);
    EXPECT_EQ(link().GetTextByKey(u"VM2059", 1), other);
    EXPECT_EQ(link().GetTextByKey(u"VM2058", 2), first);
}

TEST_F(PdmLinkTest, LongCatalogueTextIsCutToTheSlot) {
    sim::pdm::setCatalogueText(u"VX16300", std::u16string(3000, u'x'));
    sim::pdm::setCatalogueText(u"VX16301", u"short");
    const char16_t* other = link().GetTextByKey(u"VX16301", 1);
    const std::u16string cut = link().GetTextByKey(u"VX16300", 0);
    EXPECT_EQ(cut, std::u16string(PdmLink::kSlotLength - 1, u'x'));
    EXPECT_EQ(std::u16string(other), u"short") << "the other slot is untouched";
    sim::pdm::setCatalogueText(u"VX16300", std::u16string(PdmLink::kSlotLength - 1, u'y'));
    EXPECT_EQ(std::u16string(link().GetTextByKey(u"VX16300")).size(), PdmLink::kSlotLength - 1);
}

TEST_F(PdmLinkTest, AbsentKeyOrNameAsksNothing) {
    sim::pdm::setCatalogueText(u"zorn606", u"Select the item");
    const char16_t* slot = link().GetTextByKey(u"zorn606");
    EXPECT_EQ(std::u16string(link().GetTextByKey(nullptr)), u"");
    EXPECT_EQ(std::u16string(slot), u"Select the item") << "the slot keeps its text";
    EXPECT_EQ(link().IsModuleLoaded(nullptr), 0);
    EXPECT_EQ(callsOf("orbdGetText").size(), 1u);
    EXPECT_EQ(sim::checkpointCounts().count("vxedVmxLoaded"), 0u);
}

TEST_F(PdmLinkTest, EnvironmentOfTheCurrentDocument) {
    EXPECT_EQ(link().GetEnv(u"PARTREF"), u"");
    EXPECT_EQ(link().SetEnv(u"PARTREF", u"P9"), 0);
    EXPECT_EQ(link().GetEnv(u"PARTREF"), u"P9");
    EXPECT_EQ(sim::pdm::env(sim::pdm::currentDocument(), u"PARTREF"), u"P9");
    sim::openDocument(VxString(u"second.dwg"));
    EXPECT_EQ(link().GetEnv(u"PARTREF"), u"") << "another document has its own values";
}

TEST_F(PdmLinkTest, EvaluateAndCallPassTextsUnchanged) {
    EXPECT_EQ(link().Evaluate(u"#(Appl:Unset)"), u"") << "empty, not absent";
    EXPECT_EQ(link().Evaluate(u"#(nonsense)").substr(0, 1), u"!");
    sim::pdm::queueSelection(u"P9");
    EXPECT_EQ(link().EvaluateWithDialog(u"#(call SelectItem \"'Pick'\")"), u"P9");
    EXPECT_EQ(callsOf("orbdPrepWithModalDialog"), (Calls{{u"#(call SelectItem \"'Pick'\")"}}));

    sim::pdm::refuse(u"BOMSTART", 3);
    EXPECT_EQ(link().CallCommand(u"BOMSTART", nullptr), 3);
    EXPECT_EQ(link().CallCommand(u"NewExternBom", u"\"ws/KorBom.txt\" 1"), sim::pdm::kCallNoFile);
    EXPECT_EQ(callsOf("orbdCall"),
              (Calls{{u"BOMSTART", u"", u""}, {u"NewExternBom", u"\"ws/KorBom.txt\" 1", u""}}));
}

TEST_F(PdmLinkTest, ModuleLoadedMatchesWholeNameWithCase) {
    sim::setLoadedModules({VxString(u"acmecad.vmx"), VxString(u"vmcomp.vmx")});
    EXPECT_EQ(link().IsModuleLoaded(u"vmcomp.vmx"), 1);
    EXPECT_EQ(link().IsModuleLoaded(u"VMCOMP.VMX"), 0);
    EXPECT_EQ(link().IsModuleLoaded(u"vmcomp"), 0);
    EXPECT_EQ(link().IsModuleLoaded(u"vmcomp.vmx "), 0);
    EXPECT_EQ(link().IsModuleLoaded(u""), 0);
    sim::setLoadedModules({});
    EXPECT_EQ(link().IsModuleLoaded(u"vmcomp.vmx"), 0);
    sim::armFault("vxedVmxLoaded", 1, kRtError);
    sim::setLoadedModules({VxString(u"vmcomp.vmx")});
    EXPECT_EQ(link().IsModuleLoaded(u"vmcomp.vmx"), 0) << "no list, no module";
}

TEST_F(PdmLinkTest, BringHostToFrontRaisesTheMainWindow) {
    std::vector<sim::Event> events;
    sim::setEventSink([&](const sim::Event& e) { events.push_back(e); });
    sim::resetWindows();
    EXPECT_NE(link().BringHostToFront(), 0);
    if (!sim::windowSystemIsWine()) {  // Wine drops the foreground when the input detaches
        EXPECT_EQ(winsys::getForegroundWindow(), sim::mainWindow());
    }
    EXPECT_EQ(sim::threadInputAttachments(), 0) << "the input is detached again";

    // Failing: only the debugger hears of it, and the input is still detached.
    sim::resetWindows();
    sim::armFault("setForegroundWindow", 1, 1400);
    events.clear();
    EXPECT_EQ(link().BringHostToFront(), 0);
    sim::setEventSink({});
    EXPECT_EQ(winsys::getForegroundWindow(), sim::otherWindow());
    EXPECT_EQ(sim::threadInputAttachments(), 0);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].dump(), R"({"ev":"debug","text":"Error 1400 from BringVexaToTop\n"})");
}

class MappingFileTest : public PdmLinkTest {
  protected:
    void SetUp() override {
        PdmLinkTest::SetUp();
        dir =
            std::filesystem::temp_directory_path() / ("h4_pdm_link_" + std::to_string(::getpid()));
        std::filesystem::create_directories(dir);
    }
    void TearDown() override {
        std::filesystem::remove_all(dir);
        PdmLinkTest::TearDown();
    }
    std::u16string write(const std::string& name, const std::string& text) {
        const std::filesystem::path path = dir / name;
        std::ofstream(path, std::ios::binary) << text;
        return VxString::fromUtf8(path.string()).str();
    }
    std::filesystem::path dir;
};

TEST_F(MappingFileTest, FailedLoadsAreRetriedWithTheCurrentName) {
    EXPECT_EQ(link().GetBomMappingFile().LoadState(), -1) << "no BOMIniFile";
    const std::u16string empty = write("empty.ini", "; only a comment\r\n");
    setEnv(u"BOMIniFile", empty);
    EXPECT_EQ(link().GetBomMappingFile().LoadState(), -2);
    const std::u16string good = write("good.ini", "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\n");
    setEnv(u"BOMIniFile", good);
    CIniFile& file = link().GetBomMappingFile();
    EXPECT_EQ(file.LoadState(), 1);
    EXPECT_EQ(file.GetFileName(), good);
    EXPECT_TRUE(file.HasSection(u"VexaBomToKORDANE"));
    EXPECT_EQ(callsOf("orbdGetEnv").size(), 3u);
}

TEST_F(MappingFileTest, SuccessfulLoadIsFinal) {
    const std::u16string good = write("good.ini", "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\n");
    const std::u16string other = write("other.ini", "[KORDANEPartRefToVexa]\r\nA=B\r\n");
    setEnv(u"BOMIniFile", good);
    CIniFile* first = &link().GetBomMappingFile();
    setEnv(u"BOMIniFile", other);
    EXPECT_EQ(&link().GetBomMappingFile(), first);
    EXPECT_EQ(first->GetFileName(), good);
    EXPECT_FALSE(first->HasSection(u"KORDANEPartRefToVexa"));
    setEnv(u"BOMIniFile", u"");
    EXPECT_EQ(link().GetBomMappingFile().LoadState(), 1);
}

}  // namespace
