#include "app/ini_check/scenario_mapping_file.h"

#include <random>
#include <stdexcept>

#include "app/common/scenario.h"
#include "app/common/written_file.h"

namespace {

std::filesystem::path FreshFolder() {
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::filesystem::path folder = std::filesystem::temp_directory_path() /
                                             ("vexa-sim-ini-check-" + std::to_string(random()));
        if (std::filesystem::create_directory(folder)) {
            return folder;
        }
    }
    throw std::runtime_error("cannot make a temporary folder");
}

}  // namespace

ScenarioMappingFile::ScenarioMappingFile(const std::filesystem::path& scenario) {
    const Scenario read = ReadScenario(scenario);
    const auto env = read.pdm.find("env");
    const bool named =
        env != read.pdm.end() && env->contains("BOMIniFile") && (*env)["BOMIniFile"].is_string();
    if (!named) {
        throw std::runtime_error("the scenario sets no \"BOMIniFile\" in pdm.env");
    }
    name_ = (*env)["BOMIniFile"].get<std::string>();
    const ScenarioFile* file = nullptr;
    for (const ScenarioFile& candidate : read.files) {
        if (candidate.name == name_) {
            file = &candidate;
        }
    }
    if (file == nullptr) {
        throw std::runtime_error("its \"BOMIniFile\" \"" + name_ +
                                 "\" is not among its files; give the file to check");
    }
    folder_ = FreshFolder();
    path_ = folder_ / "mapping.ini";
    try {
        WrittenFile out(path_);
        out.Stream() << file->bytes;
        out.Close();
    } catch (...) {
        std::error_code ignored;
        std::filesystem::remove_all(folder_, ignored);
        throw;
    }
}

ScenarioMappingFile::~ScenarioMappingFile() {
    std::error_code ignored;
    std::filesystem::remove_all(folder_, ignored);
}
