// The work directory of a run: the current directory while the run lasts, holding the
// scenario's files, and watched for files that the module writes.
//
// A fresh directory (no --workdir) is removed when the run ends; a named one is kept. The
// previous current directory is restored on destruction.
#pragma once

#include <cstdint>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/common/scenario.h"

class WorkDirectory {
  public:
    // Creates (or uses) the directory and makes it current; throws FileError when it cannot.
    explicit WorkDirectory(const std::optional<std::filesystem::path>& named);
    ~WorkDirectory();
    WorkDirectory(const WorkDirectory&) = delete;
    WorkDirectory& operator=(const WorkDirectory&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // A fresh directory, removed with its files at the end.
    bool Fresh() const { return fresh_; }
    // The files in it and its folders now.
    std::size_t FileCount() const;
    // Whether place (relative to the work directory, or absolute) lies inside it, judged on
    // the names alone.
    bool Contains(const std::filesystem::path& place) const;
    // Also watches the files directly in folder, a place outside the work directory; they
    // are reported by their absolute paths.
    void Watch(const std::filesystem::path& folder);
    // Writes the scenario's files; they are not reported as written by the module. Throws
    // FileError for a file that cannot be written whole.
    void WriteFiles(const std::vector<ScenarioFile>& files);
    // Files created or changed since the last call (relative path, size), in path order.
    std::vector<std::pair<std::string, std::uintmax_t>> TakeChanges();

  private:
    // A file counts as written when its size or time of last writing changed, so unchanged
    // files are never read, however large.
    struct Seen {
        std::uintmax_t size;
        std::filesystem::file_time_type written;
        bool operator==(const Seen& other) const {
            return size == other.size && written == other.written;
        }
    };
    std::map<std::string, Seen> Snapshot() const;

    std::filesystem::path path_;
    std::filesystem::path previous_;
    bool fresh_ = false;
    std::vector<std::filesystem::path> watched_;
    std::map<std::string, Seen> seen_;
};
