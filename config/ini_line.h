// The mapping file's line rules, shared by the loader and by tools that explain a load.
#pragma once

#include <string>
#include <string_view>

// Lines are read with a buffer of this many wide characters (terminator included).
constexpr int kIniLineBufferSize = 1000;

enum class IniLineKind {
    kEmpty,    // ignored
    kComment,  // first character ";": ignored
    kHeader,   // first character "[": starts a section
    kEntry,    // contains "=": an entry of the current section
    kOther,    // no "=": ignored
};

struct IniLine {
    IniLineKind kind = IniLineKind::kEmpty;
    std::u16string_view name;   // kHeader: the name as written, not yet folded
    bool closed = false;        // kHeader: the name ends at the line's last "]"
    std::u16string_view rest;   // kHeader: the text after that "]", which is ignored
    std::u16string_view key;    // kEntry: the text before the first "="
    std::u16string_view value;  // kEntry: the text after it
};

// Classifies one line as delivered by CTextFileRead. Nothing is trimmed.
IniLine ClassifyIniLine(std::u16string_view line);

// Section names are folded with the host's string upper-casing, for loading and lookup alike.
std::u16string FoldSectionName(std::u16string_view name);

// The key under which an entry is stored: "SUPER" in any letter case becomes "SUPER".
std::u16string StoredEntryKey(std::u16string_view key);

constexpr std::u16string_view kSuperKey = u"SUPER";
