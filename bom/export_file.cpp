#include "bom/export_file.h"

#include <bit>
#include <cstring>

namespace {

// Large enough that the file sees few writes, small enough to stay in cache.
constexpr std::size_t kBufferBytes = 1 << 16;

}  // namespace

ExportFile::ExportFile(const std::u16string& path) : file_(path) {
    buffer_.reserve(kBufferBytes + 2);
}

ExportFile::~ExportFile() {
    Close();
}

void ExportFile::Write(std::u16string_view text) {
    if (failed_) {
        return;
    }
    const std::size_t start = buffer_.size();
    buffer_.resize(start + 2 * text.size());
    char* out = buffer_.data() + start;
    if constexpr (std::endian::native == std::endian::little) {
        // The code units already lie in memory in file order.
        std::memcpy(out, text.data(), 2 * text.size());
    } else {
        for (const char16_t unit : text) {
            *out++ = static_cast<char>(unit & 0xFF);
            *out++ = static_cast<char>(unit >> 8);
        }
    }
    if (buffer_.size() >= kBufferBytes) {
        Flush();
    }
}

void ExportFile::Flush() {
    // After a failed write a later one would land behind a missing piece: the file would lie.
    if (!failed_ && !buffer_.empty() && !file_.Append(buffer_.data(), buffer_.size())) {
        failed_ = true;
    }
    buffer_.clear();
}

bool ExportFile::Close() {
    if (!file_.IsOpen()) {
        return !failed_;
    }
    Flush();
    if (!file_.Close()) {
        failed_ = true;
    }
    return !failed_;
}
