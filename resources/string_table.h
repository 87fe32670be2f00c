// The module's string table.
#pragma once

#include "resources/resource_ids.h"

constexpr int kIdsModuleName = IDS_MODULE_NAME;

// Copies string id into buffer (bufferLength characters with the terminator, cut to fit) and
// answers its length; an unknown id gives an empty text and 0.
int LoadModuleString(int id, char16_t* buffer, int bufferLength);
