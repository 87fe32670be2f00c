#include "app/scenario.h"

#include <fstream>
#include <sstream>

#include "app/text_encoding.h"
#include "sim/scenario/json_at.h"

namespace {

using nlohmann::json;
using sim::JsonAt;

ScenarioFile ParseFile(const std::string& name, const JsonAt& node) {
    node.requireObject({"text", "encoding", "bom", "hex"});
    if (name.empty() || name.find("..") != std::string::npos || name.front() == '/') {
        node.fail("a file name must be a relative path inside the work directory");
    }
    ScenarioFile file{name, {}};
    if (node.has("hex")) {
        if (node.has("text")) {
            node.fail("give either \"text\" or \"hex\", not both");
        }
        if (!DecodeHex(node["hex"].utf8(), file.bytes)) {
            node["hex"].fail("must be pairs of hexadecimal digits");
        }
        return file;
    }
    if (!node.has("text")) {
        node.fail("needs \"text\" or \"hex\"");
    }
    TextEncodingKind encoding = TextEncodingKind::kUtf8;
    if (node.has("encoding") && !ParseTextEncoding(node["encoding"].utf8(), encoding)) {
        node["encoding"].fail("must be one of \"utf-8\", \"utf-16le\", \"utf-16be\", \"ansi\"");
    }
    const bool mark = node.has("bom") && node["bom"].boolean();
    std::string error;
    if (!EncodeText(node["text"].utf8(), encoding, mark, file.bytes, error)) {
        node["text"].fail(error);
    }
    return file;
}

void CheckHandles(const JsonAt& list) {
    list.requireArray();
    for (std::size_t i = 0; i < list.size(); ++i) {
        list.at(i).integer(1, INT64_MAX);
    }
}

// An object whose keys are the scenario's own names.
void RequireMap(const JsonAt& map) {
    if (!map.value().is_object()) {
        map.fail("expected an object");
    }
}

void CheckEnv(const JsonAt& env) {
    RequireMap(env);
    for (const auto& [name, unused] : env.value().items()) {
        env[name].utf8();
    }
}

ScenarioStep ParseStep(const JsonAt& node) {
    ScenarioStep step{ScenarioStep::Kind::kType, node.value(), node.path()};
    if (!node.value().is_object()) {
        node.fail("a step must be an object");
    }
    if (node.has("type")) {
        node.requireObject({"type"});
        node["type"].utf8();
        step.kind = ScenarioStep::Kind::kType;
    } else if (node.has("command")) {
        node.requireObject({"command", "add", "erase", "unerase", "env", "cancel", "typeAhead"});
        node["command"].utf8();
        if (node.has("typeAhead")) {
            node["typeAhead"].utf8();
        }
        if (node.has("add")) {
            node["add"].requireArray();
        }
        for (const char* list : {"erase", "unerase"}) {
            if (node.has(list)) {
                CheckHandles(node[list]);
            }
        }
        if (node.has("env")) {
            CheckEnv(node["env"]);
        }
        if (node.has("cancel")) {
            node["cancel"].boolean();
        }
        step.kind = ScenarioStep::Kind::kCommand;
    } else if (node.has("lisp")) {
        node.requireObject({"lisp"});
        node["lisp"].utf8();
        step.kind = ScenarioStep::Kind::kLisp;
    } else if (node.has("save")) {
        node.requireObject({"save"});
        node["save"].boolean();
        step.kind = ScenarioStep::Kind::kSave;
    } else if (node.has("fail")) {
        node.requireObject({"fail"});
        const JsonAt fail = node["fail"];
        fail.requireObject({"op", "nth", "status"});
        fail["op"].utf8();
        fail["nth"].integer(1, INT32_MAX);
        fail["status"].integer(INT32_MIN, INT32_MAX);
        step.kind = ScenarioStep::Kind::kFail;
    } else if (node.has("env")) {
        node.requireObject({"env"});
        CheckEnv(node["env"]);
        step.kind = ScenarioStep::Kind::kEnv;
    } else {
        node.fail(
            "a step needs one of \"type\", \"command\", \"lisp\", \"save\", \"fail\", \"env\"");
    }
    return step;
}

void CheckUiAnswer(const JsonAt& answer) {
    if (answer.value().is_object() && answer.has("msgbox")) {
        answer.requireObject({"msgbox"});
        const std::string word = answer["msgbox"].utf8();
        if (word != "yes" && word != "no" && word != "ok" && word != "cancel") {
            answer["msgbox"].fail("must be \"yes\", \"no\", \"ok\" or \"cancel\"");
        }
    } else if (answer.value().is_object() && answer.has("dialog")) {
        answer.requireObject({"dialog", "check"});
        const std::string word = answer["dialog"].utf8();
        if (word != "ok" && word != "cancel" && word != "fail") {
            answer["dialog"].fail("must be \"ok\", \"cancel\" or \"fail\"");
        }
        if (answer.has("check")) {
            answer["check"].boolean();
        }
    } else {
        answer.fail("an answer needs \"msgbox\" or \"dialog\"");
    }
}

}  // namespace

Scenario ParseScenario(const json& document) {
    const JsonAt root(document, "");
    root.requireObject({"description", "files", "drawing", "pdm", "hostFunctions", "ui", "steps"});
    Scenario scenario;
    if (root.has("files")) {
        const JsonAt files = root["files"];
        RequireMap(files);
        for (const auto& [name, unused] : document["files"].items()) {
            scenario.files.push_back(ParseFile(name, files[name]));
        }
    }
    if (root.has("drawing")) {
        scenario.drawing = document["drawing"];
    }
    if (root.has("pdm")) {
        scenario.pdm = document["pdm"];
    }
    if (root.has("hostFunctions")) {
        const JsonAt functions = root["hostFunctions"];
        RequireMap(functions);
        for (const auto& [name, answer] : document["hostFunctions"].items()) {
            if (!answer.is_null()) {
                functions[name].utf8();
            }
        }
        scenario.hostFunctions = document["hostFunctions"];
    }
    if (root.has("ui")) {
        const JsonAt ui = root["ui"];
        ui.requireArray();
        for (std::size_t i = 0; i < ui.size(); ++i) {
            CheckUiAnswer(ui.at(i));
            scenario.ui.push_back(ui.at(i).value());
        }
    }
    if (root.has("steps")) {
        const JsonAt steps = root["steps"];
        steps.requireArray();
        for (std::size_t i = 0; i < steps.size(); ++i) {
            scenario.steps.push_back(ParseStep(steps.at(i)));
        }
    }
    return scenario;
}

Scenario ReadScenario(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw sim::ScenarioError("", "cannot open the file");
    }
    std::stringstream text;
    text << in.rdbuf();
    json document;
    try {
        document = json::parse(text.str());
    } catch (const json::parse_error& e) {
        throw sim::ScenarioError("", std::string("not JSON: ") + e.what());
    }
    Scenario scenario = ParseScenario(document);
    scenario.file = file;
    return scenario;
}
