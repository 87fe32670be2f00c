// The mapping file a scenario names with its "BOMIniFile", taken from the scenario's own
// files, so that `ini-check --scenario S.json` checks what a run of S.json would read. The
// file is written into a temporary folder of its own, which is removed with this object.
#pragma once

#include <filesystem>
#include <string>

class ScenarioMappingFile {
  public:
    // Throws sim::ScenarioError for a scenario that cannot be read, and std::runtime_error,
    // with the reason, when it names no mapping file among its files.
    explicit ScenarioMappingFile(const std::filesystem::path& scenario);
    ~ScenarioMappingFile();
    ScenarioMappingFile(const ScenarioMappingFile&) = delete;
    ScenarioMappingFile& operator=(const ScenarioMappingFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // The "BOMIniFile" value, as the scenario gives it.
    const std::string& Name() const { return name_; }

  private:
    std::filesystem::path folder_;
    std::filesystem::path path_;
    std::string name_;
};
