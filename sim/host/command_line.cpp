#include "sim/host/command_line.h"

#include <deque>
#include <map>

#include "sim/host/command_stack.h"
#include "sim/host/editor_events.h"
#include "sim/host/events.h"
#include "sim/host/lisp.h"
#include "sim/host/names.h"

namespace sim {
namespace {

constexpr char16_t kEscape = u'\x1b';

struct Segment {
    std::u16string text;
    std::size_t pos = 0;
    CommandSource source = CommandSource::kTyped;
};

struct HostCommand {
    std::u16string name;
    std::function<void()> body;
};

struct LineState {
    std::deque<Segment> stream;
    std::vector<std::u16string> queued;
    InputHook hook;
    std::map<std::u16string, HostCommand> hostCommands;  // by folded name
    bool commandActive = false;
    bool commandCancelled = false;
    bool running = false;
};

LineState& state() {
    static LineState s;
    return s;
}

// The next character, asking the input hook (with the prompt) when the stream is dry and a
// prompt is given.
std::optional<char16_t> peek(const std::u16string* prompt) {
    LineState& s = state();
    for (;;) {
        while (!s.stream.empty() && s.stream.front().pos >= s.stream.front().text.size()) {
            s.stream.pop_front();
        }
        if (!s.stream.empty()) {
            return s.stream.front().text[s.stream.front().pos];
        }
        if (prompt == nullptr || !s.hook) {
            return std::nullopt;
        }
        std::optional<std::u16string> line = s.hook(*prompt);
        if (!line) {
            return std::nullopt;
        }
        s.stream.push_back(Segment{*line + u"\n", 0, CommandSource::kTyped});
    }
}

void take() {
    ++state().stream.front().pos;
}

Answer readToken(bool blanksEnd, const std::u16string* prompt) {
    Answer answer;
    for (;;) {
        const std::optional<char16_t> c = peek(prompt);
        if (!c) {
            answer.end = AnswerEnd::kExhausted;
            return answer;
        }
        take();
        if (*c == kEscape) {
            answer.end = AnswerEnd::kEscape;
            return answer;
        }
        if (*c == u'\r' || *c == u'\n') {
            if (*c == u'\r' && peek(nullptr) == u'\n') {
                take();  // CR LF is one Enter
            }
            answer.end = AnswerEnd::kEnter;
            return answer;
        }
        if (*c == u' ' && blanksEnd) {
            answer.end = AnswerEnd::kBlank;
            return answer;
        }
        answer.text.push_back(*c);
    }
}

// A lisp expression up to its balancing parenthesis (strings may hold parentheses).
std::u16string readLispExpression() {
    std::u16string text;
    int depth = 0;
    bool inString = false;
    while (const std::optional<char16_t> c = peek(nullptr)) {
        take();
        if (*c == kEscape) {
            return std::u16string();
        }
        text.push_back(*c);
        if (inString) {
            if (*c == u'\\' && peek(nullptr)) {
                text.push_back(*peek(nullptr));
                take();
            } else if (*c == u'"') {
                inString = false;
            }
        } else if (*c == u'"') {
            inString = true;
        } else if (*c == u'(') {
            ++depth;
        } else if (*c == u')' && --depth == 0) {
            break;
        }
    }
    return text;
}

void moveQueuedIntoStream() {
    LineState& s = state();
    for (auto it = s.queued.rbegin(); it != s.queued.rend(); ++it) {
        s.stream.push_front(Segment{*it, 0, CommandSource::kQueued});
    }
    s.queued.clear();
}

const char* sourceName(CommandSource source) {
    switch (source) {
        case CommandSource::kQueued:
            return "queued";
        case CommandSource::kScenario:
            return "scenario";
        case CommandSource::kTyped:
            break;
    }
    return "typed";
}

void print(const std::u16string& text) {
    emit(Event{{"ev", "print"}, {"text", VxString(text).toUtf8()}});
}

// Runs one command: the handler is a barrier, nothing it throws reaches the host.
void runBody(const std::u16string& name, const std::function<void()>& body, CommandSource source) {
    LineState& s = state();
    emit(Event{
        {"ev", "command"}, {"name", VxString(name).toUtf8()}, {"source", sourceName(source)}});
    s.commandActive = true;
    s.commandCancelled = false;
    fireCommandStart(name.c_str());
    bool failed = false;
    try {
        body();
    } catch (const std::exception& e) {
        failed = true;
        print(u"Command " + name + u" failed: " + VxString::fromUtf8(e.what()).str());
    } catch (...) {
        failed = true;
        print(u"Command " + name + u" failed.");
    }
    s.commandActive = false;
    if (failed) {
        fireCommandFailed(name.c_str());
    } else if (s.commandCancelled) {
        fireCommandCancel(name.c_str());
    } else {
        fireCommandEnd(name.c_str());
    }
}

bool dispatch(std::u16string_view typed, CommandSource source) {
    if (const CommandRow* row = commandStack().findTyped(typed)) {
        const VxRxFunctionPtr handler = row->handler;
        runBody(
            row->localName.str(), [handler] { handler(); }, source);
        return true;
    }
    const std::u16string_view bare =
        !typed.empty() && typed.front() == u'_' ? typed.substr(1) : typed;
    const auto& hostCommands = state().hostCommands;
    const auto found = hostCommands.find(foldedName(bare));
    if (found != hostCommands.end()) {
        const HostCommand command = found->second;  // the body may redefine host commands
        runBody(command.name, command.body, source);
        return true;
    }
    print(u"Unknown command \"" + foldedName(typed) + u"\".  Press F1 for help.");
    return false;
}

}  // namespace

void setInputHook(InputHook hook) {
    state().hook = std::move(hook);
}

void typeText(std::u16string_view text) {
    state().stream.push_back(Segment{std::u16string(text), 0, CommandSource::kTyped});
}

void runCommandLine() {
    LineState& s = state();
    if (s.commandActive || s.running) {
        return;
    }
    s.running = true;
    for (;;) {
        moveQueuedIntoStream();
        std::optional<char16_t> c = peek(nullptr);
        while (c && (*c == u' ' || *c == u'\t' || *c == u'\r' || *c == u'\n' || *c == kEscape)) {
            take();
            c = peek(nullptr);
        }
        if (!c) {
            break;
        }
        const CommandSource source = s.stream.front().source;
        if (*c == u'(') {
            const std::u16string expression = readLispExpression();
            if (!expression.empty()) {
                evaluateLisp(expression);
            }
            continue;
        }
        const Answer name = readToken(true, nullptr);
        if (name.end != AnswerEnd::kEscape && !name.text.empty()) {
            dispatch(name.text, source);
        }
    }
    s.running = false;
}

bool runCommand(std::u16string_view name, CommandSource source) {
    const bool known = dispatch(name, source);
    runCommandLine();
    return known;
}

void defineHostCommand(std::u16string_view name, std::function<void()> body) {
    state().hostCommands[foldedName(name)] = HostCommand{std::u16string(name), std::move(body)};
}

void runHostCommand(std::u16string_view name, const std::function<void()>& body,
                    CommandSource source) {
    runBody(std::u16string(name), body, source);
    runCommandLine();
}

void queueCommandString(std::u16string_view text) {
    state().queued.emplace_back(text);
}

std::vector<std::u16string> queuedCommandStrings() {
    return state().queued;
}

std::u16string pendingInput() {
    std::u16string rest;
    for (const Segment& segment : state().stream) {
        rest += segment.text.substr(segment.pos);
    }
    return rest;
}

void clearCommandLine() {
    LineState& s = state();
    s.stream.clear();
    s.queued.clear();
    s.hook = nullptr;
    s.hostCommands.clear();
    s.commandCancelled = false;
}

Answer readAnswer(bool blanksEnd, const std::u16string& prompt) {
    Answer answer = readToken(blanksEnd, &prompt);
    if (answer.end == AnswerEnd::kEscape || answer.end == AnswerEnd::kExhausted) {
        state().commandCancelled = true;
    }
    return answer;
}

}  // namespace sim
