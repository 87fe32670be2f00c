// ExternalReferencePath: the file path of the external reference a parts-list row comes
// from, read from the block of the outermost entity of the row's first part-reference path.
#pragma once

#include <string>

#include "host/vx_db_object_id.h"

// The path, or empty when the row has no part reference, its first path does not start at a
// block reference, or any host call fails (nothing is reported).
std::u16string ExternalReferencePath(VxDbObjectId rowId);
