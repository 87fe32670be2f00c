#include "scale_scenario.h"

#include <nlohmann/json.hpp>

namespace scale {
namespace {

using Json = nlohmann::ordered_json;

constexpr int kFreeColumns = 16;
// Parts the rows' keys cycle through, each a record of the PDM.
constexpr int kParts = 50;

std::string partKey(int row) {
    return "P" + std::to_string(1 + row % kParts);
}

std::string column(int n) {
    return (n < 10 ? "C0" : "C") + std::to_string(n);
}

std::string mappingText() {
    std::string text =
        "[VexaBomToKORDANE]\r\nIDENT=ITEM\r\nPOS_QTY=QTY\r\nSRCFILE=FILENAME\r\n"
        "DESCR=DESCRIPTION\r\n";
    for (int n = 1; n <= kFreeColumns; ++n) {
        text += (n < 10 ? "F0" : "F") + std::to_string(n) + "=" + column(n) + "\r\n";
    }
    // What the part-reference commands fetch.
    text +=
        "[KORDANEPartRefToVexa]\r\nDESCRIPTION=#DESCRIPTION\r\nC01=#IDENT\r\n"
        "[KORDANEProductToVexa]\r\nDESCRIPTION=#DESCRIPTION\r\nC01=#IDENT\r\n"
        "ORBKEY=#ORBKEY\r\n";
    return text;
}

Json partRef(int handle, int entry) {
    return {{"handle", handle}, {"type", "partref"}, {"dataEntry", entry}};
}

bool inExternalReference(int row) {
    return row % 10 == 0;
}

std::string blockName(int row) {
    return "XR" + std::to_string(row);
}

Json entity(int rows, int row) {
    if (inExternalReference(row)) {
        return {{"handle", rows + row}, {"type", "blockref"}, {"block", blockName(row)}};
    }
    return partRef(row, row);
}

Json block(int row) {
    const std::string name = blockName(row);
    return {{"name", name},
            {"xrefPath", "parts/" + name + ".dwg"},
            {"partData", {{"ORBKEY", "X" + std::to_string(row)}}},
            {"entities", Json::array({partRef(row, row)})}};
}

Json row(int rows, int i) {
    Json row = {{"item", std::to_string(i)}, {"qty", 1 + i % 7}, {"dataEntry", i}};
    Json cells = {{"DESCRIPTION", "Part number " + std::to_string(i)}, {"ORBKEY", partKey(i)}};
    for (int n = 1; n <= kFreeColumns; ++n) {
        cells[column(n)] = "v" + std::to_string(i) + "." + std::to_string(n);
    }
    row["cells"] = std::move(cells);
    row["partRefPaths"] = inExternalReference(i) ? Json::array({Json::array({rows + i, i})})
                                                 : Json::array({Json::array({i})});
    return row;
}

// Writes "KEY":[...] with one element a row, for those rows that have one.
template <class Element>
void writeArray(std::ostream& out, const char* key, int rows, Element element) {
    out << Json(key).dump() << ":[";
    bool first = true;
    for (int i = 1; i <= rows; ++i) {
        if (const Json value = element(i); !value.is_null()) {
            out << (first ? "" : ",") << value.dump();
            first = false;
        }
    }
    out << ']';
}

// The drawing is written one element at a time: a million rows as one value would take
// gigabytes in the benchmark itself.
void writeDrawing(std::ostream& out, int rows) {
    out << '{';
    writeArray(out, "entities", rows, [&](int i) { return entity(rows, i); });
    out << ',';
    writeArray(out, "blocks", rows,
               [](int i) { return inExternalReference(i) ? block(i) : Json(); });
    out << R"(,"partData":{"ORBKEY":"D1.1"},"boms":[{"owner":null,"current":true,)";
    writeArray(out, "rows", rows, [&](int i) { return row(rows, i); });
    Json columns = Json::array({{{"name", "ITEM"}, {"visible", true}},
                                {{"name", "QTY"}, {"visible", true}},
                                {{"name", "DESCRIPTION"}, {"visible", true}}});
    for (int n = 1; n <= kFreeColumns; ++n) {
        columns.push_back({{"name", column(n)}, {"visible", true}});
    }
    out << "}],"
        << R"("standard":)" << Json{{"columns", std::move(columns)}}.dump()
        << R"(,"structure2d":false})";
}

Json pdm() {
    Json documents = Json::array({{{"ORBKEY", "D1.1"}, {"TITLE", "Scale"}}});
    for (int n = 1; n <= kParts; ++n) {
        documents.push_back({{"ORBKEY", "P" + std::to_string(n)},
                             {"IDENT", std::to_string(4000 + n)},
                             {"DESCRIPTION", "Part " + std::to_string(n)}});
    }
    return {{"env", {{"BOMIniFile", "mapping.ini"}, {"WSPATH", ""}, {"ORBKEY", "D1.1"}}},
            {"catalogue",
             {{"VM2042", "The drawing has no parts list."},
              {"VM2043", "The parts list cannot be read."},
              {"VM2049", "The PDM has no part for this drawing."},
              {"VM2050", "Position of the part reference: "},
              {"zorn606", "Choose a part"},
              {"VX16300", "The mapping file cannot be read."},
              {"VX16301", "The mapping file has no such section."},
              {"VX16303", "Parts lists of 2D structures are not transferred."}}},
            {"hasPart", "1"},
            {"tables", {{"Folder_All_Document", std::move(documents)}}}};
}

}  // namespace

void writeScenario(std::ostream& out, int rows, const std::vector<std::string>& commands) {
    Json steps = Json::array();
    for (const std::string& typed : commands) {
        steps.push_back({{"type", typed + "\n"}});
    }
    const Json files = {
        {"mapping.ini", {{"text", mappingText()}, {"encoding", "utf-16le"}, {"bom", true}}}};
    out << R"({"files":)" << files.dump() << R"(,"drawing":)";
    writeDrawing(out, rows);
    out << R"(,"pdm":)" << pdm().dump() << R"(,"steps":)" << steps.dump() << '}';
}

}  // namespace scale
