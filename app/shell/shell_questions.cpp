#include "app/shell/shell_questions.h"

#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
#include "app/shell/item_selection.h"
#include "sim/host/command_line.h"
#include "sim/pdm/pdm_control.h"

namespace {

// A box's text may hold line breaks; each line is shown on its own, escaped.
std::string ShownLines(const std::u16string& text) {
    std::string shown;
    for (const std::string& line : EscapedLines(Utf8(text))) {
        shown += line + "\n";
    }
    return shown;
}

enum : unsigned { kMbOkCancel = 0x01, kMbYesNoCancel = 0x03, kMbButtons = 0x0F };
enum : int { kTickNo = 0, kTickYes = 1 };

// Enough to find a part by eye; the rest is counted.
constexpr std::size_t kItemsShown = 20;

const Choice kYes{winsys::kIdYes, {"Yes"}};
const Choice kNo{winsys::kIdNo, {"No"}};
const Choice kOk{winsys::kIdOk, {"OK"}};
const Choice kCancel{winsys::kIdCancel, {"Cancel"}};

// "[Yes/No] "; buttons with labels stand wider apart: "[OK (Insert) / Cancel (Do not insert)] ".
std::string Question(const std::vector<Choice>& choices) {
    bool labelled = false;
    for (const Choice& choice : choices) {
        labelled = labelled || choice.names.size() > 1;
    }
    std::string question = "[";
    for (std::size_t i = 0; i < choices.size(); ++i) {
        question += (i == 0 ? "" : labelled ? " / " : "/") + AcceptedAnswers({choices[i]});
    }
    return question + "] ";
}

}  // namespace

std::optional<int> ShellQuestions::AskChoice(const std::string& question,
                                             const std::vector<Choice>& choices) {
    for (;;) {
        const TypedLine line = reader_.Read(question, LineKind::kAnswer);
        if (line.end != LineEnd::kEnter) {
            return std::nullopt;
        }
        if (const std::optional<int> value = MatchChoice(line.text, choices)) {
            return value;
        }
        out_ << "\"" << EscapeControls(line.text) << "\" is no answer here: type "
             << EscapeControls(AcceptedAnswers(choices))
             << " (the start of a word will do); Ctrl-C cancels.\n";
    }
}

std::optional<std::u16string> ShellQuestions::AskPrompt(const std::u16string& prompt) {
    const TypedLine line = reader_.Read(EscapeControls(Utf8(prompt)), LineKind::kAnswer);
    if (line.end != LineEnd::kEnter) {
        return std::nullopt;
    }
    transcript_.SkipEchoOfNextEvent();
    return U16(line.text);
}

std::optional<int> ShellQuestions::AskMessageBox(const sim::MessageBoxRequest& request) {
    out_ << "[" << EscapeControls(Utf8(request.caption)) << "]\n" << ShownLines(request.text);
    std::vector<Choice> choices;
    switch (request.style & kMbButtons) {
        case winsys::kMbYesNo:
            choices = {kYes, kNo};
            break;
        case kMbYesNoCancel:
            choices = {kYes, kNo, kCancel};
            break;
        case kMbOkCancel:
            choices = {kOk, kCancel};
            break;
        default:
            // A box with OK alone: any line, even an empty one, closes it.
            reader_.Read("[OK] ", LineKind::kAnswer);
            return winsys::kIdOk;
    }
    if (const std::optional<int> answer = AskChoice(Question(choices), choices)) {
        return answer;
    }
    // A Yes/No box has no Cancel: it keeps its default, as it does in "vexa-sim run".
    const bool hasCancel = choices.back().value == winsys::kIdCancel;
    return hasCancel ? std::optional<int>(winsys::kIdCancel) : std::nullopt;
}

std::optional<sim::DialogAnswer> ShellQuestions::AskDialog(const winsys::DialogRequest& request) {
    out_ << "[" << EscapeControls(Utf8(request.caption)) << "]\n";
    std::u16string boxLabel;
    std::vector<Choice> buttons = {kOk, kCancel};
    for (const auto& [id, text] : request.texts) {
        if (request.checkBoxId != 0 && id == request.checkBoxId) {
            boxLabel = text;
        } else if (id == winsys::kIdOk || id == winsys::kIdCancel) {
            buttons[id == winsys::kIdOk ? 0 : 1].names.push_back(EscapeControls(Utf8(text)));
        } else {
            out_ << ShownLines(text);
        }
    }
    sim::DialogAnswer answer;
    if (request.checkBoxId != 0) {
        out_ << "[" << (request.checked ? "x" : " ") << "] " << ShownLines(boxLabel);
        const std::vector<Choice> tick = {{kTickYes, {"Yes"}}, {kTickNo, {"No"}}};
        const std::optional<int> ticked = AskChoice("Tick the box? " + Question(tick), tick);
        if (!ticked) {
            return std::nullopt;
        }
        answer.checked = *ticked == kTickYes;
    }
    const std::optional<int> button = AskChoice(Question(buttons), buttons);
    if (!button) {
        return std::nullopt;
    }
    answer.result = *button;
    return answer;
}

std::optional<std::u16string> ShellQuestions::AskSelectItem(const std::u16string& title) {
    std::u16string shownTitle = title;
    // The PDM's titles come quoted: "'Choose a part'".
    if (shownTitle.size() >= 2 && shownTitle.front() == u'\'' && shownTitle.back() == u'\'') {
        shownTitle = shownTitle.substr(1, shownTitle.size() - 2);
    }
    const std::vector<SelectableItem> items = SelectableItems();
    out_ << "[" << EscapeControls(Utf8(shownTitle)) << "]\n" << ItemList(items, kItemsShown);
    for (;;) {
        const TypedLine key =
            reader_.Read("ORBKEY of the item (empty: Cancel): ", LineKind::kAnswer);
        if (key.end != LineEnd::kEnter || key.text.empty()) {
            return std::nullopt;
        }
        const std::u16string chosen = U16(key.text);
        if (Offers(items, chosen)) {
            return chosen;
        }
        out_ << "The PDM has no item \"" << EscapeControls(key.text)
             << "\": type an ORBKEY of the list, an empty line or Ctrl-C cancels.\n";
    }
}

ShellQuestions::Installed ShellQuestions::Install(Session& session) {
    sim::setInputHook([this](const std::u16string& prompt) { return AskPrompt(prompt); });
    session.AskWhenUnanswered(
        [this](const sim::MessageBoxRequest& request) { return AskMessageBox(request); },
        [this](const winsys::DialogRequest& request) { return AskDialog(request); });
    sim::pdm::setSelectItemHook(
        [this](const std::u16string& title) { return AskSelectItem(title); });
    return Installed();
}

ShellQuestions::Installed::~Installed() {
    sim::setInputHook({});
    sim::setUiAnswerHook({});
    sim::setDialogAnswerHook({});
    sim::pdm::setSelectItemHook({});
}
