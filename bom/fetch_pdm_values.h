// FetchPdmValues: the PDM values of one PDM record, one query per entry of a mapping section
// (target field name = PDM field expression).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "bom/bom_context.h"
#include "host/vxm_bom.h"

// Answers of FetchPdmValues besides 0 and the mapping file's LoadState when that is not
// kIniLoaded (kIniFileNotOpened, kIniNoSection).
constexpr std::int32_t kFetchNoKeyOrSection = -3;  // key or section name absent
constexpr std::int32_t kFetchNoSection = -2;       // the section yields no entries

// Sets values[target] for every entry whose query answers a value that is not a PDM error;
// other targets stay unset and, when unanswered is given, are added to it in section order.
// database (null or empty: "Folder_All_Document") is the folder of the record. Answers 0;
// kFetchNoKeyOrSection; the mapping file's LoadState (values untouched); kFetchNoSection.
std::int32_t FetchPdmValues(BomContext& context, const char16_t* key, VxmStringMap& values,
                            const char16_t* section, const char16_t* database,
                            std::vector<std::u16string>* unanswered = nullptr);
