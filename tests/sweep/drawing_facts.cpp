#include "tests/sweep/drawing_facts.h"

#include <set>

namespace {

using nlohmann::json;

void AddPartData(const json& data, const std::string& owner, DrawingFacts& facts) {
    for (const auto& [field, value] : data.items()) {
        facts[owner + " part data " + field] = value.dump();
    }
}

void AddEntities(const json& entities, const std::string& owner, DrawingFacts& facts) {
    for (const json& entity : entities) {
        json rest = entity;
        rest.erase("handle");
        facts[owner + " entity " + entity["handle"].dump()] = rest.dump();
    }
}

}  // namespace

DrawingFacts FactsOf(const json& drawing) {
    DrawingFacts facts;
    for (const json& column : drawing["standard"]["columns"]) {
        facts["column " + column["name"].get<std::string>()] = column.dump();
    }
    AddEntities(drawing["entities"], "model space", facts);
    AddPartData(drawing["partData"], "drawing", facts);
    for (const json& block : drawing["blocks"]) {
        const std::string owner = "block " + block["name"].get<std::string>();
        AddEntities(block["entities"], owner, facts);
        AddPartData(block.value("partData", json::object()), owner, facts);
    }
    for (const auto& [number, cells] : drawing["dataEntries"].items()) {
        AddPartData(cells, "data entry " + number, facts);
    }
    for (const json& bom : drawing["boms"]) {
        const std::string owner =
            "parts list of " +
            (bom["owner"].is_null() ? "model space" : bom["owner"].get<std::string>());
        for (const json& row : bom["rows"]) {
            const std::string name = owner + " row of data entry " + row["dataEntry"].dump();
            json rest = row;
            rest.erase("cells");
            facts[name] = rest.dump();
            for (const auto& [cell, value] : row["cells"].items()) {
                facts[name + " cell " + cell] = value.dump();
            }
        }
    }
    facts["structure2d"] = drawing["structure2d"].dump();
    return facts;
}

std::vector<std::string> ThirdStates(const DrawingFacts& before, const DrawingFacts& after,
                                     const DrawingFacts& failed) {
    std::set<std::string> names;
    for (const DrawingFacts* facts : {&before, &after, &failed}) {
        for (const auto& [name, value] : *facts) {
            names.insert(name);
        }
    }
    const auto valueIn = [](const DrawingFacts& facts, const std::string& name) {
        const auto found = facts.find(name);
        return found == facts.end() ? std::string("(none)") : found->second;
    };
    std::vector<std::string> third;
    for (const std::string& name : names) {
        const std::string value = valueIn(failed, name);
        if (value != valueIn(before, name) && value != valueIn(after, name)) {
            third.push_back(name + " = " + value + " (before " + valueIn(before, name) +
                            ", after " + valueIn(after, name) + ")");
        }
    }
    return third;
}

bool IsFieldLeftByAnotherItem(const DrawingFacts& before, const DrawingFacts& failed,
                              const std::string& third) {
    const std::size_t equals = third.find(" = ");
    if (equals == std::string::npos || failed.count(third.substr(0, equals)) != 0) {
        return false;
    }
    for (const std::string marker : {" part data ", " cell "}) {
        const std::size_t field = third.rfind(marker, equals);
        if (field == std::string::npos) {
            continue;
        }
        const std::string key = third.substr(0, field) + marker + "ORBKEY";
        const auto keyBefore = before.find(key);
        const auto keyFailed = failed.find(key);
        return keyFailed != failed.end() &&
               (keyBefore == before.end() || keyBefore->second != keyFailed->second);
    }
    return false;
}
