#include "app/common/scenario.h"

#include <cstdint>
#include <set>
#include <sstream>
#include <unordered_set>
#include <utility>
#include <variant>

#include "app/common/file_read.h"
#include "app/common/scenario_scan.h"
#include "app/common/scenario_text.h"
#include "app/common/text_encoding.h"
#include "sim/host/faults.h"
#include "sim/pdm/pdm_scenario.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/json_at.h"
#include "sim/scenario/scenario_error.h"

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

std::vector<HandleAt> ReadHandles(const JsonAt& list) {
    list.requireArray();
    std::vector<HandleAt> handles;
    for (std::size_t i = 0; i < list.size(); ++i) {
        const JsonAt handle = list.at(i);
        handles.push_back(HandleAt{handle.integer(1, INT64_MAX), handle.path()});
    }
    return handles;
}

// An object whose keys are the scenario's own names.
void RequireMap(const JsonAt& map) {
    if (!map.value().is_object()) {
        map.fail("expected an object");
    }
}

// Environment values that name places in the file system, kept for the work-directory check.
constexpr const char* kPathSettings[] = {"BOMIniFile", "WSPATH"};

ScenarioEnv ReadEnv(const JsonAt& env, std::vector<ScenarioPathSetting>& pathSettings) {
    RequireMap(env);
    ScenarioEnv values;
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
        values.emplace_back(name, text);
    }
    return values;
}

FailStep ReadFault(const JsonAt& fail) {
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
    const auto count = static_cast<int>(nth.integer(1, INT32_MAX));
    const auto status = static_cast<int>(fail["status"].integer(INT32_MIN, INT32_MAX));
    if (status == 0) {
        fail["status"].fail("status 0 is success: a fault needs a failing status");
    }
    return FailStep{op, count, status};
}

CommandStep ReadCommand(const JsonAt& node, std::vector<ScenarioPathSetting>& pathSettings) {
    node.requireObject({"command", "add", "erase", "unerase", "env", "cancel", "typeAhead"});
    CommandStep command;
    command.name = node["command"].utf8();
    if (node.has("typeAhead")) {
        command.typeAhead = node["typeAhead"].utf8();
    }
    if (node.has("add")) {
        node["add"].requireArray();
        command.add = node["add"].value();
    }
    for (const auto& [list, handles] :
         {std::pair{"erase", &command.erase}, std::pair{"unerase", &command.unerase}}) {
        if (node.has(list)) {
            *handles = ReadHandles(node[list]);
        }
    }
    if (node.has("env")) {
        command.env = ReadEnv(node["env"], pathSettings);
    }
    if (node.has("cancel")) {
        command.cancel = node["cancel"].boolean();
    }
    return command;
}

ScenarioStep ReadStep(const JsonAt& node, std::vector<ScenarioPathSetting>& pathSettings) {
    if (!node.value().is_object()) {
        node.fail("a step must be an object");
    }
    ScenarioStep step{TypeStep{}, node.path()};
    if (node.has("type")) {
        node.requireObject({"type"});
        step.action = TypeStep{node["type"].utf8()};
    } else if (node.has("command")) {
        step.action = ReadCommand(node, pathSettings);
    } else if (node.has("lisp")) {
        node.requireObject({"lisp"});
        step.action = LispStep{node["lisp"].utf8()};
    } else if (node.has("save")) {
        node.requireObject({"save"});
        step.action = SaveStep{node["save"].boolean()};
    } else if (node.has("fail")) {
        node.requireObject({"fail"});
        step.action = ReadFault(node["fail"]);
    } else if (node.has("env")) {
        node.requireObject({"env"});
        step.action = EnvStep{ReadEnv(node["env"], pathSettings)};
    } else if (node.has("pdm")) {
        node.requireObject({"pdm"});
        const JsonAt pdm = node["pdm"];
        sim::pdm::check(pdm.value(), pdm.path());
        if (pdm.has("env")) {
            ReadEnv(pdm["env"], pathSettings);
        }
        step.action = PdmStep{pdm.value()};
    } else if (node.has("structure2d")) {
        node.requireObject({"structure2d"});
        step.action = Structure2dStep{node["structure2d"].boolean()};
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
            ReadEnv(pdm["env"], scenario.pathSettings);
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
            scenario.steps.push_back(ReadStep(steps.at(i), scenario.pathSettings));
        }
    }
    return scenario;
}

void CheckStepsAgainstDrawing(const Scenario& scenario, sim::Database& db,
                              sim::DrawingHandles& handles) {
    std::unordered_set<std::int64_t> added;
    for (const ScenarioStep& step : scenario.steps) {
        const auto* command = std::get_if<CommandStep>(&step.action);
        if (command == nullptr) {
            continue;
        }
        if (command->add) {
            sim::checkEntities(*command->add, step.path + "/add", db, handles, added);
        }
        for (const std::vector<HandleAt>* list : {&command->erase, &command->unerase}) {
            for (const HandleAt& at : *list) {
                if (handles.entity(at.handle).isNull() && added.count(at.handle) == 0) {
                    throw sim::ScenarioError(at.path,
                                             "no entity has handle " + std::to_string(at.handle));
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

Scenario ReadScenarioText(std::shared_ptr<const std::string> text) {
    const auto scanned = ScanScenarioText(*text);
    if (!scanned) {
        return ParseScenario(ParseScenarioText(*text));
    }
    // Everything but the drawing is small: it is parsed and checked as a document.
    json rest = json::object();
    std::string_view drawing;
    for (const auto& [name, member] : scanned->members) {
        if (name == "drawing") {
            drawing = member;
        } else {
            rest[name] = json::parse(member);
        }
    }
    Scenario scenario = ParseScenario(std::as_const(rest));
    if (!drawing.empty()) {
        scenario.drawing = ScenarioDrawing(std::move(text), drawing, scanned->spans);
    }
    return scenario;
}

Scenario ReadScenario(const std::filesystem::path& file) {
    Scenario scenario = ReadScenarioText(
        std::make_shared<const std::string>(ReadWholeFile(file, ScenarioTextPadding())));
    scenario.file = file;
    return scenario;
}
