#include "app/shell/shell.h"

#include <string>

#include "app/common/loading_policy.h"
#include "app/common/scenario.h"
#include "app/common/session.h"
#include "app/common/text_conversion.h"
#include "app/shell/shell_commands.h"
#include "app/shell/shell_questions.h"

int RunShell(const RunOptions& given, LineReader& reader, std::ostream& out, std::ostream& err) {
    RunOptions options = Absolute(given);
    options.format = TranscriptFormat::kText;
    // ".changes" needs the drawing as it was; the shell's end lists the changes too.
    options.changes = true;
    Transcript transcript(out, options.format);
    const int code = WithScenario(options.scenario, err, [&](const Scenario& scenario) {
        ShellQuestions questions(reader, out, transcript);
        Session session(options, scenario, transcript);
        const ShellQuestions::Installed asking = questions.Install(session);
        ShellCommands commands(session, out);

        out << "vexa-sim shell: type commands as at the host's command line; \"help\" lists "
               "them (end with Ctrl-D)\n";
        while (const std::optional<std::string> line = reader.Read("Command: ")) {
            if (!commands.Run(*line)) {
                // An empty line may repeat the last command, which the terminal did not show.
                if (line->find_first_not_of(" \t") != std::string::npos) {
                    transcript.SkipEchoOfNextEvent();
                }
                session.Type(U16(*line + "\n"));
            }
        }
        out << "\n";
        return session.Finish() == 0 ? kExitDone : kExitOpenObjects;
    });
    return transcript.ReportWriteFailure(err, code);
}

int RunShell(const RunOptions& options, std::istream& in, std::ostream& out, std::ostream& err) {
    StreamLineReader reader(in, out, true);
    return RunShell(options, reader, out, err);
}
