// CIniFile: the mapping file, parsed whole into sections; callers read one section at a
// time, with the entries of its "SUPER" base section folded in.
//
// The file owns its sections and destroys them with itself; sections are never removed
// while it lives.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "config/ini_load_observer.h"
#include "config/ini_section.h"
#include "config/section_entries.h"

// LoadState values of CIniFile.
constexpr std::int32_t kIniNotLoaded = 0;
constexpr std::int32_t kIniLoaded = 1;  // at least one section
constexpr std::int32_t kIniFileNotOpened = -1;
constexpr std::int32_t kIniNoSection = -2;  // read, but it holds no section

class CIniFile {
  public:
    CIniFile();
    virtual ~CIniFile();
    CIniFile(const CIniFile&) = delete;
    CIniFile& operator=(const CIniFile&) = delete;

    // Reads the file at path and adds its sections, telling observer (when given) what it
    // makes of each line. True when LoadState became 1.
    bool Load(const std::u16string& path, IniLoadObserver* observer = nullptr);
    // Stores the section's entries into `entries` (key to value, or value to key when
    // reversed), then those of the section its "SUPER" entry names, whose values win.
    // False, with `entries` untouched, when there is no such section; otherwise whether
    // `entries` holds anything afterwards.
    bool ReadSection(const std::u16string& name, bool reversed, SectionEntries& entries) const;
    bool HasSection(const std::u16string& name) const;
    // The folded name of the section whose entries ReadSection folds into that section: the
    // one its "SUPER" entry names, whether the file has it or not; std::nullopt when the
    // section is absent or has no "SUPER" entry.
    std::optional<std::u16string> SuperSection(const std::u16string& name) const;
    std::u16string GetFileName() const;
    // kIniNotLoaded, kIniLoaded, kIniFileNotOpened or kIniNoSection.
    std::int32_t LoadState() const { return loadState_; }

    // The registered section names (upper case), in ordinal order.
    std::vector<std::u16string> SectionNames() const;

  private:
    std::map<std::u16string, std::unique_ptr<CIniSection>> sections_;
    std::int32_t loadState_ = kIniNotLoaded;
    std::u16string fileName_;
};
