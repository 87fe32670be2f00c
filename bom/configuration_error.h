// The message of a mapping-file problem, as the parts-list and part-reference operations
// report it.
#pragma once

#include <string>

#include "base/host_status_error.h"

// The subject (the mapping file's path, or the section's name) and the PDM catalogue text
// under textKey (kTextKeyMappingFileUnreadable or kTextKeyMappingSectionMissing),
// joined by "%s\n%s".
HostStatusError ConfigurationError(const std::u16string& subject, const char16_t* textKey);
