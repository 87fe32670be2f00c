// What makes an input file of "vexa-sim import" unusable: the file, the line (from 1; 0 when
// the fault belongs to the whole file) and what is wrong there.
#pragma once

#include <cstddef>
#include <stdexcept>
#include <string>

class ImportError : public std::runtime_error {
  public:
    ImportError(std::size_t line, const std::string& what)
        : std::runtime_error(what), line_(line) {}
    ImportError(std::string file, std::size_t line, const std::string& what)
        : std::runtime_error(what), file_(std::move(file)), line_(line) {}

    const std::string& file() const { return file_; }
    std::size_t line() const { return line_; }

  private:
    std::string file_;
    std::size_t line_;
};
