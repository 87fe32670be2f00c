// IniLoadObserver: a listener that CIniFile::Load tells what it makes of the mapping file and
// of each line as it reads it, so that a tool can explain a load without reading the file a
// second time or knowing the loader's rules.
//
// Load calls OnOpened, then OnLine once per line in file order; or OnRefused alone when the
// file cannot be read. When the file grows past the reader's bound while it is read, OnRefused
// comes after the lines, and the load keeps none of them. The views and the section name of an
// IniLineRead are valid only during the call.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "config/ini_line.h"
#include "config/text_file_read.h"

// What the load did with an entry line.
enum class IniEntryFate {
    kStored,    // under a key new to its section
    kReplaced,  // over the value an earlier line of its section gave the same key
    kIgnored,   // before the first section header: it belongs to no section
};

struct IniLineRead {
    std::int32_t number = 0;    // the file line (from 1) the line starts on
    bool split = false;         // it stopped at the length limit; its rest comes as the next line
    bool continuation = false;  // it is the rest of a split line
    std::u16string_view text;   // as read, nothing trimmed
    IniLine line;               // its kind and parts
    // The folded name of the section the line belongs to (a header's: the one it starts);
    // null before the first header.
    const std::u16string* section = nullptr;
    // kHeader: the section was given before, and what its earlier lines stored is dropped.
    bool restarted = false;
    IniEntryFate fate = IniEntryFate::kIgnored;  // kEntry
    std::u16string_view storedKey;               // kEntry: the key as stored ("SUPER" folded)
};

class IniLoadObserver {
  public:
    IniLoadObserver() = default;
    virtual ~IniLoadObserver() = default;
    IniLoadObserver(const IniLoadObserver&) = delete;
    IniLoadObserver& operator=(const IniLoadObserver&) = delete;

    // The file is open: its encoding, the bytes of its byte-order mark, and the longest line
    // (bytes for Ansi, characters otherwise) read whole; a longer one is split.
    virtual void OnOpened(CTextFileRead::TextEncoding encoding, std::int32_t markLength,
                          std::int32_t lineLimit) = 0;
    virtual void OnLine(const IniLineRead& read) = 0;
    // Why the file was not read.
    virtual void OnRefused(CTextFileRead::Refusal why) = 0;
};
