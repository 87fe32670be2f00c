// FetchPdmValues: the PDM values of one PDM record, one query per entry of a mapping section
// (target field name = PDM field expression).
#pragma once

#include <cstdint>

#include "bom/bom_context.h"
#include "host/vxm_bom.h"

// Sets values[target] for every entry whose query answers a value that is not a PDM error;
// other targets stay unset. database (null or empty: "Folder_All_Document") is the folder
// of the record. Answers 0; -3 when key or section is null; the mapping file's LoadState
// when that is not 1 (values untouched); -2 when the section yields no entries.
std::int32_t FetchPdmValues(BomContext& context, const char16_t* key, VxmStringMap& values,
                            const char16_t* section, const char16_t* database);
