// The round trip an administrator relies on: a parts list exported by "ORBDBOMEXPORT",
// imported with the same mapping file and exported again gives the same bytes.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/import/scenario_import.h"
#include "app/run/run_command.h"
#include "tests/config/test_files.h"

namespace fs = std::filesystem;

namespace {

// Hidden and missing cells, an empty item, a negative quantity, quotes, separators of every
// kind and text beyond ASCII: all that the export writes as it is.
constexpr const char* kDrawing = R"({
  "files": { "mapping.ini": { "text": "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\nPOS_QTY=QTY\r\n",
                              "encoding": "utf-16le", "bom": true } },
  "drawing": {
    "entities": [ { "handle": 1, "type": "partref", "dataEntry": 7 } ],
    "boms": [ { "owner": null, "rows": [
      { "item": "12", "qty": 3, "dataEntry": 7, "partRefPaths": [[1]],
        "cells": { "DESCRIPTION": "Washer \"DIN 125\", zinc; M8", "NOTE": "hidden",
                   "MATERIAL": "Stahl \u00d8 8 \u2013 \u6f22" } },
      { "item": "", "qty": -1, "cells": { "DESCRIPTION": " padded " } },
      { "item": "\"3\"", "qty": 0, "cells": {} } ] } ],
    "standard": { "columns": [ { "name": "DESCRIPTION" }, { "name": "ITEM" },
                               { "name": "NOTE", "visible": false }, { "name": "QTY" },
                               { "name": "MATERIAL" } ] }
  },
  "pdm": { "env": { "BOMIniFile": "mapping.ini", "WSPATH": "", "ORBKEY": "A1.B2.7" } },
  "steps": [ { "type": "ORBDBOMEXPORT\n" } ]
})";

class ImportRoundTrip : public ::testing::Test {
  protected:
    static std::string Read(const fs::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    // Runs the scenario in a work directory of its own and answers the exported file.
    std::string Export(const std::string& name, const std::string& scenario) {
        const fs::path file = dir_ / (name + ".json");
        std::ofstream(file, std::ios::binary) << scenario;
        RunOptions options;
        options.scenario = file;
        options.module = ORBD_MODULE_FILE;
        options.workdir = dir_ / name;
        std::ostringstream out;
        std::ostringstream err;
        EXPECT_EQ(RunScenario(options, out, err), 0) << err.str() << out.str();
        return Read(dir_ / name / "A1KorBom.txt");
    }

    const testfiles::TempDir temp_;
    const fs::path dir_ = temp_.path();
};

TEST_F(ImportRoundTrip, ExportImportExportGivesTheSameBytes) {
    const std::string exported = Export("first", kDrawing);
    ASSERT_GT(exported.size(), 2u);
    const std::string mapping = Read(dir_ / "first" / "mapping.ini");
    for (const bool partRefs : {false, true}) {
        ImportSources sources;
        sources.bom = {"A1KorBom.txt", exported};
        sources.mappingName = "mapping.ini";
        sources.mappingBytes = mapping;
        sources.env = {{"WSPATH", ""}, {"ORBKEY", "A1.B2.7"}};
        sources.typed = {"ORBDBOMEXPORT"};
        sources.partRefs = partRefs;
        const std::string again =
            Export(partRefs ? "again-part-refs" : "again", ImportScenario(sources));
        EXPECT_EQ(again, exported) << (partRefs ? "with part references" : "without");
        EXPECT_EQ(Read(dir_ / (partRefs ? "again-part-refs" : "again") / "mapping.ini"), mapping);
    }
}

}  // namespace
