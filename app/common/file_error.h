// A file or folder that vexa-sim cannot read, write or use, named with the system's reason.
// Every verb reports it as "vexa-sim: PATH: REASON" and ends with exit code 2.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string>

class FileError : public std::runtime_error {
  public:
    // what() is the path (UTF-8), ": " and the reason.
    FileError(const std::filesystem::path& file, const std::string& reason);
};

// The system's text for an errno value, or a plain one when the system gave none.
std::string SystemReason(int error);
