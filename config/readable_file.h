// Which files are read at all, so that no reader blocks on a device or a pipe or reads without
// end: the mapping file's reader keeps the limit and the reasons (its file seam asks the type),
// vexa-sim's scenario reader asks CheckReadableFile.
#pragma once

#include <cstdint>
#include <filesystem>

// Far above any real mapping file or scenario; a file that ends only past it (or never) is not
// read.
inline constexpr std::uintmax_t kMostReadableBytes = 64u << 20;

// Why a file is not read.
enum class FileRefusal { kNone, kMissing, kNotRegular, kTooLarge, kUnreadable };

// kNone for a regular file of at most most bytes. The type is asked before the file is
// opened: opening a pipe blocks until a writer comes. A reader still stops at most, since the
// file may grow meanwhile.
FileRefusal CheckReadableFile(const std::filesystem::path& file,
                              std::uintmax_t most = kMostReadableBytes);
