// Reads a whole file that vexa-sim takes in (a scenario), under the rule the mapping file's
// reader follows (config/readable_file.h): a regular file, here of at most 1 GiB, since a
// drawing of a million rows is half of that.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "config/readable_file.h"

inline constexpr std::uintmax_t kMostScenarioBytes = std::uintmax_t{1} << 30;

// Throws FileError naming the file and why it is not read. The text's capacity reaches spare
// bytes past its end, for a parser that reads ahead.
std::string ReadWholeFile(const std::filesystem::path& file, std::size_t spare = 0);

// Why a file of at most most bytes is not read, as vexa-sim tells it.
std::string RefusalText(FileRefusal refusal, std::uintmax_t most = kMostReadableBytes);
