// The stand-in host's command line: typed text is one character stream. A command name ends
// at a blank or Enter (leading blanks and Enters are skipped); the host's input functions
// read their answers from the same stream, so a command's arguments follow its name.
// Escape (U+001B) cancels the pending prompt. Command strings queued by a module
// (sendStringToExecute) enter the stream right after the current command or lisp
// evaluation, ahead of the rest of the typed text. A text beginning with "(" where a
// command name is expected is a lisp evaluation (lisp.h).
//
// When the stream runs dry at a prompt, the input hook is asked for one more line (the host
// adds its Enter); without a hook, or when it answers nothing, the prompt is cancelled.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace sim {

enum class CommandSource { kTyped, kQueued, kScenario };

// Asked with the prompt text; answers one line as typed, without its Enter, or nothing.
using InputHook = std::function<std::optional<std::u16string>(const std::u16string& prompt)>;

void setInputHook(InputHook hook);
// Appends typed text to the stream.
void typeText(std::u16string_view text);
// Runs commands and lisp evaluations from the stream until it is exhausted. Does nothing
// when called from inside a running command.
void runCommandLine();
// Runs one command by name as if it had been typed (local name, or "_" and the global
// name), reporting the given source; then runs what the stream holds (queued strings
// first). False when no command has that name (the host's message is printed).
bool runCommand(std::u16string_view name, CommandSource source = CommandSource::kScenario);
// A command of the host itself (not registered by a module), e.g. a PDM integration's
// command: typed names find it after the command stack's commands.
void defineHostCommand(std::u16string_view name, std::function<void()> body);
// Runs body as the host command name (events and reactors as for any command), then the
// stream.
void runHostCommand(std::u16string_view name, const std::function<void()>& body,
                    CommandSource source = CommandSource::kScenario);

// Queues a command string; it runs after the current command or lisp evaluation.
void queueCommandString(std::u16string_view text);
std::vector<std::u16string> queuedCommandStrings();
// The typed text not read yet.
std::u16string pendingInput();
// Drops the stream, the queued strings, the input hook and the host commands.
void clearCommandLine();

// ---- for the host's input functions ----
enum class AnswerEnd { kEnter, kBlank, kEscape, kExhausted };
struct Answer {
    std::u16string text;
    AnswerEnd end = AnswerEnd::kEnter;
};
// Reads one answer for a prompt: it ends at Enter, and at a blank too when blanksEnd.
// kEscape and kExhausted mean the prompt is cancelled (the running command hears
// onCommandCancel when its handler returns).
Answer readAnswer(bool blanksEnd, const std::u16string& prompt);

}  // namespace sim
