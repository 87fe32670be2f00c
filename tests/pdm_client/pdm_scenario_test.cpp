// Reading a scenario's "pdm" object.
#include <string>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "host/kordane.h"
#include "sim/pdm/pdm_control.h"
#include "sim/pdm/pdm_scenario.h"
#include "sim/scenario/scenario_error.h"

namespace {

using nlohmann::json;

std::string errorPath(const json& pdm) {
    try {
        sim::pdm::configure(pdm, "/pdm");
    } catch (const sim::ScenarioError& e) {
        return e.path();
    }
    return "(no error)";
}

TEST(PdmScenario, ConfigureSetsUpEveryPart) {
    sim::pdm::reset();
    sim::pdm::configure(json::parse(R"({
        "env": { "BOMIniFile": "mapping.ini", "ORBKEY": "D1.1" },
        "catalogue": { "VM2042": "Kein St\u00fcckliste" },
        "settings": { "BOMTransferFor2DStructure": "1" },
        "hasPart": "1",
        "tables": { "Folder_All_Part": [ { "ORBKEY": "P9", "IDENT": "4711" } ],
                    "MY_TABLE": [ { "A": "x" }, { "A": "y" } ] },
        "selectItem": [ "P9", "" ],
        "refuse": { "BOMSTART": 3, "BOMELEMENTINFO": { "nth": 1, "code": 7 } }
    })"),
                        "/pdm");
    VxApDocument* document = sim::pdm::currentDocument();
    EXPECT_EQ(sim::pdm::env(document, u"BOMIniFile"), u"mapping.ini");
    EXPECT_EQ(orbdGetText(u"VM2042").str(), u"Kein St\u00fcckliste");
    EXPECT_EQ(sim::pdm::evaluate(u"#(Appl:BOMTransferFor2DStructure)#(HasPart)", false), u"11");
    EXPECT_EQ(sim::pdm::evaluate(u"#(where db=Folder_All_Part IDENT=4711 #ORBKEY)", false), u"P9");
    EXPECT_EQ(sim::pdm::evaluate(u"#(where db=MY_TABLE #A)", false), u"x\ny");
    EXPECT_EQ(sim::pdm::pendingSelections(), 2u);
    EXPECT_EQ(orbdCall(u"BOMSTART", u"", u""), 3);
    sim::pdm::reset();
}

TEST(PdmScenario, MalformedPartsAreReportedWithTheirPath) {
    sim::pdm::reset();
    EXPECT_EQ(errorPath(json::array()), "/pdm");
    EXPECT_EQ(errorPath({{"hasparts", "1"}}), "/pdm/hasparts");
    EXPECT_EQ(errorPath({{"env", {{"ORBKEY", 5}}}}), "/pdm/env/ORBKEY");
    EXPECT_EQ(errorPath({{"catalogue", "x"}}), "/pdm/catalogue");
    EXPECT_EQ(errorPath({{"hasPart", true}}), "/pdm/hasPart");
    EXPECT_EQ(errorPath({{"tables", {{"T/1", {{{"A", "x"}}, {{"B", 2}}}}}}}),
              "/pdm/tables/T~11/1/B");
    EXPECT_EQ(errorPath({{"tables", {{"T", {{"A", "x"}}}}}}), "/pdm/tables/T");
    EXPECT_EQ(errorPath({{"selectItem", {"P9", 3}}}), "/pdm/selectItem/1");
    EXPECT_EQ(errorPath({{"refuse", {{"BOMSTART", "3"}}}}), "/pdm/refuse/BOMSTART");
    EXPECT_EQ(errorPath({{"refuse", {{"BOMEND", {{"nth", 0}, {"code", 1}}}}}}),
              "/pdm/refuse/BOMEND/nth");
    EXPECT_EQ(errorPath({{"refuse", {{"BOMEND", {{"code", 1}}}}}}), "/pdm/refuse/BOMEND");
    EXPECT_EQ(errorPath({{"refuse", {{"BOMEND", {{"code", 1}, {"nth", 1}, {"when", 1}}}}}}),
              "/pdm/refuse/BOMEND/when");
    EXPECT_EQ(errorPath({{"refuse", {{"BOMEND", 1e12}}}}), "/pdm/refuse/BOMEND");
    // Nothing of a malformed object is applied.
    EXPECT_EQ(errorPath({{"hasPart", "1"}, {"zzz", 1}}), "/pdm/zzz");
    EXPECT_EQ(sim::pdm::evaluate(u"#(HasPart)", false), u"0");
}

TEST(PdmScenario, RefusalsListOccurrencesAndLaterOnesCountFromWhenTheyAreSet) {
    sim::pdm::reset();
    sim::pdm::configure(json::parse(R"({"refuse": {"BOMSTART": [{"nth": 1, "code": 4},
                                                                {"nth": 3, "code": 5}]}})"),
                        "/pdm");
    EXPECT_EQ(orbdCall(u"BOMSTART", u"", u""), 4);
    EXPECT_NE(orbdCall(u"BOMSTART", u"", u""), 5);
    sim::pdm::configure(json::parse(R"({"refuse": {"BOMSTART": {"nth": 2, "code": 6}}})"), "/pdm");
    EXPECT_EQ(orbdCall(u"BOMSTART", u"", u""), 5);
    EXPECT_EQ(orbdCall(u"BOMSTART", u"", u""), 6);
    EXPECT_EQ(errorPath({{"refuse", {{"BOMSTRAT", 3}}}}), "/pdm/refuse/BOMSTRAT");
    EXPECT_EQ(errorPath({{"settings", {{"A", std::string("x\0y", 3)}}}}), "/pdm/settings/A");
    sim::pdm::reset();
}

}  // namespace
