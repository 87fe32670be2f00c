// Reads a whole file that vexa-sim takes in (a scenario), under the rule the mapping file's
// reader follows (config/readable_file.h): a regular file of at most 64 MiB.
#pragma once

#include <filesystem>
#include <string>

#include "config/readable_file.h"

// Throws FileError naming the file and why it is not read.
std::string ReadWholeFile(const std::filesystem::path& file);

// Why a file is not read, as vexa-sim tells it.
std::string RefusalText(FileRefusal refusal);
