#include "app/common/scenario.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <unordered_set>
#include <utility>

#include "app/common/scenario_text.h"
#include "app/common/text_encoding.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_scenario.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/json_at.h"

namespace {

using nlohmann::json;
using sim::JsonAt;

constexpr std::size_t kLongestFileName = 1024;
constexpr std::size_t kLongestFileNamePart = 255;

// Relative, inside the work directory, and a name that every file system vexa-sim runs on
// can hold.
void CheckFileName(const std::string& name, const JsonAt& node) {
    if (name.empty()) {
        node.fail("a file needs a name");
    }
    if (name.size() > kLongestFileName) {
        node.fail("a file name is at most " + std::to_string(kLongestFileName) + " bytes");
    }
    for (const char c : name) {
        if (static_cast<unsigned char>(c) < 0x20 ||
            std::string("\\:*?\"<>|").find(c) != std::string::npos) {
            node.fail("a file name cannot hold control characters or any of \\ : * ? \" < > |");
        }
    }
    std::stringstream parts(name + "/");
    for (std::string part; std::getline(parts, part, '/');) {
        if (part.empty()) {
            node.fail(
                "a file name is relative and has no empty parts (no leading, doubled or "
                "trailing \"/\")");
        }
        if (part == "." || part == "..") {
            node.fail("a file name stays inside the work directory: no \".\" or \"..\" parts");
        }
        if (part.size() > kLongestFileNamePart) {
            node.fail("each part of a file name is at most " +
                      std::to_string(kLongestFileNamePart) + " bytes");
        }
    }
}

// A file cannot also be the folder of another file.
void CheckFileNamesApart(const std::vector<ScenarioFile>& files, const JsonAt& node) {
    std::set<std::string> names;
    for (const ScenarioFile& file : files) {
        names.insert(file.name);
    }
    for (const ScenarioFile& file : files) {
        for (std::size_t slash = file.name.find('/'); slash != std::string::npos;
             slash = file.name.find('/', slash + 1)) {
            const std::string folder = file.name.substr(0, slash);
            if (names.count(folder) != 0) {
                node[file.name].fail("\"" + folder + "\" is a file, so it cannot be a folder");
            }
        }
    }
}

ScenarioFile ParseFile(const std::string& name, const JsonAt& node) {
    node.requireObject({"text", "encoding", "bom", "hex"});
    CheckFileName(name, node);
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

// Environment values that name places in the file system, kept for the work-directory check.
constexpr const char* kPathSettings[] = {"BOMIniFile", "WSPATH"};

void CheckEnv(const JsonAt& env, std::vector<ScenarioPathSetting>& pathSettings) {
    RequireMap(env);
    for (const auto& [name, unused] : env.value().items()) {
        const JsonAt value = env[name];
        const std::string text = value.utf8();
        if (name.find('\0') != std::string::npos) {
            value.fail("a name cannot hold a NUL character");
        }
        for (const char* setting : kPathSettings) {
            if (name == setting) {
                pathSettings.push_back(ScenarioPathSetting{name, text, value.path()});
            }
        }
    }
}

void CheckFault(const JsonAt& fail) {
    fail.requireObject({"op", "nth", "status"});
    const std::string op = fail["op"].utf8();
    if (!sim::isFaultOperation(op)) {
        std::string valid = "\"*\"";
        for (const std::string& name : sim::faultOperations()) {
            valid += ", " + name;
        }
        fail["op"].fail("unknown operation \"" + op + "\" (known: " + valid + ")");
    }
    const JsonAt nth = fail["nth"];
    if (nth.value().is_number_integer() && nth.value().get<std::int64_t>() < 1 &&
        !nth.value().is_number_unsigned()) {
        nth.fail("nth counts calls from 1, from the step that arms the fault");
    }
    nth.integer(1, INT32_MAX);
    if (fail["status"].integer(INT32_MIN, INT32_MAX) == 0) {
        fail["status"].fail("status 0 is success: a fault needs a failing status");
    }
}

ScenarioStep ParseStep(const JsonAt& node, std::vector<ScenarioPathSetting>& pathSettings) {
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
            CheckEnv(node["env"], pathSettings);
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
        CheckFault(node["fail"]);
        step.kind = ScenarioStep::Kind::kFail;
    } else if (node.has("env")) {
        node.requireObject({"env"});
        CheckEnv(node["env"], pathSettings);
        step.kind = ScenarioStep::Kind::kEnv;
    } else if (node.has("pdm")) {
        node.requireObject({"pdm"});
        const JsonAt pdm = node["pdm"];
        sim::pdm::check(pdm.value(), pdm.path());
        if (pdm.has("env")) {
            CheckEnv(pdm["env"], pathSettings);
        }
        step.kind = ScenarioStep::Kind::kPdm;
    } else if (node.has("structure2d")) {
        node.requireObject({"structure2d"});
        node["structure2d"].boolean();
        step.kind = ScenarioStep::Kind::kStructure2d;
    } else {
        node.fail(
            "a step needs one of \"type\", \"command\", \"lisp\", \"save\", \"fail\", \"env\", "
            "\"pdm\", \"structure2d\"");
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
    if (root.has("description")) {
        root["description"].utf8();
    }
    if (root.has("files")) {
        const JsonAt files = root["files"];
        RequireMap(files);
        for (const auto& [name, unused] : document["files"].items()) {
            scenario.files.push_back(ParseFile(name, files[name]));
        }
        CheckFileNamesApart(scenario.files, files);
    }
    if (root.has("drawing")) {
        scenario.drawing = document["drawing"];
    }
    if (root.has("pdm")) {
        const JsonAt pdm = root["pdm"];
        sim::pdm::check(pdm.value(), pdm.path());
        if (pdm.has("env")) {
            CheckEnv(pdm["env"], scenario.pathSettings);
        }
        scenario.pdm = document["pdm"];
    }
    if (root.has("hostFunctions")) {
        const JsonAt functions = root["hostFunctions"];
        RequireMap(functions);
        for (const auto& [name, answer] : document["hostFunctions"].items()) {
            if (name.find('\0') != std::string::npos) {
                functions[name].fail("a name cannot hold a NUL character");
            }
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
            scenario.steps.push_back(ParseStep(steps.at(i), scenario.pathSettings));
        }
    }
    return scenario;
}

void CheckStepsAgainstDrawing(const Scenario& scenario, sim::Database& db,
                              sim::DrawingHandles& handles) {
    std::unordered_set<std::int64_t> added;
    for (const ScenarioStep& step : scenario.steps) {
        if (step.kind != ScenarioStep::Kind::kCommand) {
            continue;
        }
        const JsonAt node(step.node, step.path);
        if (node.has("add")) {
            sim::checkEntities(node["add"].value(), node["add"].path(), db, handles, added);
        }
        for (const char* list : {"erase", "unerase"}) {
            if (!node.has(list)) {
                continue;
            }
            const JsonAt handlesAt = node[list];
            for (std::size_t i = 0; i < handlesAt.size(); ++i) {
                const std::int64_t handle = handlesAt.at(i).integer(1, INT64_MAX);
                if (handles.entity(handle).isNull() && added.count(handle) == 0) {
                    handlesAt.at(i).fail("no entity has handle " + std::to_string(handle));
                }
            }
        }
    }
}

Scenario ParseScenario(json&& document) {
    json drawing;
    const bool hasDrawing = document.is_object() && document.contains("drawing");
    if (hasDrawing) {
        drawing = std::move(document["drawing"]);
        document.erase("drawing");
    }
    Scenario scenario = ParseScenario(std::as_const(document));
    if (hasDrawing) {
        scenario.drawing = std::move(drawing);
    }
    return scenario;
}

Scenario ReadScenario(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw sim::ScenarioError("", "cannot open the file");
    }
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    Scenario scenario = ParseScenario(ParseScenarioText(text));
    scenario.file = file;
    return scenario;
}
