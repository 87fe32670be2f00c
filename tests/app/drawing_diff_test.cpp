// The preview of changes: what DiffDrawings finds between two drawings, how it reads for
// people and in jsonl, and "vexa-sim diff" over scenario files with known answers.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/common/change_text.h"
#include "app/common/drawing_diff.h"
#include "app/diff/diff_command.h"

namespace fs = std::filesystem;
using nlohmann::json;

namespace {

const fs::path kFiles = fs::path(ORBD_TEST_DIFF_DIR);

json Drawing(const fs::path& file) {
    std::ifstream in(file);
    return json::parse(in)["drawing"];
}

std::string Lines(const std::vector<DrawingChange>& changes) {
    std::string lines;
    for (const DrawingChange& change : changes) {
        lines += change.what + " " + change.where + " " + change.oldValue.dump() + " -> " +
                 change.newValue.dump() + "\n";
    }
    return lines;
}

TEST(DrawingDiff, FindsEveryKindOfChangeInAFixedOrder) {
    const std::vector<DrawingChange> changes =
        DiffDrawings(Drawing(kFiles / "before.json"), Drawing(kFiles / "after.json"));
    EXPECT_EQ(Lines(changes),
              "partData drawing/ORBKEY \"D1.1\" -> \"D1.2\"\n"
              "entity drawing/part reference 1/position [10,20] -> [10,25]\n"
              "partData drawing/part reference 2/IDENT \"K-1\" -> \"K-2\"\n"
              "entity drawing/part reference 4 null -> "
              "{\"dataEntry\":9,\"handle\":4,\"position\":[5,5],\"type\":\"partref\"}\n"
              "entity drawing/line 3 {\"handle\":3,\"type\":\"line\"} -> null\n"
              "partData block GEAR/REV null -> \"B\"\n"
              "row parts list (model space)/row 1/qty 2 -> 3\n"
              "cell parts list (model space)/row 1/DESCR \"Washer\" -> \"Washer M8\"\n"
              "row parts list (model space)/row 3 null -> "
              "{\"cells\":{\"DESCR\":\"Bolt\"},\"dataEntry\":9,\"item\":\"3\",\"qty\":1}\n"
              "row parts list (model space)/row 2 "
              "{\"cells\":{\"DESCR\":\"Gear\"},\"dataEntry\":8,\"item\":\"2\",\"qty\":1} -> null\n"
              "column parts-list standard/NOTE null -> {\"name\":\"NOTE\",\"visible\":false}\n");
    EXPECT_EQ(ChangesText(changes),
              "Drawing\n"
              "  part data ORBKEY: \"D1.1\" -> \"D1.2\"\n"
              "  part reference 1 moved: (10, 20) -> (10, 25)\n"
              "  part reference 2 part data IDENT: \"K-1\" -> \"K-2\"\n"
              "  part reference 4 added at (5, 5)\n"
              "  line 3 erased at (0, 0)\n"
              "Block GEAR\n"
              "  part data REV: (none) -> \"B\"\n"
              "Parts list (model space)\n"
              "  row 1 qty: 2 -> 3\n"
              "  row 1 DESCR: \"Washer\" -> \"Washer M8\"\n"
              "  row 3 added: item \"3\", qty 1, state 0, DESCR \"Bolt\"\n"
              "  row 2 removed: item \"2\", qty 1, state 0, DESCR \"Gear\"\n"
              "Parts-list standard\n"
              "  column NOTE added (hidden)\n");
}

TEST(DrawingDiff, EqualDrawingsHaveNoChanges) {
    const json drawing = Drawing(kFiles / "before.json");
    EXPECT_TRUE(DiffDrawings(drawing, drawing).empty());
    EXPECT_TRUE(DiffDrawings(json::object(), json::object()).empty()) << "missing keys are empty";
    EXPECT_EQ(ChangesText({}), "no changes\n");
}

TEST(DrawingDiff, RowsAreMatchedByDataEntryThenByItem) {
    const json before = json::parse(R"({"boms": [{"owner": null, "rows": [
        {"item": "1", "qty": 1, "dataEntry": 7, "cells": {"D": "a"}},
        {"item": "2", "qty": 1, "dataEntry": 8, "cells": {"D": "b"}},
        {"item": "3", "qty": 1, "dataEntry": 9, "cells": {"D": "x"}}]}]})");
    const json after = json::parse(R"({"boms": [{"owner": null, "rows": [
        {"item": "1", "qty": 1, "dataEntry": 8, "cells": {"D": "b"}},
        {"item": "3", "qty": 1, "dataEntry": 11, "cells": {"D": "y"}}]}]})");
    EXPECT_EQ(Lines(DiffDrawings(before, after)),
              "row parts list (model space)/row 1/item \"2\" -> \"1\"\n"
              "row parts list (model space)/row 3/dataEntry 9 -> 11\n"
              "cell parts list (model space)/row 3/D \"x\" -> \"y\"\n"
              "row parts list (model space)/row 1 "
              "{\"cells\":{\"D\":\"a\"},\"dataEntry\":7,\"item\":\"1\",\"qty\":1} -> null\n")
        << "a renumbered row keeps its data entry; a new data entry falls back to the item";
}

TEST(DrawingDiff, EntitiesMovedBetweenBlocksAndModelSpaceAreMoves) {
    const json before = json::parse(R"({
        "entities": [{"handle": 1, "type": "partref"}, {"handle": 2, "type": "line"}],
        "blocks": [{"name": "A", "entities": [{"handle": 3, "type": "line"}]},
                   {"name": "B", "entities": []}]})");
    const json after = json::parse(R"({
        "entities": [{"handle": 2, "type": "line"}, {"handle": 3, "type": "line"}],
        "blocks": [{"name": "A", "entities": [{"handle": 1, "type": "partref",
                                               "position": [1, 2]}]},
                   {"name": "B", "entities": [{"handle": 4, "type": "line"}]}]})");
    const std::vector<DrawingChange> changes = DiffDrawings(before, after);
    EXPECT_EQ(Lines(changes),
              "entity drawing/line 3/owner \"A\" -> null\n"
              "entity block A/part reference 1/owner null -> \"A\"\n"
              "entity block A/part reference 1/position null -> [1,2]\n"
              "entity block B/line 4 null -> {\"handle\":4,\"type\":\"line\"}\n");
    EXPECT_EQ(ChangesText(changes),
              "Drawing\n"
              "  line 3 moved from block \"A\" into model space\n"
              "Block A\n"
              "  part reference 1 moved from model space into block \"A\"\n"
              "  part reference 1 moved: (0, 0) -> (1, 2)\n"
              "Block B\n"
              "  line 4 added at (0, 0)\n");
    // From one block into another, nothing else changed.
    const json fromA = json::parse(R"({"blocks": [
        {"name": "A", "entities": [{"handle": 3, "type": "line"}]}, {"name": "B"}]})");
    const json intoB = json::parse(R"({"blocks": [
        {"name": "A"}, {"name": "B", "entities": [{"handle": 3, "type": "line"}]}]})");
    EXPECT_EQ(ChangesText(DiffDrawings(fromA, intoB)),
              "Block B\n  line 3 moved from block \"A\" into block \"B\"\n");
}

TEST(DrawingDiff, PlacesStayReadableAndSafe) {
    const json before = json::parse(R"({"blocks": [{"name": "A/B~1", "partData": {}}]})");
    const json after =
        json::parse(R"({"blocks": [{"name": "A/B~1", "partData": {"K": "red\u001b[31m"}}]})");
    const std::vector<DrawingChange> changes = DiffDrawings(before, after);
    ASSERT_EQ(changes.size(), 1u);
    EXPECT_EQ(changes[0].where, "block A~1B~01/K");
    EXPECT_EQ(WhereSegments(changes[0].where), (std::vector<std::string>{"block A/B~1", "K"}));
    EXPECT_EQ(ChangesText(changes), "Block A/B~1\n  part data K: (none) -> \"red\\x1b[31m\"\n")
        << "control characters never reach the terminal";
}

TEST(DrawingDiff, JsonlHasOneChangeEventAChange) {
    std::ostringstream out;
    Transcript transcript(out, TranscriptFormat::kJsonl);
    WriteChanges({{"cell", "parts list (model space)/row 1/D", "a", nullptr, {}}}, transcript);
    EXPECT_EQ(out.str(),
              "{\"ev\":\"change\",\"what\":\"cell\",\"where\":\"parts list (model "
              "space)/row 1/D\",\"old\":\"a\",\"new\":null}\n");
    std::ostringstream none;
    Transcript text(none, TranscriptFormat::kText);
    WriteChanges(std::vector<DrawingChange>{}, text);
    EXPECT_EQ(none.str(), "[changes]\nno changes\n");
}

// Each command's changes come with their cause: fields in jsonl, a heading in the text;
// commands that changed nothing are left out.
TEST(DrawingDiff, ChangesOfACommandCarryItsStepAndName) {
    const std::vector<CommandChanges> commands{
        {0, "ORBDBOM", {{"cell", "parts list (model space)/row 1/D", nullptr, "a", 1}}},
        {1, "env", {}},
        {2, "ORBDDWGINSERT, ORBDUPDATEPARTREF", {{"partData", "drawing/K", "x", "y", {}}}}};
    std::ostringstream jsonl;
    Transcript events(jsonl, TranscriptFormat::kJsonl);
    WriteCommandChanges(commands, events);
    EXPECT_EQ(jsonl.str(),
              "{\"ev\":\"change\",\"what\":\"cell\",\"where\":\"parts list (model space)/row "
              "1/D\",\"old\":null,\"new\":\"a\",\"place\":1,\"step\":0,\"command\":\"ORBDBOM\"}\n"
              "{\"ev\":\"change\",\"what\":\"partData\",\"where\":\"drawing/K\",\"old\":\"x\","
              "\"new\":\"y\",\"step\":2,\"command\":\"ORBDDWGINSERT, ORBDUPDATEPARTREF\"}\n");
    std::ostringstream text;
    Transcript people(text, TranscriptFormat::kText);
    WriteCommandChanges(commands, people);
    EXPECT_EQ(text.str(),
              "[changes]\n"
              "ORBDBOM (step 0)\n"
              "  Parts list (model space)\n"
              "    row 1 D: (none) -> \"a\"\n"
              "ORBDDWGINSERT, ORBDUPDATEPARTREF (step 2)\n"
              "  Drawing\n"
              "    part data K: \"x\" -> \"y\"\n");
    std::ostringstream none;
    Transcript nothing(none, TranscriptFormat::kText);
    WriteCommandChanges({{1, "env", {}}}, nothing);
    EXPECT_EQ(none.str(), "[changes]\nno changes\n");
}

// What reads the same to the module is no change, and rows without an item are told apart by
// their place.
TEST(DrawingDiff, ReadsAsPeopleSeeTheDrawing) {
    const json before = json::parse(R"({
      "partData": {"A": ""},
      "boms": [{"owner": null, "rows": [{"item": "1", "qty": 1, "cells": {"D": "x"}},
                                        {"item": "", "qty": 1, "dataEntry": 5, "cells": {}}]}],
      "standard": {"columns": [{"name": "ITEM"}]}})");
    const json after = json::parse(R"({
      "partData": {"B": ""},
      "boms": [{"owner": null, "rows": [{"item": "1", "qty": 1, "cells": {"D": "x", "M": ""}},
                                        {"item": "", "qty": 1, "dataEntry": 5,
                                         "cells": {"D": "note"}},
                                        {"item": "", "qty": 2, "state": 1, "cells": {"D": "y"}}]}],
      "standard": {"columns": [{"name": "ITEM"},
                               {"name": "MAT", "displayText": "Material", "visible": false}]}})");
    EXPECT_EQ(ChangesText(DiffDrawings(before, after)),
              "Parts list (model space)\n"
              "  row #2 (no item) D: (none) -> \"note\"\n"
              "  row #3 (no item) added: item \"\", qty 2, state 1, D \"y\"\n"
              "Parts-list standard\n"
              "  column MAT added \"Material\" (hidden)\n");
}

class DiffCommand : public ::testing::Test {
  protected:
    int Diff(std::vector<std::string> args) {
        out_.str("");
        err_.str("");
        return RunDiff(args, out_, err_);
    }
    std::string File(const char* name) const { return (kFiles / name).string(); }
    std::ostringstream out_;
    std::ostringstream err_;
};

TEST_F(DiffCommand, ComparesScenariosInTheirSavedForm) {
    EXPECT_EQ(Diff({File("before.json"), File("after.json")}), 0) << err_.str();
    EXPECT_NE(out_.str().find("Parts list (model space)\n  row 1 qty: 2 -> 3\n"), std::string::npos)
        << out_.str();
    EXPECT_NE(out_.str().find("row 3 added: item \"3\", qty 1, state 0, DESCR \"Bolt\""),
              std::string::npos)
        << out_.str();

    EXPECT_EQ(Diff({File("before.json"), File("after.json"), "--format", "jsonl"}), 0);
    EXPECT_NE(out_.str().find("{\"ev\":\"change\",\"what\":\"row\",\"where\":\"parts list "
                              "(model space)/row 3\",\"old\":null,\"new\":{\"cells\":{\"DESCR\":"
                              "\"Bolt\"},\"dataEntry\":9,\"item\":\"3\",\"partRefPaths\":[[4]]"),
              std::string::npos)
        << "the saved form fills in what a run would save: " << out_.str();

    EXPECT_EQ(Diff({File("before.json"), File("before.json")}), 0);
    EXPECT_EQ(out_.str(), "no changes\n");
}

TEST_F(DiffCommand, BadInputNamesTheFileAndThePlace) {
    EXPECT_EQ(Diff({File("before.json")}), 2);
    EXPECT_NE(err_.str().find("two files"), std::string::npos) << err_.str();
    EXPECT_EQ(Diff({File("before.json"), File("after.json"), "--format", "xml"}), 2);

    EXPECT_EQ(Diff({File("before.json"), File("missing.json")}), 2);
    EXPECT_NE(err_.str().find("missing.json"), std::string::npos) << err_.str();

    // A folder, or on Linux a device, is never read.
    EXPECT_EQ(Diff({kFiles.string(), File("after.json")}), 2);
    EXPECT_NE(err_.str().find(kFiles.string() + ": not a regular file"), std::string::npos)
        << err_.str();
#if defined(__linux__)
    EXPECT_EQ(Diff({"/dev/zero", File("after.json")}), 2);
    EXPECT_NE(err_.str().find("/dev/zero: not a regular file"), std::string::npos) << err_.str();
#endif

    EXPECT_EQ(Diff({File("bad-drawing.json"), File("after.json")}), 2);
    EXPECT_NE(err_.str().find("bad-drawing.json: at /drawing/boms/0/rows/0/qty"), std::string::npos)
        << err_.str();
    EXPECT_EQ(out_.str(), "");
}

}  // namespace
