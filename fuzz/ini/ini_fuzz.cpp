// Feeds arbitrary bytes through the mapping-file loader and every section read, and through
// the line reader with a caller's buffer of exactly the size it is told.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

#include "config/ini_file.h"
#include "config/text_file_read.h"

namespace {

const std::filesystem::path& InputPath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("orbd_fuzz_ini_" + std::to_string(::getpid()));
    return path;
}

void ReadEveryLine(const std::u16string& path, int size) {
    CTextFileRead reader;
    if (!reader.Open(path)) {
        return;
    }
    // Exactly `size` characters, so that the sanitizer sees any write past the end.
    auto buffer = std::make_unique<char16_t[]>(static_cast<std::size_t>(size));
    int lines = 0;
    while (!reader.AtEnd() && reader.ReadLine(buffer.get(), size)) {
        if (++lines > (1 << 22)) {
            __builtin_trap();  // more lines than bytes: the reader does not advance
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(InputPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    const std::u16string path = InputPath().u16string();

    CIniFile file;
    file.Load(path);
    for (const std::u16string& name : file.SectionNames()) {
        for (bool reversed : {false, true}) {
            SectionEntries entries;
            const bool delivered = file.ReadSection(name, reversed, entries);
            if (delivered == entries.empty() || !file.HasSection(name)) {
                __builtin_trap();
            }
        }
    }
    SectionEntries untouched;
    if (file.ReadSection(u"\u0001not a section", false, untouched) || !untouched.empty()) {
        __builtin_trap();
    }

    const int lineSize = size > 0 ? 1 + data[0] % 40 : 1;
    ReadEveryLine(path, lineSize);
    return 0;
}
