// Test files in a fresh temporary folder, and the byte forms of text in each encoding.
#pragma once

#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <string_view>
#include "tests/support/utf16_bytes.h"

namespace testfiles {

using ::Utf16;

// A folder of its own under the system's temporary folder; removed with its contents when
// the holder goes.
class TempDir {
  public:
    TempDir() {
#if defined(_WIN32)
        // Windows has no mkdtemp: names are tried until one is new.
        for (unsigned n = std::random_device{}();; ++n) {
            path_ = std::filesystem::temp_directory_path() / ("orbd_test_" + std::to_string(n));
            if (std::filesystem::create_directory(path_)) {
                break;
            }
        }
#else
        std::string pattern =
            (std::filesystem::temp_directory_path() / "orbd_test_XXXXXX").string();
        path_ = ::mkdtemp(pattern.data());
#endif
    }
    ~TempDir() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const {
        return path_;
    }

    // Writes bytes into the folder and answers the file's path as UTF-16.
    std::u16string Write(const std::string& name, std::string_view bytes) const {
        const std::filesystem::path file = path_ / name;
        std::ofstream(file, std::ios::binary)
            .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        return file.u16string();
    }

  private:
    std::filesystem::path path_;
};

inline std::string Utf8WithMark(std::string_view utf8) {
    return "\xEF\xBB\xBF" + std::string(utf8);
}

}  // namespace testfiles
