// The module's string table.
#pragma once

constexpr int kIdsModuleName = 100;  // "orbdvmbom16"

// Copies string id into buffer (bufferLength characters with the terminator, cut to fit) and
// answers its length; an unknown id gives an empty text and 0.
int LoadModuleString(int id, char16_t* buffer, int bufferLength);
