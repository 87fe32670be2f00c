// The work directory of a run: the current directory while the run lasts, holding the
// scenario's files, and watched for files that the module writes.
//
// A fresh directory (no --workdir) is removed when the run ends; a named one is kept. The
// previous current directory is restored on destruction.
#pragma once

#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/scenario.h"

class WorkDirectory {
  public:
    // Creates (or uses) the directory and makes it current; throws std::runtime_error.
    explicit WorkDirectory(const std::optional<std::filesystem::path>& named);
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Writes the scenario's files; they are not reported as written by the module.
    void WriteFiles(const std::vector<ScenarioFile>& files);
    // Files created or changed since the last call (relative path, size), in path order.
    std::vector<std::pair<std::string, std::uintmax_t>> TakeChanges();

  private:
    struct Seen {
        std::uintmax_t size;
        std::size_t contentHash;
    };
    std::map<std::string, Seen> Snapshot() const;

    std::filesystem::path path_;
    std::filesystem::path previous_;
    bool fresh_ = false;
    std::map<std::string, Seen> seen_;
};
