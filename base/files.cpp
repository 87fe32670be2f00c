#include "base/files.h"

namespace {

// The system's functions take the path up to its first U+0000: a path holding one would name
// another file than the one asked for.
winsys::FileHandle OpenWhole(const std::u16string& path, winsys::FileAccess access,
                             winsys::FileOpenFailure& failure) {
    if (path.find(u'\0') != std::u16string::npos) {
        failure = winsys::FileOpenFailure::kFailed;
        return nullptr;
    }
    return winsys::openFile(path.c_str(), access, &failure);
}

}  // namespace

InputFile::~InputFile() {
    Close();
}

bool InputFile::Open(const std::u16string& path) {
    Close();
    file_ = OpenWhole(path, winsys::FileAccess::kRead, failure_);
    return file_ != nullptr;
}

bool InputFile::Size(std::uint64_t& size) const {
    return file_ != nullptr && winsys::fileSize(file_, &size);
}

long InputFile::Read(void* bytes, unsigned long size) {
    return file_ != nullptr ? winsys::readFile(file_, bytes, size) : -1;
}

bool InputFile::Rewind() {
    return file_ != nullptr && winsys::rewindFile(file_);
}

bool InputFile::Close() {
    if (file_ == nullptr) {
        return false;
    }
    // Nothing written is at stake: how the close went does not matter.
    winsys::closeFile(file_);
    file_ = nullptr;
    return true;
}

OutputFile::OutputFile(const std::u16string& path) {
    winsys::FileOpenFailure ignored = winsys::FileOpenFailure::kNone;
    file_ = OpenWhole(path, winsys::FileAccess::kWrite, ignored);
}

OutputFile::~OutputFile() {
    Close();
}

bool OutputFile::Append(const void* bytes, std::size_t size) {
    return file_ != nullptr && (size == 0 || winsys::writeFile(file_, bytes, size));
}

bool OutputFile::Close() {
    if (file_ == nullptr) {
        return false;
    }
    const bool closed = winsys::closeFile(file_);
    file_ = nullptr;
    return closed;
}
