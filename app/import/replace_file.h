// Writes a file whole or not at all: the bytes go to a file beside it, which then takes its
// place, so a reader never meets half a scenario and a failed write leaves what was there.
#pragma once

#include <filesystem>
#include <functional>
#include <ostream>

// write puts the bytes into the stream it is given. Throws FileError, with the system's
// reason, when the file could not be written; the file beside it is removed again.
void ReplaceFile(const std::filesystem::path& file,
                 const std::function<void(std::ostream&)>& write);
