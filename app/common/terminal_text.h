// Texts from a drawing, a mapping file, the PDM or a scenario made safe to show on a terminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// How an escaped character is written. Every form escapes the same characters: the C0
// controls, DEL, the C1 controls (U+0080..U+009F, which terminals may take as the start of a
// sequence) and every byte that is not part of valid UTF-8, so that no escape sequence, bell
// or backspace reaches the terminal and a line stays one line.
enum class EscapeForm {
    // "\x1b" for a C0 control or DEL, "\u009b" for a C1 control; the tab is kept.
    kTerminal,
    // "\u001b" for every C0 control, the tab too, DEL and C1 controls.
    kUnicode,
    // The inside of a JSON string: \" \\ \b \f \n \r \t, "\u001b" for any other control.
    kJsonString,
};

// Returns `utf8` with the characters above escaped; a byte that is not UTF-8 is written as
// "\xff" in every form.
std::string EscapeControls(std::string_view utf8, EscapeForm form = EscapeForm::kTerminal);

// The lines of a text as the host shows them: a line break ("\n" or "\r\n") starts a new
// line, the other control characters are escaped as above. An empty text is one empty line.
std::vector<std::string> EscapedLines(std::string_view utf8);
