// Texts from a drawing, a mapping file or the PDM made safe to show on a terminal.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// Returns `utf8` with its control characters (C0 but the tab, DEL, C1) written as "\xNN" or
// "\uNNNN", so that no escape sequence, bell or backspace reaches the terminal and a line
// stays one line.
std::string EscapeControls(std::string_view utf8);

// The lines of a text as the host shows them: a line break ("\n" or "\r\n") starts a new
// line, the other control characters are escaped as above. An empty text is one empty line.
std::vector<std::string> EscapedLines(std::string_view utf8);
