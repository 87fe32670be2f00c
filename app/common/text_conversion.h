// UTF-8, as vexa-sim's edges hold it (scenario files, arguments, the terminal), to the host's
// UTF-16 and back.
#pragma once

#include <string>
#include <string_view>

std::u16string U16(std::string_view utf8);
// A lone surrogate, which UTF-8 cannot hold, becomes U+FFFD.
std::string Utf8(std::u16string_view text);
