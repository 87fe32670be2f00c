// CreatePartRef and AssignPartRefKey: part references filled with the PDM values of a key, as
// a section of the mapping file prescribes.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"
#include "host/vx_db_object_id.h"

// Result of an operation whose part data the host refused to store.
constexpr std::int32_t kPartDataRefused = -3;

// Places a new empty part reference at a point the user picks, fills its part data with the
// values the PDM holds for key through section (null: kPartRefSection; an empty one is
// used as it is) in database (null or empty: "Folder_All_Document") and hands it to the
// drawing's parts list. With writeKey, "ORBKEY" holds the key whatever the section maps.
//
// Reports its own failures on the command line ("\n%s\n"). Answers -1 when key is null or the
// mapping file cannot be read, -2 when the section is missing, kPartDataRefused when the host
// refuses the part data, 0 on success, on a cancelled point and after a host failure before
// the PDM was asked, otherwise what FetchPdmValues answered. A part reference whose fetch
// failed stays in model space without part data and is not handed to the parts list.
std::int32_t CreatePartRef(BomContext& context, const char16_t* key, const char16_t* database,
                           const char16_t* section, bool writeKey);

// Fills the part reference or external-reference block reference id with the PDM values of
// key through kPartRefSection and stores key under "ORBKEY"; a mapped field whose query
// fails keeps its value only when the stored key is key (MergePartData). Prints nothing.
// Answers 0,
// kPartDataRefused, or the non-zero answer of FetchPdmValues (nothing written).
std::int32_t AssignPartRefKey(BomContext& context, VxDbObjectId id, const char16_t* key);
