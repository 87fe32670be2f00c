// libkordane's six functions: environment per document, events and log, the BOM transfer
// frame, refusals and fault checkpoints.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "host/kordane.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_control.h"

namespace {

// Documents are only keys to the PDM; it never looks inside them.
VxApDocument* fakeDocument(std::uintptr_t n) {
    return reinterpret_cast<VxApDocument*>(n * 64);
}

class KordaneClient : public ::testing::Test {
  protected:
    void SetUp() override {
        sim::pdm::reset();
        sim::clearFaults();
        sim::setEventSink([this](const sim::Event& e) { events.push_back(e); });
    }
    void TearDown() override {
        sim::setEventSink({});
        sim::clearFaults();
    }
    int call(const char16_t* command, const char16_t* argument = u"") {
        return orbdCall(command, argument, u"");
    }
    std::vector<sim::Event> events;
};

TEST_F(KordaneClient, EnvironmentIsKeptPerDocument) {
    VxApDocument* first = fakeDocument(1);
    VxApDocument* second = fakeDocument(2);
    EXPECT_EQ(orbdGetEnv(first, u"PARTREF").str(), u"") << "unset reads as empty";
    EXPECT_EQ(orbdSetEnv(first, u"PARTREF", u"P9"), 0);
    EXPECT_EQ(orbdGetEnv(first, u"PARTREF").str(), u"P9");
    EXPECT_EQ(orbdGetEnv(second, u"PARTREF").str(), u"");
    EXPECT_EQ(orbdGetEnv(first, u"partref").str(), u"") << "names are case-sensitive";
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0].dump(), R"({"ev":"pdm.env.set","name":"PARTREF","value":"P9"})");
}

TEST_F(KordaneClient, CatalogueAnswersTextOrEmpty) {
    sim::pdm::setCatalogueText(u"VM2042", u"The drawing has no parts list.");
    EXPECT_EQ(orbdGetText(u"VM2042").str(), u"The drawing has no parts list.");
    EXPECT_EQ(orbdGetText(u"VM2043").str(), u"");
    ASSERT_EQ(sim::pdm::callLog().size(), 2u);
    EXPECT_EQ(sim::pdm::callLog()[1].function, "orbdGetText");
    EXPECT_EQ(sim::pdm::callLog()[1].texts, std::vector<std::u16string>{u"VM2043"});
}

TEST_F(KordaneClient, EveryCallIsLoggedAndEmitted) {
    sim::pdm::queueSelection(u"P9");
    EXPECT_EQ(orbdPrep(u"Material").str(), u"Material");
    EXPECT_EQ(orbdPrepWithModalDialog(u"#(call SelectItem \"'Pick'\")").str(), u"P9");
    EXPECT_EQ(call(u"BOMSTART"), 0);
    ASSERT_EQ(events.size(), 3u);
    EXPECT_EQ(events[0].dump(),
              R"({"ev":"pdm.prep","expr":"Material","result":"Material","modal":false})");
    EXPECT_EQ(
        events[1].dump(),
        R"j({"ev":"pdm.prep","expr":"#(call SelectItem \"'Pick'\")","result":"P9","modal":true})j");
    EXPECT_EQ(events[2].dump(), R"({"ev":"pdm.call","name":"BOMSTART","arg":"","code":0})");
    const auto& log = sim::pdm::callLog();
    ASSERT_EQ(log.size(), 3u);
    EXPECT_EQ(log[2].function, "orbdCall");
    EXPECT_EQ(log[2].texts, (std::vector<std::u16string>{u"BOMSTART", u"", u""}));
    EXPECT_EQ(log[2].result, u"0");

    sim::pdm::setLogging(false);
    call(u"BOMEND", u"0");
    orbdPrep(u"x");
    EXPECT_EQ(sim::pdm::callLog().size(), 3u) << "logging off records nothing";
    EXPECT_EQ(events.size(), 3u);
    EXPECT_TRUE(sim::pdm::framingWhole()) << "but the calls still take effect";
}

TEST_F(KordaneClient, BomTransferIsReceivedInItsFrame) {
    EXPECT_EQ(call(u"BOMSTART"), 0);
    EXPECT_EQ(call(u"BOMELEMENTSTART"), 0);
    EXPECT_EQ(call(u"BOMELEMENTINFO", u"DESCR \"Washer \"M8\"\""), 0);
    EXPECT_EQ(call(u"BOMELEMENTINFO", u"IDENT \"12\""), 0);
    EXPECT_EQ(call(u"BOMELEMENTINFO", u"IDENT12"), sim::pdm::kCallMalformed);
    EXPECT_EQ(call(u"BOMELEMENTEND", u"0"), 0);
    EXPECT_FALSE(sim::pdm::framingWhole()) << "the transfer is still open";
    EXPECT_EQ(call(u"BOMEND", u"0"), 0);
    EXPECT_TRUE(sim::pdm::framingWhole());

    const auto& transfers = sim::pdm::bomReception().transfers;
    ASSERT_EQ(transfers.size(), 1u);
    ASSERT_EQ(transfers[0].elements.size(), 1u);
    using Field = std::pair<std::u16string, std::u16string>;
    EXPECT_EQ(transfers[0].elements[0].fields,
              (std::vector<Field>{{u"DESCR", u"Washer \"M8\""}, {u"IDENT", u"12"}}));
    EXPECT_TRUE(transfers[0].ended);
    EXPECT_FALSE(transfers[0].failed);

    EXPECT_EQ(call(u"BOMELEMENTSTART"), sim::pdm::kCallOutOfFrame);
    EXPECT_FALSE(sim::pdm::framingWhole());
    EXPECT_EQ(call(u"NOSUCHCALL"), sim::pdm::kCallUnknown);
}

TEST_F(KordaneClient, RefusalsAnswerTheirCodeWithoutCarryingOut) {
    sim::pdm::refuse(u"BOMSTART", 3);
    EXPECT_EQ(call(u"BOMSTART"), 3);
    EXPECT_EQ(call(u"BOMSTART"), 3);
    EXPECT_TRUE(sim::pdm::bomReception().transfers.empty());

    sim::pdm::reset();
    sim::pdm::refuseNth(u"BOMELEMENTINFO", 2, 7);
    call(u"BOMSTART");
    call(u"BOMELEMENTSTART");
    EXPECT_EQ(call(u"BOMELEMENTINFO", u"A \"1\""), 0);
    EXPECT_EQ(call(u"BOMELEMENTINFO", u"B \"2\""), 7);
    EXPECT_EQ(call(u"BOMELEMENTINFO", u"C \"3\""), 0);
    sim::pdm::refuse(u"BOMEND", 9);
    call(u"BOMELEMENTEND", u"1");
    EXPECT_EQ(call(u"BOMEND", u"0"), 9);
    EXPECT_TRUE(sim::pdm::framingWhole()) << "a refused end still closes the frame";
    const auto& element = sim::pdm::bomReception().transfers.at(0).elements.at(0);
    EXPECT_EQ(element.fields.size(), 2u);
    EXPECT_TRUE(element.failed);
}

TEST_F(KordaneClient, FaultCheckpointsFailTheCall) {
    sim::armFault("orbdCall", 1, 9);
    EXPECT_EQ(call(u"BOMSTART"), 9);
    EXPECT_TRUE(sim::pdm::bomReception().transfers.empty());
    sim::armFault("orbdPrep", 1, 4);
    EXPECT_EQ(orbdPrep(u"Material").str().substr(0, 1), u"!");
    sim::armFault("orbdSetEnv", 1, 5);
    EXPECT_EQ(orbdSetEnv(fakeDocument(1), u"A", u"1"), 5);
    EXPECT_EQ(orbdGetEnv(fakeDocument(1), u"A").str(), u"");
    EXPECT_EQ(sim::checkpointCounts().at("orbdGetEnv"), 1);
}

TEST_F(KordaneClient, NewExternBomNeedsAnExistingFile) {
    EXPECT_EQ(call(u"NewExternBom", u"\"/nonexistent/KorBom.txt\" 1"), sim::pdm::kCallNoFile);
    EXPECT_EQ(call(u"NewExternBom", u"/tmp 1"), sim::pdm::kCallMalformed);
    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / "h4_kordane_KorBom.txt";
    std::ofstream(file) << "x";
    const std::string path = file.string();
    const std::u16string argument = u"\"" + std::u16string(path.begin(), path.end()) + u"\" 1";
    EXPECT_EQ(orbdCall(u"NewExternBom", argument, u""), 0);
    std::filesystem::remove(file);
    ASSERT_EQ(sim::pdm::externBoms().size(), 2u);
    EXPECT_EQ(sim::pdm::externBoms()[0], u"/nonexistent/KorBom.txt");
}

}  // namespace
