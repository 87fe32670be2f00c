// The entity argument of "ORBDUPDATEPARTREF": "entlast", "0", or the integer form of an
// object id as the PDM integration writes it.
#pragma once

#include <string_view>

#include "host/vx_db_object_id.h"

// The id the argument names, or the null id for no entity: "0", text that is not an unsigned
// decimal number fitting 64 bits ("12x", "-1", "", past 2^64), "entlast" when the host's
// last-entity query fails. The id is not checked against the drawing.
VxDbObjectId ResolveEntityArgument(std::u16string_view argument);

// The id if it names a block reference of the working database, else the null id. An id
// from the integer form may name anything, so it is only ever opened through the host's
// checked open.
VxDbObjectId BlockReferenceOfWorkingDatabase(VxDbObjectId id);
