#include "app/import/replace_file.h"

#include <system_error>

#include "app/common/file_error.h"
#include "app/common/written_file.h"

void ReplaceFile(const std::filesystem::path& file,
                 const std::function<void(std::ostream&)>& write) {
    std::filesystem::path partial = file;
    partial += ".partial";
    std::error_code ignored;
    try {
        WrittenFile out(partial);
        write(out.Stream());
        out.Close();
    } catch (const FileError&) {
        std::filesystem::remove(partial, ignored);
        throw;
    }
    std::error_code failure;
    std::filesystem::rename(partial, file, failure);
    if (failure) {
        std::filesystem::remove(partial, ignored);
        throw FileError(file, "cannot write: " + failure.message());
    }
}
