#include "app/work_directory.h"

#include <fstream>
#include <random>
#include <sstream>
#include <stdexcept>

namespace fs = std::filesystem;

WorkDirectory::WorkDirectory(const std::optional<fs::path>& named) {
    previous_ = fs::current_path();
    if (named) {
        path_ = fs::absolute(*named);
        fs::create_directories(path_);
    } else {
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty(); ++attempt) {
            const fs::path candidate =
                fs::temp_directory_path() / ("vexa-sim-" + std::to_string(random()));
            if (fs::create_directory(candidate)) {
                path_ = candidate;
            }
        }
        if (path_.empty()) {
            throw std::runtime_error("cannot create a work directory");
        }
        fresh_ = true;
    }
    fs::current_path(path_);
    seen_ = Snapshot();
}

WorkDirectory::~WorkDirectory() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    if (fresh_) {
        fs::remove_all(path_, ec);
    }
}

void WorkDirectory::WriteFiles(const std::vector<ScenarioFile>& files) {
    for (const ScenarioFile& file : files) {
        const fs::path target = path_ / fs::path(file.name);
        fs::create_directories(target.parent_path());
        std::ofstream out(target, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        if (!out) {
            throw std::runtime_error("cannot write " + target.string());
        }
    }
    seen_ = Snapshot();
}

std::map<std::string, WorkDirectory::Seen> WorkDirectory::Snapshot() const {
    std::map<std::string, Seen> files;
    std::error_code ec;
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        if (!it->is_regular_file(ec)) {
            continue;
        }
        std::ifstream in(it->path(), std::ios::binary);
        std::stringstream content;
        content << in.rdbuf();
        const std::string bytes = content.str();
        files[fs::relative(it->path(), path_, ec).generic_string()] =
            Seen{bytes.size(), std::hash<std::string>{}(bytes)};
    }
    return files;
}

std::vector<std::pair<std::string, std::uintmax_t>> WorkDirectory::TakeChanges() {
    std::map<std::string, Seen> now = Snapshot();
    std::vector<std::pair<std::string, std::uintmax_t>> changes;
    for (const auto& [name, seen] : now) {
        const auto before = seen_.find(name);
        if (before == seen_.end() || before->second.size != seen.size ||
            before->second.contentHash != seen.contentHash) {
            changes.emplace_back(name, seen.size);
        }
    }
    seen_ = std::move(now);
    return changes;
}
