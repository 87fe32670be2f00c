#include "app/shell/shell.h"

#include <filesystem>
#include <string>

#include "app/common/file_path.h"
#include "app/common/loading_policy.h"
#include "app/common/scenario.h"
#include "app/common/session.h"
#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "app/shell/interrupt.h"
#include "app/shell/shell_commands.h"
#include "app/shell/shell_questions.h"

namespace {

// What the shell runs on and what it leaves out: a scenario's steps are for "vexa-sim run".
std::string Banner(const Scenario& scenario, const RunOptions& options) {
    std::string banner = "vexa-sim shell: the drawing and PDM of " +
                         EscapeControls(Utf8Path(options.scenario)) + "\n";
    if (!scenario.steps.empty()) {
        const std::size_t steps = scenario.steps.size();
        banner += "The scenario's " + std::to_string(steps) +
                  (steps == 1 ? " step is" : " steps are") +
                  " not run (\"vexa-sim run\" runs them); type the commands yourself.\n";
    }
    // The session has made the work directory the current one.
    banner += "Work directory: " + EscapeControls(Utf8Path(std::filesystem::current_path())) +
              (options.workdir ? "\n" : " (removed when the shell ends)\n");
    return banner +
           "Type commands as at the host's command line; \"help\" lists them.\n"
           "Ctrl-C cancels a question or the line typed; Ctrl-D at \"Command:\" ends the shell.\n";
}

}  // namespace

int RunShell(const RunOptions& given, LineReader& reader, std::ostream& out, std::ostream& err) {
    // Where the user started the shell: ".save" takes relative names from here, not from the
    // work directory, which is removed at the end.
    const std::filesystem::path startFolder = std::filesystem::current_path();
    RunOptions options = Absolute(given);
    options.format = TranscriptFormat::kText;
    // ".changes" needs the drawing as it was; the shell's end lists the changes too.
    options.changes = true;
    Transcript transcript(out, options.format);
    const InterruptCatcher interrupts;
    const int code = WithScenario(options.scenario, err, [&](const Scenario& scenario) {
        ShellQuestions questions(reader, out, transcript);
        Session session(options, scenario, transcript);
        const ShellQuestions::Installed asking = questions.Install(session);
        ShellCommands commands(session, startFolder, out);

        out << Banner(scenario, options);
        for (;;) {
            const TypedLine line = reader.Read("Command: ", LineKind::kCommand);
            if (line.end == LineEnd::kEndOfInput) {
                break;
            }
            if (line.end == LineEnd::kCancel) {
                out << "*Cancel*\n";
                continue;
            }
            if (!commands.Run(line.text)) {
                // An empty line may repeat the last command, which the terminal did not show.
                if (line.text.find_first_not_of(" \t") != std::string::npos) {
                    transcript.SkipEchoOfNextEvent();
                }
                session.Type(U16(line.text + "\n"));
            }
        }
        return session.Finish() == 0 ? kExitDone : kExitOpenObjects;
    });
    return transcript.ReportWriteFailure(err, code);
}

int RunShell(const RunOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    StreamLineReader reader(in, out, true);
    return RunShell(options, reader, out, err);
}
