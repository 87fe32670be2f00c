#include "config/ini_line.h"

#include "host/vx_string.h"

IniLine ClassifyIniLine(std::u16string_view line) {
    IniLine result;
    if (line.empty()) {
        return result;
    }
    if (line.front() == u';') {
        result.kind = IniLineKind::kComment;
        return result;
    }
    if (line.front() == u'[') {
        result.kind = IniLineKind::kHeader;
        // The name ends at the last "]", so a name may hold "]"; without one it is the rest.
        const std::size_t close = line.rfind(u']');
        result.closed = close != std::u16string_view::npos;
        result.name = result.closed ? line.substr(1, close - 1) : line.substr(1);
        result.rest = result.closed ? line.substr(close + 1) : std::u16string_view();
        return result;
    }
    const std::size_t equals = line.find(u'=');
    if (equals == std::u16string_view::npos) {
        result.kind = IniLineKind::kOther;
        return result;
    }
    result.kind = IniLineKind::kEntry;
    result.key = line.substr(0, equals);
    result.value = line.substr(equals + 1);
    return result;
}

std::u16string FoldSectionName(std::u16string_view name) {
    VxString folded(name);
    folded.makeUpper();
    return folded.str();
}

std::u16string StoredEntryKey(std::u16string_view key) {
    // Letter case is ignored for the ASCII letters only, so that no locale can turn some
    // other key into the inheritance key.
    if (key.size() == kSuperKey.size()) {
        bool same = true;
        for (std::size_t i = 0; i < key.size() && same; ++i) {
            const char16_t c = key[i];
            const char16_t upper = c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - 0x20) : c;
            same = upper == kSuperKey[i];
        }
        if (same) {
            return std::u16string(kSuperKey);
        }
    }
    return std::u16string(key);
}
