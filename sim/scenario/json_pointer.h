// The one spelling of a JSON pointer that scenario errors and drawing changes use to name a
// place. Header-only, so the PDM stand-in can use it without linking the drawing reader.
#pragma once

#include <string>
#include <string_view>

namespace sim {

// Appends "/" and the token with "~" and "/" escaped as a JSON pointer requires. Only the new
// token is escaped: re-escaping the parent for every member made large drawings slow to read.
inline std::string jsonPointerChild(std::string_view parent, std::string_view token) {
    std::string child;
    child.reserve(parent.size() + token.size() + 1);
    child += parent;
    child += '/';
    for (const char c : token) {
        if (c == '~') {
            child += "~0";
        } else if (c == '/') {
            child += "~1";
        } else {
            child += c;
        }
    }
    return child;
}

}  // namespace sim
