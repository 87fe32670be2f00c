#include "app/common/work_directory.h"

#include <random>

#include "app/common/file_error.h"
#include "app/common/file_path.h"
#include "app/common/written_file.h"

namespace fs = std::filesystem;

WorkDirectory::WorkDirectory(const std::optional<fs::path>& named) {
    previous_ = fs::current_path();
    if (named) {
        path_ = fs::absolute(*named);
        std::error_code error;
        fs::create_directories(path_, error);
        if (error) {
            throw FileError(path_, "cannot be the work directory: " + error.message());
        }
        if (!fs::is_directory(path_, error)) {
            throw FileError(path_, "cannot be the work directory: not a folder");
        }
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
            throw FileError(fs::temp_directory_path(), "cannot create a work directory in it");
        }
        fresh_ = true;
    }
    std::error_code error;
    fs::current_path(path_, error);
    if (error) {
        const fs::path failed = path_;
        if (fresh_) {
            fs::remove_all(path_, error);
        }
        throw FileError(failed, "cannot be the work directory: " + error.message());
    }
    seen_ = Snapshot();
}

WorkDirectory::~WorkDirectory() {
    std::error_code ec;
    fs::current_path(previous_, ec);
    if (fresh_) {
        fs::remove_all(path_, ec);
    }
}

std::size_t WorkDirectory::FileCount() const {
    std::size_t count = 0;
    std::error_code error;
    for (fs::recursive_directory_iterator it(path_, error), end; !error && it != end;
         it.increment(error)) {
        count += it->is_regular_file(error) ? 1 : 0;
    }
    return count;
}

void WorkDirectory::WriteFiles(const std::vector<ScenarioFile>& files) {
    for (const ScenarioFile& file : files) {
        const fs::path target = path_ / PathFromUtf8(file.name);
        std::error_code error;
        fs::create_directories(target.parent_path(), error);
        if (error) {
            throw FileError(target.parent_path(), "cannot create the folder: " + error.message());
        }
        WrittenFile out(target);
        out.Stream().write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        out.Close();
    }
    seen_ = Snapshot();
}

bool WorkDirectory::Contains(const fs::path& place) const {
    const fs::path relative = (path_ / place).lexically_normal().lexically_relative(path_);
    return !relative.empty() && *relative.begin() != "..";
}

void WorkDirectory::Watch(const fs::path& folder) {
    watched_.push_back(fs::absolute(path_ / folder).lexically_normal());
    seen_ = Snapshot();
}

std::map<std::string, WorkDirectory::Seen> WorkDirectory::Snapshot() const {
    std::map<std::string, Seen> files;
    std::error_code ec;
    auto note = [&](const fs::directory_entry& entry, const std::string& name) {
        std::error_code error;
        if (!entry.is_regular_file(error)) {
            return;
        }
        const std::uintmax_t size = entry.file_size(error);
        const fs::file_time_type written = entry.last_write_time(error);
        if (!error) {
            files[name] = Seen{size, written};
        }
    };
    for (auto it = fs::recursive_directory_iterator(path_, ec);
         !ec && it != fs::recursive_directory_iterator(); it.increment(ec)) {
        note(*it, GenericUtf8Path(fs::relative(it->path(), path_, ec)));
    }
    for (const fs::path& folder : watched_) {
        std::error_code error;
        for (auto it = fs::directory_iterator(folder, error);
             !error && it != fs::directory_iterator(); it.increment(error)) {
            note(*it, GenericUtf8Path(it->path()));
        }
    }
    return files;
}

std::vector<std::pair<std::string, std::uintmax_t>> WorkDirectory::TakeChanges() {
    std::map<std::string, Seen> now = Snapshot();
    std::vector<std::pair<std::string, std::uintmax_t>> changes;
    for (const auto& [name, seen] : now) {
        const auto before = seen_.find(name);
        if (before == seen_.end() || !(before->second == seen)) {
            changes.emplace_back(name, seen.size);
        }
    }
    seen_ = std::move(now);
    return changes;
}
