#include "app/common/session.h"

#include <stdexcept>
#include <utility>
#include <variant>

#include "app/common/change_text.h"
#include "app/common/file_path.h"
#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "app/common/written_file.h"
#include "host/kordane.h"
#include "host/vx_app.h"
#include "host/vx_editor.h"
#include "sim/host/command_line.h"
#include "sim/host/editor_events.h"
#include "sim/host/events.h"
#include "sim/host/faults.h"
#include "sim/host/host_control.h"
#include "sim/host/lisp.h"
#include "sim/mech/mech_control.h"
#include "sim/pdm/pdm_control.h"
#include "sim/pdm/pdm_scenario.h"
#include "sim/scenario/drawing_io.h"
#include "sim/scenario/scenario_error.h"
#include "sim/winsys/window_control.h"

namespace {

// Lambdas for std::visit, one for each kind of step.
template <class... Visitors>
struct Overloaded : Visitors... {
    using Visitors::operator()...;
};
template <class... Visitors>
Overloaded(Visitors...) -> Overloaded<Visitors...>;

void DefineHostFunctions(const nlohmann::json& functions) {
    for (const auto& [name, answer] : functions.items()) {
        if (answer.is_null()) {
            sim::defineHostFunction(U16(name), [](const VxResBuf*) {
                return sim::HostFunctionResult{kRtError, nullptr};
            });
            continue;
        }
        const std::u16string text = U16(answer.get<std::string>());
        sim::defineHostFunction(U16(name), [text](const VxResBuf*) {
            return sim::HostFunctionResult{kRtNorm, vxutBuildList(kRtStr, text.c_str(), kRtNone)};
        });
    }
}

// The PDM integration's own lisp function, which scenarios call to end an introduction.
void DefinePdmIntegrationFunctions() {
    sim::defineHostFunction(u"orbdexternfinish2", [](const VxResBuf*) {
        return sim::HostFunctionResult{kRtNorm, nullptr};
    });
}

// What a step that runs no command did, in the scenario's words.
std::string StepText(const ScenarioStep& step) {
    return std::visit(Overloaded{
                          [](const TypeStep& type) { return type.text; },
                          [](const CommandStep& command) { return command.name; },
                          [](const LispStep& lisp) { return lisp.expression; },
                          [](const SaveStep&) { return std::string("save"); },
                          [](const FailStep& fail) { return "fail " + fail.operation; },
                          [](const EnvStep&) { return std::string("env"); },
                          [](const PdmStep&) { return std::string("pdm"); },
                          [](const Structure2dStep&) { return std::string("structure2d"); },
                      },
                      step.action);
}

}  // namespace

Session::Session(const RunOptions& options, const Scenario& scenario, Transcript& transcript)
    : options_(options), transcript_(transcript) {
    try {
        Start(scenario);
    } catch (...) {
        ReleaseHooks();
        throw;
    }
}

void Session::Start(const Scenario& scenario) {
    sim::resetHost();
    sim::pdm::reset();
    // Nothing in a run reads the PDM's call log: on a large parts list it would be the
    // biggest thing in memory.
    sim::pdm::setKeepRecords(false);

    // Everything the scenario describes is taken in before anything runs, so that a scenario
    // that breaks the schema stops the run with nothing done.
    {
        const sim::FaultsSuspended own;
        bool first = true;
        scenario.drawing.Load(
            [&first]() -> sim::Database& {
                if (!first) {
                    sim::resetHost();
                }
                first = false;
                return sim::workingDatabase();
            },
            handles_);
        CheckStepsAgainstDrawing(scenario, sim::workingDatabase(), handles_);
        sim::pdm::configure(scenario.pdm, "/pdm");
    }
    sim::pdm::setShowMissingTexts(true);
    if (options_.changes) {
        // Things the scenario left unnamed (a row without a data entry) are named now, or the
        // end's save could number them differently and report a change that did not happen.
        const sim::FaultsSuspended own;
        startDrawing_ =
            sim::saveDrawingKeepingNames(sim::workingDatabase(), handles_, handles_.loadedModules);
        stepDrawing_ = startDrawing_;
    }
    workDirectory_ = std::make_unique<WorkDirectory>(options_.workdir);
    transcript_.SetWorkDirectory(workDirectory_->Path());
    KeepInsideWorkDirectory(scenario.pathSettings);
    workDirectory_->WriteFiles(scenario.files);

    std::vector<VxString> modules;
    for (const std::string& name : handles_.loadedModules) {
        modules.push_back(VxString::fromUtf8(name));
    }
    modules.push_back(VxString(options_.module.filename().u16string()));
    sim::setLoadedModules(modules);
    DefinePdmIntegrationFunctions();
    DefineHostFunctions(scenario.hostFunctions);
    uiAnswers_ = std::make_unique<UiAnswers>(scenario.ui);
    sim::setUiAnswerHook([this](const sim::MessageBoxRequest& request) {
        return uiAnswers_->AnswerMessageBox(request);
    });
    sim::setDialogAnswerHook(
        [this](const winsys::DialogRequest& request) { return uiAnswers_->AnswerDialog(request); });
    summary_ = std::make_unique<CommandSummary>(
        [this](const sim::Event& summary) { transcript_.Write(summary); });
    sim::setEventSink([this](const sim::Event& event) {
        // A command's line comes after the summary of the one before it.
        summary_->Observe(event);
        if (const auto ev = event.find("ev"); ev != event.end() && *ev == "command") {
            stepCommands_.push_back(event.value("name", std::string()));
        }
        transcript_.Write(event);
    });

    std::string error;
    module_ = LoadedModule::Load(options_.module, error);
    if (!module_) {
        throw ModuleLoadError(error);
    }
    module_->SendMessage(VxRx::kInitModuleMsg, module_.get());
}

// A scenario from someone else must not read or write files anywhere the user can: outside
// places need the user's consent, and files written there are reported all the same.
void Session::KeepInsideWorkDirectory(const std::vector<ScenarioPathSetting>& settings) {
    for (const ScenarioPathSetting& setting : settings) {
        if (setting.value.empty()) {
            continue;
        }
        // "WSPATH" is the start of the export file's name, not necessarily a folder.
        const bool prefix = setting.name == "WSPATH";
        const std::filesystem::path place =
            prefix ? PathFromUtf8(setting.value + "KorBom.txt").parent_path()
                   : PathFromUtf8(setting.value);
        if (workDirectory_->Contains(place)) {
            continue;
        }
        if (!options_.allowOutsideWorkdir) {
            throw sim::ScenarioError(setting.path, "\"" + setting.name +
                                                       "\" points outside the work directory "
                                                       "(--allow-outside-workdir allows it)");
        }
        if (prefix) {
            workDirectory_->Watch(place);
        }
    }
}

// The hooks point into this session; none may outlive it.
void Session::ReleaseHooks() {
    sim::setUiAnswerHook({});
    sim::setDialogAnswerHook({});
    sim::setEventSink({});
    summary_.reset();
}

Session::~Session() {
    if (!finished_) {
        try {
            Finish();
        } catch (...) {
            // Only the drawing could not be saved; the module is unloaded all the same.
        }
    }
    ReleaseHooks();
}

void Session::ReportFiles() {
    for (const auto& [name, bytes] : workDirectory_->TakeChanges()) {
        sim::emit(sim::Event{{"ev", "file"}, {"path", name}, {"bytes", bytes}});
    }
}

// A fault that never fired is almost always a mistake of the scenario's author.
void Session::ReportUnfiredFaults() {
    for (const sim::UnfiredFault& fault : sim::unfiredFaults()) {
        sim::emit(sim::Event{{"ev", "fault.unfired"},
                             {"op", fault.operation},
                             {"nth", fault.nth},
                             {"calls", fault.seen}});
    }
}

// Shown as "<KEY>" where they were asked for; named once here, so that the author can add them.
void Session::ReportMissingTexts() {
    const std::vector<std::u16string>& keys = sim::pdm::missingTexts();
    if (keys.empty()) {
        return;
    }
    nlohmann::json names = nlohmann::json::array();
    for (const std::u16string& key : keys) {
        names.push_back(Utf8(key));
    }
    sim::emit(sim::Event{{"ev", "catalogue.missing"}, {"keys", names}});
}

void Session::Enter(const std::u16string& text) {
    sim::typeText(text);
    sim::runCommandLine();
}

void Session::Type(const std::u16string& text) {
    const std::size_t number = ++commandsTyped_;
    BeginStep(number);
    Enter(text);
    ReportFiles();
    std::string typed = Utf8(text);
    while (!typed.empty() && (typed.back() == '\n' || typed.back() == ' ')) {
        typed.pop_back();
    }
    EndStep(number, typed);
}

void Session::BeginStep(std::size_t number) {
    stepCommands_.clear();
    summary_->SetStep(number);
}

void Session::EndStep(std::size_t number, const std::string& whatItDid) {
    summary_->End();
    // The whole run's changes are told with the command that made them, too.
    if (!options_.changes) {
        return;
    }
    nlohmann::json after = SavedDrawing();
    std::string commands;
    for (const std::string& name : stepCommands_) {
        commands += (commands.empty() ? "" : ", ") + name;
    }
    commandChanges_.push_back(CommandChanges{number, commands.empty() ? whatItDid : commands,
                                             DiffDrawings(stepDrawing_, after)});
    stepDrawing_ = std::move(after);
}

void Session::SetEnv(const ScenarioEnv& env) {
    for (const auto& [name, value] : env) {
        sim::pdm::setEnv(sim::pdm::currentDocument(), U16(name), U16(value));
    }
}

void Session::RunHostCommandStep(const CommandStep& command, const std::string& path) {
    const std::u16string name = U16(command.name);
    // What the user typed while the command ran: the commands it queued read their answers
    // from it.
    if (command.typeAhead) {
        sim::typeText(U16(*command.typeAhead));
    }
    auto body = [&]() {
        if (command.add) {
            sim::addEntities(*command.add, path + "/add", sim::workingDatabase(), handles_);
        }
        for (const auto& [handles, erasing] :
             {std::pair{&command.erase, true}, std::pair{&command.unerase, false}}) {
            for (const HandleAt& at : *handles) {
                VxDbObject* object = nullptr;
                const VxDbObjectId id = handles_.entity(at.handle);
                if (vxdbOpenVxDbObject(object, id, VxDb::kForWrite, nullptr, true) == Vx::eOk) {
                    object->erase(erasing);
                    object->close();
                }
            }
        }
        SetEnv(command.env);
    };
    if (command.cancel) {
        sim::emit(sim::Event{{"ev", "command"}, {"name", command.name}, {"source", "scenario"}});
        sim::fireCommandStart(name.c_str());
        body();
        sim::fireCommandCancel(name.c_str());
        sim::runCommandLine();
    } else {
        sim::runHostCommand(name, body);
    }
}

void Session::RunStep(const ScenarioStep& step) {
    const std::size_t number = stepsRun_++;
    BeginStep(number);
    std::visit(
        Overloaded{
            [&](const TypeStep& type) { Enter(U16(type.text)); },
            [&](const CommandStep& command) { RunHostCommandStep(command, step.path); },
            [](const LispStep& lisp) { sim::runLisp(U16(lisp.expression)); },
            [](const SaveStep& save) {
                if (save.save) {
                    VxApDocument* document = vxDocManagerPtr()->curDocument();
                    sim::fireSaveStart(document->database(), document->fileName());
                }
            },
            [](const FailStep& fail) { sim::armFault(fail.operation, fail.nth, fail.status); },
            [&](const EnvStep& env) { SetEnv(env.env); },
            [&](const PdmStep& pdm) {
                const sim::FaultsSuspended own;
                sim::pdm::configure(pdm.pdm, step.path + "/pdm");
            },
            [](const Structure2dStep& structure) {
                sim::setStructure2d(sim::workingDatabase(), structure.on);
            },
        },
        step.action);
    ReportFiles();
    EndStep(number, StepText(step));
}

nlohmann::ordered_json Session::SavedDrawing() const {
    const sim::FaultsSuspended own;
    return sim::saveDrawing(sim::workingDatabase(), handles_, handles_.loadedModules);
}

std::vector<DrawingChange> Session::ChangesSinceStart() const {
    if (!options_.changes) {
        throw std::logic_error("the session was started without keeping its drawing");
    }
    return DiffDrawings(startDrawing_, SavedDrawing());
}

std::size_t Session::Finish() {
    finished_ = true;
    summary_->End();
    const std::size_t open = sim::openObjectCount();
    if (module_) {
        module_->SendMessage(VxRx::kUnloadModuleMsg, module_.get());
        module_.reset();
    }
    // The path differs in every run, so the jsonl does not carry it.
    if (workDirectory_->Fresh() && transcript_.format() == TranscriptFormat::kText) {
        transcript_.WriteText("[workdir] removed at the end, with its " +
                              std::to_string(workDirectory_->FileCount()) +
                              " files: " + EscapeControls(Utf8Path(workDirectory_->Path())) +
                              " (--workdir DIR keeps them)\n");
    }
    ReportUnfiredFaults();
    ReportMissingTexts();
    if (options_.changes && options_.changesScope == ChangesScope::kCommand) {
        WriteCommandChanges(commandChanges_, transcript_);
    } else if (options_.changes) {
        WriteRunChanges(ChangesSinceStart(), commandChanges_, transcript_);
    }
    sim::emit(sim::Event{{"ev", "end"}, {"openObjects", open}});
    // The run is over: the save may name what is new in the run's own names.
    if (options_.saveDrawing) {
        WriteDrawing(*options_.saveDrawing, handles_);
    }
    return open;
}

void Session::AskWhenUnanswered(sim::UiAnswerHook messageBox, sim::DialogAnswerHook dialog) {
    sim::setUiAnswerHook([this, messageBox](const sim::MessageBoxRequest& request) {
        std::optional<int> answer = uiAnswers_->AnswerMessageBox(request);
        return answer || !messageBox ? answer : messageBox(request);
    });
    sim::setDialogAnswerHook([this, dialog](const winsys::DialogRequest& request) {
        std::optional<sim::DialogAnswer> answer = uiAnswers_->AnswerDialog(request);
        return answer || !dialog ? answer : dialog(request);
    });
}

void Session::SaveDrawing(const std::filesystem::path& file) const {
    sim::DrawingHandles names = handles_;
    WriteDrawing(file, names);
}

void Session::WriteDrawing(const std::filesystem::path& file, sim::DrawingHandles& names) const {
    WrittenFile out(file);
    {
        const sim::FaultsSuspended own;
        sim::writeDrawingScenario(out.Stream(), sim::workingDatabase(), names, names.loadedModules);
    }
    out.Stream() << '\n';
    out.Close();
}
