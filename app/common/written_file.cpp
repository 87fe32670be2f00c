#include "app/common/written_file.h"

#include <cerrno>

#include "app/common/file_error.h"

WrittenFile::WrittenFile(const std::filesystem::path& file) : file_(file) {
    errno = 0;
    out_.open(file, std::ios::binary | std::ios::trunc);
    if (!out_.is_open()) {
        throw FileError(file_, "cannot write: " + SystemReason(errno));
    }
}

void WrittenFile::NoteFailure() {
    if (!failed_) {
        failed_ = true;
        error_ = errno;
    }
}

void WrittenFile::Close() {
    // A write that failed on the way left its reason in errno, unless a later call replaced it.
    if (out_.fail()) {
        NoteFailure();
    }
    errno = 0;
    out_.flush();
    if (out_.fail()) {
        NoteFailure();
    }
    errno = 0;
    out_.close();
    if (out_.fail()) {
        NoteFailure();
    }
    if (failed_) {
        throw FileError(file_, "cannot write: " + SystemReason(error_));
    }
}
