// Session: one run of the module in the stand-in host, shared by "run" and "shell".
//
// Start prepares everything a scenario describes (work directory and its files, drawing,
// PDM, host functions, answers for message boxes and dialogs), then loads the module and
// sends it message 1. Finish sends message 2, writes the "end" event with the objects still
// open, unloads the module and saves the drawing when asked. With the "changes" option it
// keeps the drawing as it started, and Finish writes what changed before "end".
#pragma once

#include <deque>
#include <filesystem>
#include <memory>
#include <ostream>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "app/common/change_text.h"
#include "app/common/command_summary.h"
#include "app/common/drawing_diff.h"
#include "app/common/module_loader.h"
#include "app/common/run_options.h"
#include "app/common/scenario.h"
#include "app/common/transcript.h"
#include "app/common/ui_answers.h"
#include "app/common/work_directory.h"
#include "sim/scenario/drawing_handles.h"
#include "sim/winsys/window_control.h"

class Session {
  public:
    // Throws sim::ScenarioError for a scenario that does not fit the schema (nothing has run
    // then), FileError for a work directory or file that cannot be made, and ModuleLoadError
    // when the module cannot be loaded.
    Session(const RunOptions& options, const Scenario& scenario, Transcript& transcript);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    void RunStep(const ScenarioStep& step);
    // Typed text, as at the host's command line.
    void Type(const std::u16string& text);
    // Answers the objects left open.
    std::size_t Finish();

    // Message boxes and dialogs that the scenario's "ui" list does not answer go to these.
    void AskWhenUnanswered(sim::UiAnswerHook messageBox, sim::DialogAnswerHook dialog);
    // Writes SavedDrawing() to a file as --save-drawing does; throws FileError, with the
    // system's reason, unless every byte was written.
    void SaveDrawing(const std::filesystem::path& file) const;
    const sim::DrawingHandles& Handles() const { return handles_; }
    // The drawing as it is now, in the saved-drawing schema; a fault armed for the module
    // never hits it.
    nlohmann::ordered_json SavedDrawing() const;
    // What changed in the drawing since the start; needs the "changes" option.
    std::vector<DrawingChange> ChangesSinceStart() const;
    // A command met an alert, a host failure, a refused PDM call or a PDM error answer.
    bool FailuresSeen() const { return summary_->FailuresSeen(); }

  private:
    void WriteDrawing(const std::filesystem::path& file, sim::DrawingHandles& names) const;
    void Start(const Scenario& scenario);
    void ReleaseHooks();
    void KeepInsideWorkDirectory(const std::vector<ScenarioPathSetting>& settings);
    void ReportFiles();
    void ReportUnfiredFaults();
    void ReportMissingTexts();
    // Typed text, without reporting the files written.
    void Enter(const std::u16string& text);
    void RunHostCommandStep(const CommandStep& command, const std::string& path);
    void SetEnv(const ScenarioEnv& env);
    // Around each step of a run and each command typed in the shell, numbered: the summary of
    // its commands, and with the "changes" option per command, what it changed.
    void BeginStep(std::size_t number);
    void EndStep(std::size_t number, const std::string& whatItDid);

    RunOptions options_;
    Transcript& transcript_;
    std::unique_ptr<WorkDirectory> workDirectory_;
    sim::DrawingHandles handles_;
    std::unique_ptr<UiAnswers> uiAnswers_;
    std::unique_ptr<LoadedModule> module_;
    nlohmann::json startDrawing_;
    std::unique_ptr<CommandSummary> summary_;
    std::size_t stepsRun_ = 0;
    std::size_t commandsTyped_ = 0;
    // The names of the commands the current step ran.
    std::vector<std::string> stepCommands_;
    // The drawing before the current step; with the "changes" option only.
    nlohmann::json stepDrawing_;
    std::vector<CommandChanges> commandChanges_;
    bool finished_ = false;
};
