// File names as vexa-sim holds them (UTF-8: arguments, scenarios, the terminal) to the file
// system's paths and back. A narrow string would be taken in the ANSI code page on Windows,
// so that "Jürgen" became "JÃ¼rgen"; these conversions are UTF-8 on every system.
#pragma once

#include <filesystem>
#include <string>
#include <string_view>

std::filesystem::path PathFromUtf8(std::string_view utf8);
// The path with the system's separators.
std::string Utf8Path(const std::filesystem::path& path);
// The path with "/" between its parts, as the transcript reports files.
std::string GenericUtf8Path(const std::filesystem::path& path);
