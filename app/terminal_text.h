// Texts from a drawing, a mapping file or the PDM made safe to show on a terminal.
#pragma once

#include <string>
#include <string_view>

// Returns `utf8` with its control characters (C0 but the tab, DEL, C1) written as "\xNN" or
// "\uNNNN", so that no escape sequence, bell or backspace reaches the terminal and a line
// stays one line.
std::string EscapeControls(std::string_view utf8);
