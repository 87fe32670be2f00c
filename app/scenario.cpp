#include "app/scenario.h"

#include <fstream>
#include <sstream>

#include "app/text_encoding.h"
#include "sim/scenario/json_at.h"

namespace {

using nlohmann::json;
using sim::JsonAt;

ScenarioFile ParseFile(const std::string& name, const JsonAt& spec) {
    spec.requireObject({"text", "encoding", "bom", "hex"});
    if (name.empty() || name.find("..") != std::string::npos || name.front() == '/') {
        spec.fail("a file name must be a relative path inside the work directory");
    }
    ScenarioFile file{name, {}};
    if (spec.has("hex")) {
        if (spec.has("text")) {
            spec.fail("give either \"text\" or \"hex\", not both");
        }
        if (!DecodeHex(spec["hex"].utf8(), file.bytes)) {
            spec["hex"].fail("must be pairs of hexadecimal digits");
        }
        return file;
    }
    if (!spec.has("text")) {
        spec.fail("needs \"text\" or \"hex\"");
    }
    TextEncodingKind encoding = TextEncodingKind::kUtf8;
    if (spec.has("encoding") && !ParseTextEncoding(spec["encoding"].utf8(), encoding)) {
        spec["encoding"].fail("must be one of \"utf-8\", \"utf-16le\", \"utf-16be\", \"ansi\"");
    }
    const bool mark = spec.has("bom") && spec["bom"].boolean();
    std::string error;
    if (!EncodeText(spec["text"].utf8(), encoding, mark, file.bytes, error)) {
        spec["text"].fail(error);
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

ScenarioStep ParseStep(const JsonAt& spec) {
    ScenarioStep step{ScenarioStep::Kind::kType, spec.value(), spec.path()};
    if (!spec.value().is_object()) {
        spec.fail("a step must be an object");
    }
    if (spec.has("type")) {
        spec.requireObject({"type"});
        spec["type"].utf8();
        step.kind = ScenarioStep::Kind::kType;
    } else if (spec.has("command")) {
        spec.requireObject({"command", "add", "erase", "unerase", "env", "cancel"});
        spec["command"].utf8();
        if (spec.has("add")) {
            spec["add"].requireArray();
        }
        for (const char* list : {"erase", "unerase"}) {
            if (spec.has(list)) {
                CheckHandles(spec[list]);
            }
        }
        if (spec.has("env")) {
            CheckEnv(spec["env"]);
        }
        if (spec.has("cancel")) {
            spec["cancel"].boolean();
        }
        step.kind = ScenarioStep::Kind::kCommand;
    } else if (spec.has("lisp")) {
        spec.requireObject({"lisp"});
        spec["lisp"].utf8();
        step.kind = ScenarioStep::Kind::kLisp;
    } else if (spec.has("save")) {
        spec.requireObject({"save"});
        spec["save"].boolean();
        step.kind = ScenarioStep::Kind::kSave;
    } else if (spec.has("fail")) {
        spec.requireObject({"fail"});
        const JsonAt fail = spec["fail"];
        fail.requireObject({"op", "nth", "status"});
        fail["op"].utf8();
        fail["nth"].integer(1, INT32_MAX);
        fail["status"].integer(INT32_MIN, INT32_MAX);
        step.kind = ScenarioStep::Kind::kFail;
    } else if (spec.has("env")) {
        spec.requireObject({"env"});
        CheckEnv(spec["env"]);
        step.kind = ScenarioStep::Kind::kEnv;
    } else {
        spec.fail(
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
