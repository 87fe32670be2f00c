// UTF-16 to UTF-8 and back into a buffer the caller keeps, as VxString::toUtf8 and fromUtf8
// convert: a load or a save converts every cell of a drawing and need not allocate a string
// for each.
#pragma once

#include <string>
#include <string_view>

#include "host/vx_export.h"

namespace sim {

// Appends text as UTF-8; a lone surrogate becomes U+FFFD.
VX_HOST_API void appendUtf8(std::u16string_view text, std::string& out);
// Appends utf8 as UTF-16; what is not UTF-8 becomes U+FFFD.
VX_HOST_API void appendUtf16(std::string_view utf8, std::u16string& out);

}  // namespace sim
