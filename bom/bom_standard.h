// The drawing's current parts-list standard ("VxmBOMStd" of the working database's current
// standard) and its columns.
#pragma once

#include <string>
#include <vector>

#include "host/vxm_standard.h"

// Writes the id of the current parts-list standard into bomStdId (null when the standard has
// none). The standard it comes from is opened for read and closed again before this
// returns. Answers the status of finding or opening that standard.
Vx::ErrorStatus CurrentBomStandardId(VxDbObjectId& bomStdId);

// Names of the visible columns of the current parts-list standard, in column order; empty
// when the standard cannot be opened.
std::vector<std::u16string> VisibleBomColumns();
// Names of all columns of the current parts-list standard, hidden ones too, in column order.
std::vector<std::u16string> AllBomColumns();
