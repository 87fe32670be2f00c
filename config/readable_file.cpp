#include "config/readable_file.h"

FileRefusal CheckReadableFile(const std::filesystem::path& file, std::uintmax_t most) {
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(file, error);
    if (!std::filesystem::exists(status)) {
        return FileRefusal::kMissing;
    }
    if (!std::filesystem::is_regular_file(status)) {
        return FileRefusal::kNotRegular;
    }
    const std::uintmax_t size = std::filesystem::file_size(file, error);
    if (error) {
        return FileRefusal::kUnreadable;
    }
    return size > most ? FileRefusal::kTooLarge : FileRefusal::kNone;
}
