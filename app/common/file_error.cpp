#include "app/common/file_error.h"

#include <system_error>

#include "app/common/file_path.h"

FileError::FileError(const std::filesystem::path& file, const std::string& reason)
    : std::runtime_error(Utf8Path(file) + ": " + reason) {}

std::string SystemReason(int error) {
    if (error == 0) {
        return "the system gave no reason";
    }
    return std::generic_category().message(error);
}
