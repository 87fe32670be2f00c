// The scenario "vexa-sim import" builds: rows, standard and part references from the parts
// list, PDM tables and environment, the mapping file byte for byte, and nothing written
// unless the whole scenario is.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/common/scenario.h"
#include "app/import/import_command.h"
#include "app/import/import_error.h"
#include "app/import/scenario_import.h"
#include "sim/scenario/scenario_error.h"
#include "tests/config/test_files.h"
#include "tests/support/full_disk.h"

namespace fs = std::filesystem;
using nlohmann::json;
using namespace std::string_literals;

namespace {

ImportSources PartsList(const std::string& text) {
    ImportSources sources;
    sources.bom = {"parts.csv", text};
    return sources;
}

json Imported(const ImportSources& sources) {
    return json::parse(ImportScenario(sources));
}

TEST(ImportScenario, RowsStandardAndPartReferencesFromThePartsList) {
    ImportSources sources = PartsList(
        "POS;DESCR;ITEM;QTY\n"
        "a;Washer;1;2\n"
        "b;;;-3\n"
        "c;Bolt;3;7\n");
    json scenario = Imported(sources);
    const json& drawing = scenario["drawing"];
    EXPECT_EQ(drawing["standard"]["columns"],
              json::parse(R"([{"name":"POS"},{"name":"DESCR"},{"name":"ITEM"},{"name":"QTY"}])"));
    EXPECT_EQ(drawing["boms"][0]["owner"], nullptr);
    EXPECT_EQ(drawing["boms"][0]["rows"], json::parse(R"([
        {"item":"1","qty":2,"cells":{"POS":"a","DESCR":"Washer"}},
        {"item":"","qty":-3,"cells":{"POS":"b"}},
        {"item":"3","qty":7,"cells":{"POS":"c","DESCR":"Bolt"}}])"));
    EXPECT_FALSE(drawing.contains("entities"));
    EXPECT_FALSE(scenario.contains("pdm"));

    sources.partRefs = true;
    scenario = Imported(sources);
    const json& rows = scenario["drawing"]["boms"][0]["rows"];
    const json& entities = scenario["drawing"]["entities"];
    ASSERT_EQ(entities.size(), 3u);
    std::set<std::string> places;
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(entities[i]["type"], "partref");
        EXPECT_EQ(entities[i]["dataEntry"], rows[i]["dataEntry"]) << "row " << i;
        places.insert(entities[i]["position"].dump());
    }
    EXPECT_EQ(places.size(), 3u) << "each part reference has a place of its own";
    EXPECT_EQ(rows[1]["cells"], json::parse(R"({"POS":"b"})")) << "an empty field is no cell";
}

TEST(ImportScenario, PdmTablesEnvironmentMappingAndSteps) {
    ImportSources sources = PartsList("ITEM,QTY\n1,1\n");
    sources.pdmTables = {{"Folder_All_Part", {"parts.csv", "ORBKEY,IDENT\nP1,4711\nP2\n"}},
                         {"XREF_ELEMENT",
                          {"xref.csv",
                           "\xEF\xBB\xBF"
                           "A;B\r\n"}}};
    sources.env = {{"ORBKEY", "D1.1"}, {"WSPATH", "ws/"}};
    sources.mappingName = "mapping.ini";
    sources.mappingBytes = "\xFF\xFE[\0A\0]\0\r\0\n\0X\0=\0\xE4\0\r\0\n\0"s;
    sources.typed = {"ORBDBOM"};
    const json scenario = Imported(sources);
    EXPECT_EQ(scenario["pdm"]["tables"], json::parse(R"({
        "Folder_All_Part": [{"ORBKEY":"P1","IDENT":"4711"},{"ORBKEY":"P2","IDENT":""}],
        "XREF_ELEMENT": []})"));
    EXPECT_EQ(scenario["pdm"]["env"],
              json::parse(R"({"ORBKEY":"D1.1","WSPATH":"ws/","BOMIniFile":"mapping.ini"})"));
    EXPECT_EQ(scenario["files"]["mapping.ini"],
              json::parse(R"({"text":"[A]\r\nX=ä\r\n","encoding":"utf-16le","bom":true})"));
    EXPECT_EQ(scenario["steps"], json::parse(R"([{"type":"ORBDBOM\n"}])"));
}

TEST(ImportScenario, MappingFileBytesComeBackExactly) {
    const std::vector<std::string> files = {
        "[A]\r\nX=Y\r\n",                     // UTF-8
        "\xEF\xBB\xBF[A]\r\nX=\xC3\xA4\r\n",  // UTF-8 with its mark
        "[A]\r\nX=\xE4\x80\r\n",              // Windows-1252
        "\xFE\xFF\0[\0A\0]"s,                 // UTF-16BE
        std::string("[A]\0\x81\r\n", 7),      // NUL: no text can hold it
        "\xFF\xFE\x00\xD8"s,                  // a lone surrogate
    };
    for (const std::string& bytes : files) {
        ImportSources sources = PartsList("ITEM,QTY\n");
        sources.mappingName = "m.ini";
        sources.mappingBytes = bytes;
        const Scenario scenario = ParseScenario(Imported(sources));
        ASSERT_EQ(scenario.files.size(), 1u);
        EXPECT_EQ(scenario.files[0].bytes, bytes) << json(Imported(sources)["files"]).dump();
    }
}

TEST(ImportScenario, FaultsNameTheFileAndTheLine) {
    struct Case {
        ImportSources sources;
        std::string file;
        std::size_t line;
        const char* text;
    };
    ImportSources badPdm = PartsList("ITEM,QTY\n1,1\n");
    badPdm.pdmTables = {{"T", {"t.csv", "A,B\n1,2,3\n"}}};
    const std::vector<Case> cases = {
        {PartsList("ITEM,DESCR\n1,x\n"), "parts.csv", 1, "no column \"QTY\""},
        {PartsList("QTY\n1\n"), "parts.csv", 1, "no column \"ITEM\""},
        {PartsList("ITEM,QTY\n1,2\n2,two\n"), "parts.csv", 3, "QTY \"two\" is not a whole number"},
        {PartsList("ITEM,QTY\n1,99999999999\n"), "parts.csv", 2, "32 bits"},
        {PartsList("ITEM,QTY\n1,\"2\n"), "parts.csv", 2, "never closed"},
        {badPdm, "t.csv", 2, "more than the header's 2"},
    };
    for (const Case& c : cases) {
        try {
            ImportScenario(c.sources);
            ADD_FAILURE() << c.text << ": no fault";
        } catch (const ImportError& e) {
            EXPECT_EQ(e.file(), c.file) << c.text;
            EXPECT_EQ(e.line(), c.line) << c.text;
            EXPECT_NE(std::string(e.what()).find(c.text), std::string::npos) << e.what();
        }
    }
    // A name the format refuses stops the import, as it would stop the run.
    ImportSources badName = PartsList("ITEM,QTY\n");
    badName.mappingName = "a:b.ini";
    badName.mappingBytes = "[A]\r\n";
    EXPECT_THROW(ImportScenario(badName), sim::ScenarioError);
}

class ImportCommand : public ::testing::Test {
  protected:
    std::string Write(const std::string& name, const std::string& bytes) {
        std::ofstream(dir_ / name, std::ios::binary) << bytes;
        return (dir_ / name).string();
    }
    std::string Read(const std::string& name) {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    int Import(const std::vector<std::string>& args) {
        out_.str("");
        err_.str("");
        return RunImport(args, out_, err_);
    }

    const testfiles::TempDir temp_;
    const fs::path dir_ = temp_.path();
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(ImportCommand, WritesTheWholeScenarioOrNothing) {
    const std::string bom = Write("bom.csv", "ITEM,QTY\n1,2\n");
    const std::string out = (dir_ / "out.json").string();
    ASSERT_EQ(Import({"--bom", bom, "--env", "ORBKEY=D1.1", "-o", out}), 0) << err_.str();
    EXPECT_EQ(out_.str(), "");
    const std::string written = Read("out.json");
    EXPECT_EQ(json::parse(written)["pdm"]["env"]["ORBKEY"], "D1.1");
    EXPECT_FALSE(fs::exists(out + ".partial"));

    ASSERT_EQ(Import({"--bom", bom, "--env", "ORBKEY=D1.1"}), 0) << err_.str();
    EXPECT_EQ(out_.str(), written) << "without -o, the same scenario on standard output";

    // A fault in any input leaves the earlier scenario as it was.
    const std::string broken = Write("broken.csv", "ITEM,QTY\n1,2\n3,\"4\n");
    EXPECT_EQ(Import({"--bom", broken, "-o", out}), 2);
    EXPECT_EQ(err_.str(), "vexa-sim: " + broken +
                              ": line 3: a quoted field that starts in this row is never closed\n");
    EXPECT_EQ(Import({"--bom", bom, "--pdm", "T=" + broken, "-o", out}), 2);
    EXPECT_NE(err_.str().find(broken + ": line 3"), std::string::npos) << err_.str();
    EXPECT_EQ(Import({"--bom", broken}), 2);
    EXPECT_EQ(out_.str(), "");
    EXPECT_EQ(Read("out.json"), written);
    EXPECT_FALSE(fs::exists(out + ".partial"));

    EXPECT_EQ(Import({"--bom", (dir_ / "missing.csv").string(), "-o", out}), 2);
    EXPECT_NE(err_.str().find("missing.csv: cannot be read"), std::string::npos) << err_.str();
    EXPECT_EQ(Read("out.json"), written);
}

TEST_F(ImportCommand, AScenarioThatCannotBeWrittenIsExitTwo) {
    const std::string bom = Write("bom.csv", "ITEM,QTY\n1,2\n");
    FullDisk disk;
    std::ostream out(&disk);
    EXPECT_EQ(RunImport({"--bom", bom}, out, err_), 2);
    EXPECT_EQ(err_.str(), "vexa-sim: standard output: cannot write: No space left on device\n");
}

TEST_F(ImportCommand, WrongArgumentsAreRefused) {
    const std::string bom = Write("bom.csv", "ITEM,QTY\n");
    const std::string mapping = Write("m.ini", "[A]\r\n");
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"--bom", bom, "--env", "ORBKEY"},
        {"--bom", bom, "--env", "A=1", "--env", "A=2"},
        {"--bom", bom, "--mapping", mapping, "--env", "BOMIniFile=x.ini"},
        {"--bom", bom, "--pdm", "T"},
        {"--bom", bom, "--pdm", "T=" + bom, "--pdm", "T=" + bom},
        {"--bom", bom, "--separator", "\""},
        {"--bom", bom, "--separator", ";;"},
    };
    for (const auto& args : wrong) {
        EXPECT_EQ(Import(args), 2) << ::testing::PrintToString(args);
        EXPECT_NE(err_.str().find("usage: vexa-sim import"), std::string::npos) << err_.str();
    }
    const std::string tabs = Write("tabs.txt", "ITEM\tQTY\tA,B\n1\t2\tx,y\n");
    ASSERT_EQ(Import({"--bom", tabs, "--mapping", mapping, "--separator", "tab"}), 0) << err_.str();
    const json scenario = json::parse(out_.str());
    EXPECT_EQ(scenario["pdm"]["env"]["BOMIniFile"], "m.ini");
    EXPECT_EQ(scenario["drawing"]["boms"][0]["rows"][0]["cells"]["A,B"], "x,y");
}

}  // namespace
