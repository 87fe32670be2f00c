#include "app/import/replace_file.h"

#include <fstream>
#include <system_error>

bool ReplaceFile(const std::filesystem::path& file, const std::string& bytes, std::string& error) {
    std::filesystem::path partial = file;
    partial += ".partial";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            std::filesystem::remove(partial, ignored);
            error = "cannot be written";
            return false;
        }
    }
    std::error_code failure;
    std::filesystem::rename(partial, file, failure);
    if (failure) {
        std::error_code ignored;
        std::filesystem::remove(partial, ignored);
        error = "cannot be written: " + failure.message();
        return false;
    }
    return true;
}
