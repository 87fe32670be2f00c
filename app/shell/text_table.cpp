#include "app/shell/text_table.h"

#include <algorithm>

#include "app/common/terminal_text.h"

namespace {

std::size_t CharacterCount(const std::string& utf8) {
    return static_cast<std::size_t>(std::count_if(utf8.begin(), utf8.end(), [](char c) {
        return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
    }));
}

void AppendLine(std::string& text, const std::vector<std::string>& cells,
                const std::vector<std::size_t>& widths, const std::vector<bool>& rightAligned) {
    std::string line;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        const std::string cell = i < cells.size() ? cells[i] : std::string();
        const std::string padding(widths[i] - CharacterCount(cell), ' ');
        if (i > 0) {
            line += "  ";
        }
        const bool right = i < rightAligned.size() && rightAligned[i];
        line += right ? padding + cell : cell + padding;
    }
    line.erase(line.find_last_not_of(' ') + 1);
    text += line + "\n";
}

}  // namespace

std::string FormatTable(const TextTable& table) {
    const auto escaped = [](const std::vector<std::string>& cells) {
        std::vector<std::string> shown;
        for (const std::string& cell : cells) {
            shown.push_back(EscapeControls(cell));
        }
        return shown;
    };
    std::vector<std::vector<std::string>> lines{escaped(table.header)};
    for (const std::vector<std::string>& row : table.rows) {
        lines.push_back(escaped(row));
    }
    std::vector<std::size_t> widths;
    for (const std::vector<std::string>& cells : lines) {
        widths.resize(std::max(widths.size(), cells.size()), 0);
        for (std::size_t i = 0; i < cells.size(); ++i) {
            widths[i] = std::max(widths[i], CharacterCount(cells[i]));
        }
    }
    std::string text;
    AppendLine(text, lines.front(), widths, table.rightAligned);
    std::vector<std::string> rule;
    for (const std::size_t width : widths) {
        rule.emplace_back(width, '-');
    }
    AppendLine(text, rule, widths, {});
    for (std::size_t i = 1; i < lines.size(); ++i) {
        AppendLine(text, lines[i], widths, table.rightAligned);
    }
    return text;
}
