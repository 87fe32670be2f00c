#include "app/shell/shell_questions.h"

#include <cctype>

#include "app/common/terminal_text.h"
#include "app/common/text_conversion.h"
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

}  // namespace

std::optional<char> ShellQuestions::AskLetter(const std::string& question,
                                              const std::string& letters) {
    for (;;) {
        const std::optional<std::string> line = reader_.Read(question);
        if (!line) {
            out_ << "\n";
            return std::nullopt;
        }
        const std::size_t first = line->find_first_not_of(" \t");
        if (first != std::string::npos) {
            const char letter =
                static_cast<char>(std::tolower(static_cast<unsigned char>((*line)[first])));
            if (letters.find(letter) != std::string::npos) {
                return letter;
            }
        }
    }
}

std::optional<std::u16string> ShellQuestions::AskPrompt(const std::u16string& prompt) {
    const std::optional<std::string> line = reader_.Read(EscapeControls(Utf8(prompt)));
    if (!line) {
        out_ << "\n";
        return std::nullopt;
    }
    transcript_.SkipEchoOfNextEvent();
    return U16(*line);
}

std::optional<int> ShellQuestions::AskMessageBox(const sim::MessageBoxRequest& request) {
    out_ << "[" << EscapeControls(Utf8(request.caption)) << "]\n" << ShownLines(request.text);
    std::optional<char> letter;
    switch (request.style & kMbButtons) {
        case winsys::kMbYesNo:
            letter = AskLetter("[Yes/No] ", "yn");
            break;
        case kMbYesNoCancel:
            letter = AskLetter("[Yes/No/Cancel] ", "ync");
            break;
        case kMbOkCancel:
            letter = AskLetter("[OK/Cancel] ", "oc");
            break;
        default:
            // A box with OK alone: any line, even an empty one, closes it.
            if (!reader_.Read("[OK] ")) {
                out_ << "\n";
                return std::nullopt;
            }
            return winsys::kIdOk;
    }
    if (!letter) {
        return std::nullopt;
    }
    switch (*letter) {
        case 'y':
            return winsys::kIdYes;
        case 'n':
            return winsys::kIdNo;
        case 'o':
            return winsys::kIdOk;
        default:
            return winsys::kIdCancel;
    }
}

std::optional<sim::DialogAnswer> ShellQuestions::AskDialog(const winsys::DialogRequest& request) {
    out_ << "[" << EscapeControls(Utf8(request.caption)) << "]\n";
    std::u16string boxLabel;
    std::string buttons[2] = {"OK", "Cancel"};
    for (const auto& [id, text] : request.texts) {
        if (request.checkBoxId != 0 && id == request.checkBoxId) {
            boxLabel = text;
        } else if (id == winsys::kIdOk || id == winsys::kIdCancel) {
            buttons[id - winsys::kIdOk] += " (" + EscapeControls(Utf8(text)) + ")";
        } else {
            out_ << ShownLines(text);
        }
    }
    sim::DialogAnswer answer;
    if (request.checkBoxId != 0) {
        out_ << "[" << (request.checked ? "x" : " ") << "] " << ShownLines(boxLabel);
        const std::optional<char> tick = AskLetter("Tick the box? [Yes/No] ", "yn");
        if (!tick) {
            return std::nullopt;
        }
        answer.checked = *tick == 'y';
    }
    const std::optional<char> button =
        AskLetter("[" + buttons[0] + " / " + buttons[1] + "] ", "oc");
    if (!button) {
        return std::nullopt;
    }
    answer.result = *button == 'o' ? winsys::kIdOk : winsys::kIdCancel;
    return answer;
}

std::optional<std::u16string> ShellQuestions::AskSelectItem(const std::u16string& title) {
    std::u16string shownTitle = title;
    // The PDM's titles come quoted: "'Choose a part'".
    if (shownTitle.size() >= 2 && shownTitle.front() == u'\'' && shownTitle.back() == u'\'') {
        shownTitle = shownTitle.substr(1, shownTitle.size() - 2);
    }
    out_ << "[" << EscapeControls(Utf8(shownTitle)) << "]\n";
    const std::optional<std::string> key = reader_.Read("ORBKEY of the item (empty: Cancel): ");
    if (!key) {
        out_ << "\n";
        return std::nullopt;
    }
    return U16(*key);
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
