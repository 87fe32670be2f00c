// A mapping file without a byte-order mark is read in the ANSI code page. When a line's bytes
// are valid UTF-8 with characters beyond ASCII, the file was almost always saved as UTF-8 and
// every such character comes out as two or three wrong ones ("Größe" as "GrÃ¶ÃŸe").
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The line as UTF-8 would read its bytes, given the line as the ANSI code page read them;
// std::nullopt when those bytes are plain ASCII or not valid UTF-8.
std::optional<std::u16string> Utf8ReadingOfAnsiLine(std::u16string_view line);
