// The entity argument of "ORBDUPDATEPARTREF", as the editor reactor writes it into the queued
// command and the command's handler reads it: the last entity, no entity, or the integer form
// of an object id as the PDM integration writes it.
#pragma once

#include <string_view>

#include "host/vx_db_object_id.h"

// The drawing's last entity: what a drawing insertion has just added.
inline constexpr std::u16string_view kLastEntityArgument = u"entlast";
inline constexpr std::u16string_view kNoEntityArgument = u"0";

// The id the argument names, or the null id for no entity: kNoEntityArgument, text that is not
// an unsigned decimal number fitting 64 bits ("12x", "-1", "", past 2^64), kLastEntityArgument
// when the host's last-entity query fails. The id is not checked against the drawing.
VxDbObjectId ResolveEntityArgument(std::u16string_view argument);

// The id if it names a block reference of the working database, else the null id. An id
// from the integer form may name anything, so it is only ever opened through the host's
// checked open.
VxDbObjectId BlockReferenceOfWorkingDatabase(VxDbObjectId id);
