// The entry of "files" that carries a mapping file into a scenario byte for byte.
#pragma once

#include <string>

#include <nlohmann/json.hpp>

// As text in the encoding the bytes are in (UTF-16 or UTF-8 with a byte-order mark, UTF-8,
// Windows-1252), so that the scenario stays readable, when writing that text in that encoding
// gives these very bytes again; otherwise as "hex".
nlohmann::json MappingFileEntry(const std::string& bytes);
