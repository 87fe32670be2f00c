// Rows of texts as columns aligned for a terminal. Cells are shown escaped (terminal_text.h)
// and measured in characters, not bytes, so UTF-8 text lines up.
#pragma once

#include <string>
#include <vector>

struct TextTable {
    std::vector<std::string> header;
    std::vector<std::vector<std::string>> rows;
    // Columns whose cells end at the column's right edge (numbers); the others start at its left.
    std::vector<bool> rightAligned;
};

// One line per row, the header first and a rule of dashes under it; columns are two blanks
// apart and no line ends in blanks.
std::string FormatTable(const TextTable& table);
