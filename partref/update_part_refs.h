// UpdatePartRefsFromPdm and SyncPartData: the drawing's part data brought up to date from the
// PDM.
#pragma once

#include <cstdint>

#include "bom/bom_context.h"

// Refreshes every row of context.bomId (as LocateBom found it) from the PDM: by the row's
// stored "ORBKEY" through kPartRefSection, or by the key the PDM gives for its
// "ORBD_PARTNO" (and non-blank "ORBD_PARTREV") through kProductSection in
// its folder. Rows without a key are left unchanged. A host failure, a refused row
// write included, is shown in one alert and answers -1; rows written before keep their new
// values. Otherwise answers the result of the last FetchPdmValues made (0 when none was).
std::int32_t UpdatePartRefsFromPdm(BomContext& context);

// Writes the PDM values of the drawing's own key through kPartDataSection, with
// "ORBKEY", onto model space's part data; nothing when the section yields no values. Answers
// 0 after any attempt, -1 when key is null or empty or the block table cannot be opened, and
// kPartDataRefused when the host refuses the write (its text printed with "\n%s\n").
std::int32_t SyncPartData(BomContext& context, const char16_t* key);
