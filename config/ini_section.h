// CIniSection: the entries of one section of the mapping file, keyed by their left side.
#pragma once

#include <string>
#include <string_view>
#include <utility>

#include "config/section_entries.h"

class CIniSection {
  public:
    CIniSection();
    virtual ~CIniSection();
    CIniSection(const CIniSection&) = delete;
    CIniSection& operator=(const CIniSection&) = delete;

    // Stores value under key, replacing an earlier value; "SUPER" in any case is stored as
    // "SUPER". Key and value are kept exactly as written. Answers the stored entry and whether
    // its key is new to the section (false: an earlier value was replaced).
    std::pair<SectionEntries::const_iterator, bool> SetEntry(std::u16string_view key,
                                                             std::u16string_view value);
    const SectionEntries& Entries() const { return entries_; }

  private:
    SectionEntries entries_;
};
