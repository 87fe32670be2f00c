// A scenario file that cannot be used: the JSON path of the offending place (RFC 6901
// pointer, "" for the whole document) and what is wrong there. Thrown while a scenario is
// read, before anything of it runs.
#pragma once

#include <stdexcept>
#include <string>

namespace sim {

class ScenarioError : public std::runtime_error {
  public:
    ScenarioError(std::string path, const std::string& message)
        : std::runtime_error(message), path_(std::move(path)) {}
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

}  // namespace sim
