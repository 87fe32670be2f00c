// Sections no command reads. A header whose name the module never asks for is almost always
// a misspelt one, and the command it was meant for then silently does nothing, so each gets a
// warning with the nearest name the module does read.
#pragma once

#include <optional>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "app/ini_check/ini_report.h"
#include "config/ini_file.h"

// read: folded names read besides the module's own sections and those a "SUPER" names (the
// section checked with --section, sections typed at ORBDCREATEPARTREF2).
std::vector<IniWarning> UnreadSectionWarnings(const CIniFile& file, const SectionsSeen& sections,
                                              const std::set<std::u16string>& read);

// The module's section nearest to a folded name, when near enough to be a misspelling of it.
std::optional<std::u16string> NearestModuleSection(std::u16string_view folded);
