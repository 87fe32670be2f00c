// The questions a run asks its user, put on the terminal: a prompt the typed line did not
// answer, message boxes, the part-reference dialog and the PDM's item selection. Ctrl-C, Esc
// and the end of the input (Ctrl-D) cancel the question they meet as the host's Cancel does:
// a prompt is cancelled, a box with a Cancel button answers Cancel (one without gets its
// default), the dialog Cancel with its check box untouched, the selection "". An answer that
// fits none of the choices is refused with what is accepted, and asked again.
//
// Install() points the stand-ins' hooks here; the guard it answers resets them all, so keep
// it for no longer than the reader and the output stream live.
#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "app/common/session.h"
#include "app/common/transcript.h"
#include "app/shell/answer_choice.h"
#include "app/shell/line_reader.h"
#include "sim/winsys/window_control.h"

class ShellQuestions {
  public:
    ShellQuestions(LineReader& reader, std::ostream& out, Transcript& transcript)
        : reader_(reader), out_(out), transcript_(transcript) {}

    std::optional<std::u16string> AskPrompt(const std::u16string& prompt);
    std::optional<int> AskMessageBox(const sim::MessageBoxRequest& request);
    std::optional<sim::DialogAnswer> AskDialog(const winsys::DialogRequest& request);
    std::optional<std::u16string> AskSelectItem(const std::u16string& title);

    class Installed {
      public:
        Installed() = default;
        ~Installed();
        Installed(const Installed&) = delete;
        Installed& operator=(const Installed&) = delete;
    };
    // Questions the scenario answers (its "ui" list, the PDM's "selectItem") are not asked.
    [[nodiscard]] Installed Install(Session& session);

  private:
    // Asks until the answer names one of the choices (answer_choice.h); its value, or nothing
    // when the question is cancelled.
    std::optional<int> AskChoice(const std::string& question, const std::vector<Choice>& choices);

    LineReader& reader_;
    std::ostream& out_;
    Transcript& transcript_;
};
