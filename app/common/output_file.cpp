#include "app/common/output_file.h"

#include <cerrno>

#include "app/common/file_error.h"

OutputFile::OutputFile(const std::filesystem::path& file) : file_(file) {
    errno = 0;
    out_.open(file, std::ios::binary | std::ios::trunc);
    if (!out_.is_open()) {
        throw FileError(file_, "cannot write: " + SystemReason(errno));
    }
}

void OutputFile::NoteFailure() {
    if (!failed_) {
        failed_ = true;
        error_ = errno;
    }
}

void OutputFile::Close() {
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
