// Name comparison of the host: command names, symbol-table names and lisp symbols are
// matched without regard to case, folded the same way as VxString::makeUpper.
#pragma once

#include <string>
#include <string_view>

#include "host/vx_string.h"

namespace sim {

inline std::u16string foldedName(std::u16string_view name) {
    VxString folded{name};
    folded.makeUpper();
    return folded.str();
}

inline bool sameName(std::u16string_view a, std::u16string_view b) {
    return a.size() == b.size() && foldedName(a) == foldedName(b);
}

}  // namespace sim
