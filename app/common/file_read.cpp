#include "app/common/file_read.h"

#include <cerrno>
#include <fstream>

#include "app/common/file_error.h"

std::string RefusalText(FileRefusal refusal, std::uintmax_t most) {
    switch (refusal) {
        case FileRefusal::kMissing:
            return "no such file";
        case FileRefusal::kNotRegular:
            return "not a regular file (a device, pipe or folder is never read)";
        case FileRefusal::kTooLarge:
            return "larger than " + std::to_string(most >> 20) + " MiB";
        case FileRefusal::kNone:
        case FileRefusal::kUnreadable:
            break;
    }
    return "unreadable";
}

std::string ReadWholeFile(const std::filesystem::path& file, std::size_t spare) {
    if (const FileRefusal refusal = CheckReadableFile(file, kMostScenarioBytes);
        refusal != FileRefusal::kNone) {
        throw FileError(file, RefusalText(refusal, kMostScenarioBytes));
    }
    errno = 0;
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        throw FileError(file, "cannot open: " + SystemReason(errno));
    }
    std::error_code sizeError;
    const std::uintmax_t size = std::filesystem::file_size(file, sizeError);
    std::string bytes;
    bytes.reserve(sizeError ? 0 : static_cast<std::size_t>(size) + spare);
    // The file may have grown since it was looked at: reading stops one block past the bound.
    char block[1 << 16];
    while (bytes.size() <= kMostScenarioBytes) {
        in.read(block, sizeof block);
        if (in.gcount() <= 0) {
            break;
        }
        bytes.append(block, static_cast<std::size_t>(in.gcount()));
    }
    if (in.bad()) {
        throw FileError(file, "cannot read: " + SystemReason(errno));
    }
    if (bytes.size() > kMostScenarioBytes) {
        throw FileError(file, RefusalText(FileRefusal::kTooLarge, kMostScenarioBytes));
    }
    if (bytes.capacity() < bytes.size() + spare) {
        bytes.reserve(bytes.size() + spare);
    }
    return bytes;
}
