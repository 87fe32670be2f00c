// UTF-16 bytes, in either byte order, as code units; a last odd byte is left out.
#pragma once

#include <string>
#include <string_view>

std::u16string Utf16Units(std::string_view bytes, bool littleEndian);
