// vexa-sim's exit codes, one table for every verb (the README lists the same).
#pragma once

inline constexpr int kExitDone = 0;
// run and shell: objects were left open; ini-check: the file has warnings.
inline constexpr int kExitOpenObjects = 1;
inline constexpr int kExitWarnings = 1;
// What was asked cannot be done: wrong arguments, a file or folder that cannot be read,
// written or used (named, with the system's reason), a scenario that breaks the schema.
inline constexpr int kExitUnusable = 2;
// The module file did not load; nothing else gives this code.
inline constexpr int kExitModuleNotLoaded = 3;
// run --strict: the run completed, but the module met a failure (an alert, a host failure, a
// refused PDM call, a PDM error answer).
inline constexpr int kExitFailuresSeen = 4;
